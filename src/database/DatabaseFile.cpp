// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/DatabaseFile.h"

#include "text/MemoryPages.h"
#include "text/MessageText.h"
#include "text/SharedText.h"
#include "text/TextFile.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <cstring>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr QChar kSeparator = u'|';

// Whether `text` takes more than `limit` bytes in the file.
bool longerThan(const QString& text, qsizetype limit) {
    // A UTF-16 unit takes one to three bytes.
    if (text.size() > limit)
        return true;
    return text.size() * 3 > limit && encodeText(text).size() > limit;
}

bool hasLineBreak(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

// How many CR and how many LF `bytes` hold, sixteen at a time where the
// processor can.
struct LineEnds {
    qsizetype cr = 0;
    qsizetype lf = 0;
};

LineEnds countLineEnds(QByteArrayView bytes) {
    const char* const data = bytes.data();
    const qsizetype size = bytes.size();
    LineEnds ends;
    qsizetype at = 0;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    while (at + 16 <= size) {
        // Each byte counter takes up to 255 hits (a match subtracts -1).
        __m128i crs = zero;
        __m128i lfs = zero;
        for (int round = 0; round < 255 && at + 16 <= size; ++round, at += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
            crs = _mm_sub_epi8(crs, _mm_cmpeq_epi8(v, cr));
            lfs = _mm_sub_epi8(lfs, _mm_cmpeq_epi8(v, lf));
        }
        const auto total = [&zero](__m128i counters) {
            const __m128i sums = _mm_sad_epu8(counters, zero);
            return _mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4);
        };
        ends.cr += total(crs);
        ends.lf += total(lfs);
    }
#endif
    for (; at < size; ++at) {
        ends.cr += data[at] == '\r';
        ends.lf += data[at] == '\n';
    }
    return ends;
}

// Reads the file whole and decodes it as decodeText would, a piece at a time
// so that the bytes are never held whole; each piece but the last is decoded
// up to its last ASCII byte, which no character spans. Counts the line ends
// meanwhile.
std::optional<QString> readText(QFile& file, LineEnds& ends) {
    constexpr qsizetype kPieceBytes = 256 * 1024;
    // No text is longer in UTF-16 code units than in bytes.
    QString text(std::max<qint64>(file.size(), 0), Qt::Uninitialized);
    populatePages(text.data(), text.size() * qsizetype(sizeof(QChar)));
    qsizetype decoded = 0;
    QByteArray buffer(kPieceBytes, Qt::Uninitialized);
    qsizetype carried = 0; // bytes of the last piece not decoded yet
    for (;;) {
        if (buffer.size() < carried + kPieceBytes)
            buffer.resize(carried + kPieceBytes);
        const qint64 got = file.read(buffer.data() + carried, kPieceBytes);
        if (got < 0)
            return std::nullopt;
        const LineEnds more = countLineEnds(QByteArrayView(buffer.constData() + carried, got));
        ends.cr += more.cr;
        ends.lf += more.lf;
        const qsizetype have = carried + got;
        qsizetype cut = have;
        if (got > 0) {
            while (cut > 0 && static_cast<unsigned char>(buffer[cut - 1]) >= 0x80)
                --cut;
        }
        if (text.size() < decoded + cut) // the file grew meanwhile
            text.resize(decoded + cut + kPieceBytes);
        decoded += decodeTextInto(QByteArrayView(buffer.constData(), cut),
                                  reinterpret_cast<char16_t*>(text.data()) + decoded);
        carried = have - cut;
        std::memmove(buffer.data(), buffer.constData() + cut, carried);
        if (got == 0)
            break;
    }
    text.truncate(decoded);
    return text;
}

// The position of the first "|", CR or LF at or after `at`, else `size`.
qsizetype nextMark(const char16_t* chars, qsizetype at, qsizetype size) {
#if defined(__SSE2__)
    const __m128i bar = _mm_set1_epi16(u'|');
    const __m128i cr = _mm_set1_epi16(u'\r');
    const __m128i lf = _mm_set1_epi16(u'\n');
    for (; at + 8 <= size; at += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chars + at));
        const int hits = _mm_movemask_epi8(_mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi16(v, bar), _mm_cmpeq_epi16(v, cr)), _mm_cmpeq_epi16(v, lf)));
        if (hits != 0)
            return at + __builtin_ctz(static_cast<unsigned>(hits)) / 2;
    }
