#include "database/DatabaseFile.h"

#include "text/SharedText.h"
#include "text/TextFile.h"

#include <QFile>
#include <QLocale>
#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr QChar kSeparator = u'|';

bool hasLineBreak(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

// How many of `bytes` are line ends (CR and LF both count), sixteen at a time
// where the processor can.
qsizetype countLineEnds(QByteArrayView bytes) {
    const char* const data = bytes.data();
    const qsizetype size = bytes.size();
    qsizetype count = 0;
    qsizetype at = 0;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; at + 16 <= size; at += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
        const int hits =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        count += __builtin_popcount(static_cast<unsigned>(hits));
    }
#endif
    for (; at < size; ++at)
        count += data[at] == '\r' || data[at] == '\n';
    return count;
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

// The file is decoded as a whole into one text (line ends, bytes and marks
// as readLines reads them), its separators and line ends are overwritten with
// u'\0', and every field is a slice of that text: the table holds one
// allocation for all its texts.
Outcome<GameTable> readDatabase(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{QStringLiteral("The database %1 could not be read.").arg(path)};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Failure{QStringLiteral("The database %1 could not be read.").arg(path)};
    file.close();
    // More than the lines when CR LF ends them, which costs only address space.
    const qsizetype reserved = std::min<qsizetype>(countLineEnds(bytes) + 1, kMaxGames + 1);
    QString text = decodeText(bytes);
    bytes = QByteArray(); // gone before the table grows
    char16_t* const chars = reinterpret_cast<char16_t*>(text.data());
    const qsizetype size = text.size();

    // A field ends at its separator (the first three "|" of a line) or at the
    // line's end; the driver takes the rest of the line.
    GameTable games;
    games.reserve(reserved);
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
            return Failure{QStringLiteral("The database %1 holds more than %2 lines.")
                               .arg(path, QLocale(QLocale::English).toString(kMaxGames))};
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
        return Failure{QStringLiteral("The database %1 is empty.").arg(path)};
    if (firstBad != 0)
        return Failure{
            QStringLiteral("Line %1 of the database %2 is not a game.").arg(firstBad).arg(path)};
    return games;
}

std::optional<QString> unreadableReason(const GameRecord& game) {
    if (game.description.isEmpty())
        return QStringLiteral("an empty description");
    if (game.name.isEmpty())
        return QStringLiteral("an empty short name");
    if (game.driver.isEmpty())
        return QStringLiteral("an empty driver");
    if (game.description.contains(kSeparator))
        return QStringLiteral("a \"|\" in its description");
    if (game.name.contains(kSeparator))
        return QStringLiteral("a \"|\" in its short name");
    if (game.parent.contains(kSeparator))
        return QStringLiteral("a \"|\" in its parent");
    if (hasLineBreak(game.description) || hasLineBreak(game.name) || hasLineBreak(game.parent) ||
        hasLineBreak(game.driver))
        return QStringLiteral("a line break in one of its fields");
    if (!readsBackAsWritten(game.description) || !readsBackAsWritten(game.name) ||
        !readsBackAsWritten(game.parent) || !readsBackAsWritten(game.driver))
        return QStringLiteral("a broken character in one of its fields");
    return std::nullopt;
}

std::optional<qsizetype> findUnreadableRecord(const GameTable& games) {
    // A field without separator, line break or surrogate reads back as it is;
    // only a record with another field is looked at closely.
    const auto plain = [](QStringView text, bool separatorAllowed) {
        return std::none_of(text.begin(), text.end(), [separatorAllowed](QChar c) {
            return (c == kSeparator && !separatorAllowed) || c == u'\r' || c == u'\n' ||
                   c.isSurrogate();
        });
    };
    for (qsizetype i = 0; i < std::ssize(games); ++i) {
        const GameRecord& game = games[i];
        if (!game.description.isEmpty() && !game.name.isEmpty() && !game.driver.isEmpty() &&
            plain(game.description, false) && plain(game.name, false) &&
            plain(game.parent, false) && plain(game.driver, true))
            continue;
        if (unreadableReason(game))
            return i;
    }
    return std::nullopt;
}

Outcome<Done> writeDatabase(const QString& path, const GameTable& games) {
    if (games.empty())
        return Failure{QStringLiteral("There is no game to write.")};
    if (std::ssize(games) > kMaxGames)
        return Failure{QStringLiteral("%1 games are more than the database can hold (%2).")
                           .arg(QLocale(QLocale::English).toString(std::ssize(games)),
                                QLocale(QLocale::English).toString(kMaxGames))};
    if (const std::optional<qsizetype> bad = findUnreadableRecord(games)) {
        const GameRecord& game = games[*bad];
        return Failure{QStringLiteral("Game %1 (\"%2\") has %3.")
                           .arg(QString::number(*bad + 1),
                                game.name.isEmpty() ? game.description : game.name,
                                *unreadableReason(game))};
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
