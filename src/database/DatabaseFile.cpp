// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/DatabaseFile.h"

#include "text/MessageText.h"
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

bool hasLineBreak(QByteArrayView bytes) {
    return bytes.contains('\r') || bytes.contains('\n');
}

// The whole of `file`, read straight into one buffer; nothing when it cannot
// be read, and nothing with `tooLarge` set when it holds more than a table
// does.
std::optional<QByteArray> readWhole(QFile& file, bool& tooLarge) {
    const qint64 size = std::max<qint64>(file.size(), 0);
    if (size > kMostTableBytes) {
        tooLarge = true;
        return std::nullopt;
    }
    QByteArray bytes(size, Qt::Uninitialized);
    qsizetype have = 0;
    for (;;) {
        const qint64 got = file.read(bytes.data() + have, bytes.size() - have);
        if (got < 0)
            return std::nullopt;
        have += got;
        if (got > 0 && have < bytes.size())
            continue;
        // Full, or at the end: the file may have grown since its size was read.
        char more[64 * 1024];
        const qint64 extra = file.read(more, sizeof more);
        if (extra < 0)
            return std::nullopt;
        if (extra == 0)
            break;
        if (have + extra > kMostTableBytes) {
            tooLarge = true;
            return std::nullopt;
        }
        bytes.truncate(have);
        bytes.append(more, extra);
        have = bytes.size();
    }
    bytes.truncate(have);
    return bytes;
}

// Which of the sixteen bytes at `p` are "|", CR or LF: bit i for byte i.
// With SSE2 in three compares, which reading a million games shows (a fifth
// of the time the plain loop takes to find the marks).
quint32 markBits(const char* p) {
#if defined(__SSE2__)
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i marks = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('|')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\r'))),
        _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')));
    return static_cast<quint32>(_mm_movemask_epi8(marks));
#else
    quint32 bits = 0;
    for (int i = 0; i < 16; ++i)
        bits |= quint32(p[i] == '|' || p[i] == '\r' || p[i] == '\n') << i;
    return bits;
#endif
}

// markBits() for the block of sixteen bytes from `block` on, which may run
// past the text's end.
quint32 blockMarks(QByteArrayView bytes, qsizetype block) {
    if (block + 16 <= bytes.size())
        return markBits(bytes.data() + block);
    char tail[16] = {};
    const qsizetype left = bytes.size() - block;
    std::memcpy(tail, bytes.data() + block, static_cast<size_t>(left));
    return markBits(tail) & ((1u << left) - 1);
}

} // namespace