#endif
    for (; at < size; ++at) {
        if (chars[at] == u'|' || chars[at] == u'\r' || chars[at] == u'\n')
            return at;
    }
    return size;
}

} // namespace

// The file is decoded into one text (line ends, bytes and marks as readLines
// reads them), its separators and line ends are overwritten with u'\0', and
// every field is a slice of that text: the table holds one allocation for all
// its texts.
Outcome<GameTable> readDatabase(const QString& path) {
    QFile file(path);
    LineEnds ends;
    std::optional<QString> read;
    if (file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        read = readText(file, ends);
    if (!read || file.error() != QFileDevice::NoError)
        return Failure{
            QCoreApplication::translate("DatabaseFile", "The database %1 could not be read.")
                .arg(path)};
    file.close();
    QString text = std::move(*read);
    char16_t* const chars = reinterpret_cast<char16_t*>(text.data());
    const qsizetype size = text.size();

    // A field ends at its separator (the first three "|" of a line) or at the
    // line's end; the driver takes the rest of the line.
    GameTable games;
    // As many as the lines, unless their ends are mixed.
    games.reserve(std::min<qsizetype>(std::max(ends.cr, ends.lf) + 1, kMaxGames + 1));
    populatePages(games.data(), qsizetype(games.capacity() * sizeof(GameRecord)));
    SharedText shared(std::move(text));
    qsizetype lines = 0;
    qsizetype firstBad = 0; // the number of the first line that is no game
    for (qsizetype start = 0; start < size;) {
        qsizetype ends[3];
        int separators = 0;
        qsizetype at = nextMark(chars, start, size);
        for (; at < size && chars[at] == u'|'; at = nextMark(chars, at + 1, size)) {
            if (separators < 3) {
                ends[separators++] = at;
                chars[at] = u'\0';
            }
        }
        const qsizetype lineEnd = at;
        if (at < size) {
            const bool crLf = chars[at] == u'\r' && at + 1 < size && chars[at + 1] == u'\n';
            chars[at] = u'\0';
            at += crLf ? 2 : 1;
        }
        if (++lines > kMaxGames)
            return Failure{QCoreApplication::translate("DatabaseFile",
                                                       "The database %1 holds more than %2 lines.")
                               .arg(path, formatCount(kMaxGames))};
        if (firstBad == 0) {
            if (separators < 3 || ends[0] == start || ends[1] == ends[0] + 1 ||
                lineEnd == ends[2] + 1) {
                firstBad = lines;
                games = {}; // no use any more: only the count of lines matters now
            } else {
                games.push_back(GameRecord{shared.slice(start, ends[0] - start),
                                           shared.slice(ends[0] + 1, ends[1] - ends[0] - 1),
                                           shared.slice(ends[1] + 1, ends[2] - ends[1] - 1),
                                           shared.slice(ends[2] + 1, lineEnd - ends[2] - 1)});
            }
        }
        start = at;
    }
    if (lines == 0)
        return Failure{
            QCoreApplication::translate("DatabaseFile", "The database %1 is empty.").arg(path)};
    if (firstBad != 0)
        return Failure{
            QCoreApplication::translate("DatabaseFile", "Line %1 of the database %2 is not a game.")
                .arg(firstBad)
                .arg(path)};
    return games;
}

std::optional<QString> unreadableReason(const GameRecord& game) {
    if (game.description.isEmpty())
        return QCoreApplication::translate("DatabaseFile", "an empty description");
    if (game.name.isEmpty())
        return QCoreApplication::translate("DatabaseFile", "an empty short name");
    if (game.driver.isEmpty())
        return QCoreApplication::translate("DatabaseFile", "an empty driver");
    if (longerThan(game.name, kLongestName))
        return QCoreApplication::translate("DatabaseFile", "a short name longer than %1 bytes")
            .arg(kLongestName);
    if (longerThan(game.parent, kLongestName))
        return QCoreApplication::translate("DatabaseFile", "a parent name longer than %1 bytes")
            .arg(kLongestName);
    if (longerThan(game.driver, kLongestName))
        return QCoreApplication::translate("DatabaseFile", "a driver name longer than %1 bytes")
            .arg(kLongestName);
    if (longerThan(game.description, kLongestDescription))
        return QCoreApplication::translate("DatabaseFile", "a description longer than %1 bytes")
            .arg(formatCount(kLongestDescription));
    if (game.description.contains(kSeparator))
        return QCoreApplication::translate("DatabaseFile", "a \"|\" in its description");
    if (game.name.contains(kSeparator))
        return QCoreApplication::translate("DatabaseFile", "a \"|\" in its short name");
    if (game.parent.contains(kSeparator))
        return QCoreApplication::translate("DatabaseFile", "a \"|\" in its parent");
    if (hasLineBreak(game.description) || hasLineBreak(game.name) || hasLineBreak(game.parent) ||
        hasLineBreak(game.driver))
        return QCoreApplication::translate("DatabaseFile", "a line break in one of its fields");
    if (!readsBackAsWritten(game.description) || !readsBackAsWritten(game.name) ||
        !readsBackAsWritten(game.parent) || !readsBackAsWritten(game.driver))
        return QCoreApplication::translate("DatabaseFile",
                                           "a broken character in one of its fields");
    return std::nullopt;
}

std::optional<qsizetype> findUnreadableRecord(const GameTable& games) {
    // A field short enough in any encoding (three bytes a unit at most),
    // without separator, line break or surrogate reads back as it is; only a
    // record with another field is looked at closely.
    const auto plain = [](QStringView text, qsizetype limit, bool separatorAllowed) {
        return text.size() * 3 <= limit &&
               std::none_of(text.begin(), text.end(), [separatorAllowed](QChar c) {
                   return (c == kSeparator && !separatorAllowed) || c == u'\r' || c == u'\n' ||
                          c.isSurrogate();
               });
    };
    for (qsizetype i = 0; i < std::ssize(games); ++i) {
        const GameRecord& game = games[i];
        if (!game.description.isEmpty() && !game.name.isEmpty() && !game.driver.isEmpty() &&
            plain(game.description, kLongestDescription, false) &&
            plain(game.name, kLongestName, false) && plain(game.parent, kLongestName, false) &&
            plain(game.driver, kLongestName, true))
            continue;
        if (unreadableReason(game))
            return i;
    }
    return std::nullopt;
}

Outcome<Done> writeDatabase(const QString& path, const GameTable& games) {
    if (games.empty())
        return Failure{QCoreApplication::translate("DatabaseFile", "There is no game to write.")};
    if (std::ssize(games) > kMaxGames)
        return Failure{QCoreApplication::translate(
                           "DatabaseFile", "%1 games are more than the database can hold (%2).")
                           .arg(formatCount(std::ssize(games)), formatCount(kMaxGames))};
    if (const std::optional<qsizetype> bad = findUnreadableRecord(games)) {
        const GameRecord& game = games[*bad];
        const QString& label = game.name.isEmpty() ? game.description : game.name;
        return Failure{QCoreApplication::translate("DatabaseFile", "Game %1 (%2) has %3.")
                           .arg(QString::number(*bad + 1), quoted(label), *unreadableReason(game))};
    }

    // Each record is encoded straight into the bytes written.
    return writeFileAtomically(path, [&games, next = qsizetype(0)](QByteArray& out) mutable {
        const GameRecord& game = games[next++];
        appendEncodedText(out, game.description);
        out += '|';
        appendEncodedText(out, game.name);
        out += '|';
        appendEncodedText(out, game.parent);
        out += '|';
        appendEncodedText(out, game.driver);
        out += "\r\n";
        return next < std::ssize(games);
    });
}
