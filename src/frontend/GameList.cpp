#include "frontend/GameList.h"

#include "database/DatabaseFile.h"
#include "gamelist/DriverFilter.h"
#include "gamelist/GameInfo.h"
#include "gamelist/GameSearch.h"

#include <QFile>

GameList::GameList(QObject* parent) : QObject(parent) {}

const GameRecord* GameList::selectedGame() const {
    if (m_selectedRow < 0)
        return nullptr;
    return &shownGame(m_selectedRow);
}

Outcome<Done> GameList::load(const QString& driverFilter, qint32 lastGame) {
    Outcome<GameTable> read = readDatabase(m_databaseFile);
    if (!read.ok())
        return read.why();
    m_games = std::move(read).value();
    m_driverFilter = driverFilter;
    if (!showThroughFilter() && !driverFilter.isEmpty())
        lastGame = 0; // the saved place was in a list that is gone
    select(lastGame >= 0 && lastGame < m_shown.size() ? lastGame : 0);
    emit gamesChanged(true);
    return Done{};
}

void GameList::show(ShownRows rows) {
    emit shownAboutToChange();
    m_shown = std::move(rows);
    m_selectedRow = -1;
    emit shownChanged();
    if (m_shown.empty())
        emit selectionChanged(-1);
}

Outcome<bool> GameList::applyDriverFilter(const QString& text) {
    Outcome<DriverSelection> selection = selectDrivers(text, m_games);
    if (!selection.ok())
        return selection.why();
    if (selection.value().rows.empty())
        return false;
    DriverSelection chosen = std::move(selection).value();
    show(std::move(chosen.rows));
    m_driverFilter = std::move(chosen.filter);
    select(0);
    return true;
}

bool GameList::search(const QString& text) {
    const qsizetype found = searchGames(m_games, m_shown, text, m_searchCompare);
    if (found >= 0) {
        select(found);
        return true;
    }
    return text.isEmpty() || (text.startsWith(u'[') && !text.endsWith(u']'));
}

void GameList::select(qsizetype row) {
    if (row < 0 || row >= m_shown.size())
        return;
    m_selectedRow = static_cast<int>(row);
    emit selectionChanged(m_selectedRow);
}

Outcome<QString> GameList::information() const {
    const GameRecord* game = selectedGame();
    if (!game)
        return Failure{QStringLiteral("No game is selected.")};
    return gameInfoText(*game, m_games, m_shown);
}

bool GameList::showThroughFilter() {
    const Outcome<bool> filtered =
        m_driverFilter.isEmpty() ? Outcome<bool>(false) : applyDriverFilter(m_driverFilter);
    if (filtered.ok() && filtered.value())
        return true;
    m_driverFilter.clear();
    show(ShownRows::all(std::ssize(m_games)));
    select(0);
    return false;
}

Outcome<Done> GameList::replaceGames(GameTable games) {
    if (Outcome<Done> written = writeDatabase(m_databaseFile, games); !written.ok())
        return Failure{QStringLiteral("The database could not be written to ") + m_databaseFile +
                       QStringLiteral(": ") + written.failure()};
    m_games = std::move(games);
    showThroughFilter();
    emit gamesChanged(true);
    return Done{};
}

Outcome<Done> GameList::removeAll() {
    if (QFile::exists(m_databaseFile) && !QFile::remove(m_databaseFile))
        return Failure{
            QStringLiteral("The database file %1 could not be deleted.").arg(m_databaseFile)};
    show({});
    m_games = {};
    emit gamesChanged(false);
    return Done{};
}