// The file is read whole into the table's buffer, and each line that is a
// game gets an entry of where its fields begin: no text is decoded or copied.
Outcome<GameTable> readDatabase(const QString& path) {
    QFile file(path);
    bool tooLarge = false;
    std::optional<QByteArray> read;
    if (file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        read = readWhole(file, tooLarge);
    if (tooLarge)
        return Failure{QCoreApplication::translate(
                           "DatabaseFile", "The database %1 is larger than 2 GB, more than a "
                                           "list holds.")
                           .arg(path)};
    if (!read || file.error() != QFileDevice::NoError)
        return Failure{
            QCoreApplication::translate("DatabaseFile", "The database %1 could not be read.")
                .arg(path)};
    file.close();

    GameTable games;
    games.m_bytes = std::move(*read);
    const char* const bytes = games.m_bytes.constData();
    const qsizetype size = games.m_bytes.size();
    // A game's line takes at least seven bytes with its end ("d|n||r" and
    // LF); only the entries written take memory.
    games.m_entries.reserve(static_cast<size_t>(std::min<qsizetype>(size / 7 + 1, kMaxGames + 1)));

    // A field ends at its separator (the first three "|" of a line) or at the
    // line's end (CR LF, CR or LF); the driver takes the rest of the line.
    qsizetype lines = 0;
    qsizetype firstBad = 0; // the number of the first line that is no game
    qsizetype start = 0;    // of the line being read
    qsizetype ends[3] = {};
    int separators = 0;
    qsizetype afterCr = -1; // an LF here ends no line: it belongs to the CR before
    const auto tooMany = [&] {
        return Failure{
            QCoreApplication::translate("DatabaseFile", "The database %1 holds more than %2 lines.")
                .arg(path, formatCount(kMaxGames))};
    };
    const auto endLine = [&](qsizetype lineEnd) {
        if (firstBad == 0) {
            if (separators < 3 || ends[0] == start || ends[1] == ends[0] + 1 ||
                lineEnd == ends[2] + 1) {
                firstBad = lines;
                games.m_entries = {}; // no use any more: only the count of lines matters now
            } else {
                games.m_entries.push_back(
                    {static_cast<quint32>(start), static_cast<quint32>(ends[0] + 1),
                     static_cast<quint32>(ends[2] + 1), ends[2] > ends[1] + 1});
            }
        }
        separators = 0;
    };
    for (qsizetype block = 0; block < size; block += 16) {
        for (quint32 bits = blockMarks(games.m_bytes, block); bits != 0; bits &= bits - 1) {
            const qsizetype at = block + __builtin_ctz(bits);
            const char c = bytes[at];
            if (c == '|') {
                if (separators < 3)
                    ends[separators++] = at;
                continue;
            }
            if (at == afterCr) { // the LF of a CR LF
                start = at + 1;
                continue;
            }
            if (++lines > kMaxGames)
                return tooMany();
            endLine(at);
            start = at + 1;
            if (c == '\r' && at + 1 < size && bytes[at + 1] == '\n') {
                afterCr = at + 1;
                // Mostly in the same block: passed over at once.
                if (at + 1 < block + 16) {
                    bits &= bits - 1;
                    start = at + 2;
                }
            }
        }
    }
    if (start < size) { // the last line has no end
        if (++lines > kMaxGames)
            return tooMany();
        endLine(size);
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

std::optional<QString> unreadableReason(const GameFields& game) {
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

std::optional<QString> unreadableReason(const GameRecord& game) {
    if (std::optional<QString> unkept = game.table().unkeptReason(game.position()))
        return unkept;
    const QByteArrayView description = game.descriptionBytes();
    const QByteArrayView name = game.nameBytes();
    const QByteArrayView parent = game.parentBytes();
    const QByteArrayView driver = game.driverBytes();
    if (description.isEmpty())
        return QCoreApplication::translate("DatabaseFile", "an empty description");
    if (name.isEmpty())
        return QCoreApplication::translate("DatabaseFile", "an empty short name");
    if (driver.isEmpty())
        return QCoreApplication::translate("DatabaseFile", "an empty driver");
    if (name.size() > kLongestName)
        return QCoreApplication::translate("DatabaseFile", "a short name longer than %1 bytes")
            .arg(kLongestName);
    if (parent.size() > kLongestName)
        return QCoreApplication::translate("DatabaseFile", "a parent name longer than %1 bytes")
            .arg(kLongestName);
    if (driver.size() > kLongestName)
        return QCoreApplication::translate("DatabaseFile", "a driver name longer than %1 bytes")
            .arg(kLongestName);
    if (description.size() > kLongestDescription)
        return QCoreApplication::translate("DatabaseFile", "a description longer than %1 bytes")
            .arg(formatCount(kLongestDescription));
    // A table keeps no "|" in a name or a parent, and no line break in a driver.
    if (description.contains('|'))
        return QCoreApplication::translate("DatabaseFile", "a \"|\" in its description");
    if (hasLineBreak(description) || hasLineBreak(name) || hasLineBreak(parent))
        return QCoreApplication::translate("DatabaseFile", "a line break in one of its fields");
    return std::nullopt;
}

std::optional<qsizetype> findUnreadableRecord(const GameTable& games) {
    // What the file's form can hold cheaply: fields short enough, without
    // separator or line break where they move fields; any other record is
    // looked at closely.
    const auto plain = [](QByteArrayView bytes, qsizetype limit, bool separatorAllowed) {
        return bytes.size() <= limit &&
               std::none_of(bytes.begin(), bytes.end(), [separatorAllowed](char c) {
                   return (c == '|' && !separatorAllowed) || c == '\r' || c == '\n';
               });
    };
    for (qsizetype i = 0; i < std::ssize(games); ++i) {
        const GameRecord game = games[i];
        if (!game.descriptionBytes().isEmpty() && !game.nameBytes().isEmpty() &&
            !game.driverBytes().isEmpty() &&
            plain(game.descriptionBytes(), kLongestDescription, false) &&
            plain(game.nameBytes(), kLongestName, false) &&
            plain(game.parentBytes(), kLongestName, false) &&
            game.driverBytes().size() <= kLongestName && !games.unkeptReason(i))
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
        const GameRecord game = games[*bad];
        const QString label = game.nameBytes().isEmpty() ? game.description() : game.name();
        return Failure{QCoreApplication::translate("DatabaseFile", "Game %1 (%2) has %3.")
                           .arg(QString::number(*bad + 1), quoted(label), *unreadableReason(game))};
    }

    // Each record's line is copied straight into the bytes written.
    return writeFileAtomically(path, [&games, next = qsizetype(0)](QByteArray& out) mutable {
        out += games[next++].lineBytes();
        out += "\r\n";
        return next < std::ssize(games);
    });
}
