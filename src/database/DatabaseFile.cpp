#include "database/DatabaseFile.h"

#include "text/SplitFirst.h"
#include "text/TextFile.h"

#include <QLocale>
#include <QStringList>

namespace {

constexpr QChar kSeparator = u'|';

GameRecord parseRecord(QString line) {
    GameRecord game;
    game.description = splitFirst(line, kSeparator);
    game.name = splitFirst(line, kSeparator);
    game.parent = splitFirst(line, kSeparator);
    game.driver = std::move(line); // the rest, further separators included
    return game;
}

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

// A name or description in a message, cut short when it is long.
QString quotedName(const QString& text) {
    constexpr qsizetype kLimit = 100;
    return u'"' + (text.size() <= kLimit ? text : text.left(kLimit) + QStringLiteral("...")) + u'"';
}

} // namespace

Outcome<GameTable> readDatabase(const QString& path) {
    const std::optional<QStringList> lines = readLines(path);
    if (!lines)
        return Failure{QStringLiteral("The database %1 could not be read.").arg(path)};
    if (lines->isEmpty())
        return Failure{QStringLiteral("The database %1 is empty.").arg(path)};
    if (lines->size() > kMaxGames)
        return Failure{QStringLiteral("The database %1 holds more than %2 lines.")
                           .arg(path, QLocale(QLocale::English).toString(kMaxGames))};

    GameTable games;
    games.reserve(lines->size());
    for (const QString& line : *lines) {
        GameRecord game = parseRecord(line);
        if (game.description.isEmpty() || game.name.isEmpty() || game.driver.isEmpty())
            return Failure{QStringLiteral("Line %1 of the database %2 is not a game.")
                               .arg(std::ssize(games) + 1)
                               .arg(path)};
        games.push_back(std::move(game));
    }
    return games;
}

std::optional<QString> unreadableReason(const GameRecord& game) {
    if (game.description.isEmpty())
        return QStringLiteral("an empty description");
    if (game.name.isEmpty())
        return QStringLiteral("an empty short name");
    if (game.driver.isEmpty())
        return QStringLiteral("an empty driver");
    if (longerThan(game.name, kLongestName))
        return QStringLiteral("a short name longer than %1 bytes").arg(kLongestName);
    if (longerThan(game.parent, kLongestName))
        return QStringLiteral("a parent name longer than %1 bytes").arg(kLongestName);
    if (longerThan(game.driver, kLongestName))
        return QStringLiteral("a driver name longer than %1 bytes").arg(kLongestName);
    if (longerThan(game.description, kLongestDescription))
        return QStringLiteral("a description longer than %1 bytes")
            .arg(QLocale(QLocale::English).toString(kLongestDescription));
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
    for (qsizetype i = 0; i < std::ssize(games); ++i) {
        if (unreadableReason(games[i]))
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
        const QString& label = game.name.isEmpty() ? game.description : game.name;
        return Failure{
            QStringLiteral("Game %1 (%2) has %3.")
                .arg(QString::number(*bad + 1), quotedName(label), *unreadableReason(game))};
    }

    QStringList lines;
    lines.reserve(std::ssize(games));
    for (const GameRecord& game : games) {
        lines.append(game.description + kSeparator + game.name + kSeparator + game.parent +
                     kSeparator + game.driver);
    }
    return writeLinesAtomically(path, lines);
}
