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

bool hasLineBreak(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

} // namespace

DatabaseLoad readDatabase(const QString& path) {
    DatabaseLoad load;
    const std::optional<QStringList> lines = readLines(path);
    if (!lines) {
        load.status = DatabaseStatus::Unreadable;
        return load;
    }
    if (lines->isEmpty()) {
        load.status = DatabaseStatus::EmptyFile;
        return load;
    }

    if (lines->size() > kMaxGames) {
        load.status = DatabaseStatus::TooManyLines;
        return load;
    }

    GameTable games;
    games.reserve(lines->size());
    for (const QString& line : *lines) {
        GameRecord game = parseRecord(line);
        if (game.description.isEmpty() || game.name.isEmpty() || game.driver.isEmpty()) {
            load.status = DatabaseStatus::InvalidRecord;
            load.badLine = std::ssize(games) + 1;
            return load;
        }
        games.push_back(std::move(game));
    }
    load.status = DatabaseStatus::Ok;
    load.games = std::move(games);
    return load;
}

QString unreadableReason(const GameRecord& game) {
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
    return {};
}

std::optional<qsizetype> findUnreadableRecord(const GameTable& games) {
    for (qsizetype i = 0; i < std::ssize(games); ++i) {
        if (!unreadableReason(games[i]).isEmpty())
            return i;
    }
    return std::nullopt;
}

QString writeDatabase(const QString& path, const GameTable& games) {
    if (games.empty())
        return QStringLiteral("There is no game to write.");
    if (std::ssize(games) > kMaxGames)
        return QStringLiteral("%1 games are more than the database can hold (%2).")
            .arg(QLocale(QLocale::English).toString(std::ssize(games)),
                 QLocale(QLocale::English).toString(kMaxGames));
    if (const std::optional<qsizetype> bad = findUnreadableRecord(games)) {
        const GameRecord& game = games[*bad];
        return QStringLiteral("Game %1 (\"%2\") has %3.")
            .arg(QString::number(*bad + 1), game.name.isEmpty() ? game.description : game.name,
                 unreadableReason(game));
    }

    QStringList lines;
    lines.reserve(std::ssize(games));
    for (const GameRecord& game : games) {
        lines.append(game.description + kSeparator + game.name + kSeparator + game.parent +
                     kSeparator + game.driver);
    }
    return writeLinesAtomically(path, lines);
}
