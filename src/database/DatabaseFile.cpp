#include "database/DatabaseFile.h"

#include "text/SplitFirst.h"
#include "text/TextFile.h"

#include <QLocale>
#include <QStringList>

namespace {

constexpr QChar kSeparator = u'|';

GameRecord ParseRecord(QString line) {
    GameRecord game;
    game.strDescription = SplitFirst(line, kSeparator);
    game.strName = SplitFirst(line, kSeparator);
    game.strParent = SplitFirst(line, kSeparator);
    game.strDriver = std::move(line); // the rest, further separators included
    return game;
}

bool HasLineBreak(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

} // namespace

DatabaseLoad ReadDatabase(const QString& path) {
    DatabaseLoad load;
    const std::optional<QStringList> lines = ReadLines(path);
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
        GameRecord game = ParseRecord(line);
        if (game.strDescription.isEmpty() || game.strName.isEmpty() || game.strDriver.isEmpty()) {
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

QString UnreadableReason(const GameRecord& game) {
    if (game.strDescription.isEmpty())
        return QStringLiteral("an empty description");
    if (game.strName.isEmpty())
        return QStringLiteral("an empty short name");
    if (game.strDriver.isEmpty())
        return QStringLiteral("an empty driver");
    if (game.strDescription.contains(kSeparator))
        return QStringLiteral("a \"|\" in its description");
    if (game.strName.contains(kSeparator))
        return QStringLiteral("a \"|\" in its short name");
    if (game.strParent.contains(kSeparator))
        return QStringLiteral("a \"|\" in its parent");
    if (HasLineBreak(game.strDescription) || HasLineBreak(game.strName) ||
        HasLineBreak(game.strParent) || HasLineBreak(game.strDriver))
        return QStringLiteral("a line break in one of its fields");
    if (!ReadsBackAsWritten(game.strDescription) || !ReadsBackAsWritten(game.strName) ||
        !ReadsBackAsWritten(game.strParent) || !ReadsBackAsWritten(game.strDriver))
        return QStringLiteral("a broken character in one of its fields");
    return {};
}

std::optional<qsizetype> FindUnreadableRecord(const GameTable& games) {
    for (qsizetype i = 0; i < std::ssize(games); ++i) {
        if (!UnreadableReason(games[i]).isEmpty())
            return i;
    }
    return std::nullopt;
}

QString WriteDatabase(const QString& path, const GameTable& games) {
    if (games.empty())
        return QStringLiteral("There is no game to write.");
    if (std::ssize(games) > kMaxGames)
        return QStringLiteral("%1 games are more than the database can hold (%2).")
            .arg(QLocale(QLocale::English).toString(std::ssize(games)),
                 QLocale(QLocale::English).toString(kMaxGames));
    if (const std::optional<qsizetype> bad = FindUnreadableRecord(games)) {
        const GameRecord& game = games[*bad];
        return QStringLiteral("Game %1 (\"%2\") has %3.")
            .arg(QString::number(*bad + 1),
                 game.strName.isEmpty() ? game.strDescription : game.strName,
                 UnreadableReason(game));
    }

    QStringList lines;
    lines.reserve(std::ssize(games));
    for (const GameRecord& game : games) {
        lines.append(game.strDescription + kSeparator + game.strName + kSeparator + game.strParent +
                     kSeparator + game.strDriver);
    }
    return WriteLinesAtomically(path, lines);
}
