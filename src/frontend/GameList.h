#pragma once

#include "database/GameRecord.h"
#include "gamelist/ShownRows.h"
#include "text/Compare.h"
#include "text/Outcome.h"

#include <QObject>
#include <QString>

// The games of the database and what the list shows of them: the master
// table in database order, the shown rows (every game, or those of the
// filtered drivers, as positions in the master table), the driver filter and
// the selected row. Row k of the list is shownGame(k). Whenever games are
// shown, one of them is selected.
class GameList : public QObject {
    Q_OBJECT

  public:
    explicit GameList(QObject* parent = nullptr);

    // The database file the table is read from and written to.
    void setDatabaseFile(const QString& path) { m_databaseFile = path; }
    const QString& databaseFile() const { return m_databaseFile; }

    const GameTable& games() const { return m_games; }
    const ShownRows& shownRows() const { return m_shown; }
    const GameRecord& shownGame(qsizetype row) const { return m_games[m_shown[row]]; }
    const QString& driverFilter() const { return m_driverFilter; }
    // The selected row; -1 only while no game is shown.
    int selectedRow() const { return m_selectedRow; }
    const GameRecord* selectedGame() const;

    // Reads the database file and shows its games through `driverFilter`:
    // when that matches no game, every game is shown, the filter is emptied
    // and the first game selected; otherwise `lastGame` is selected (the
    // first game when it is out of range). Fails, changing nothing, when the
    // file does not read as a database.
    Outcome<Done> load(const QString& driverFilter, qint32 lastGame);

    // Shows the games of the drivers named in `text` (every game for an empty
    // text), selects the first and keeps the normalised filter. Gives false,
    // changing nothing, when no game has any of the drivers; fails, changing
    // nothing, when the text is not a filter.
    Outcome<bool> applyDriverFilter(const QString& text);
    // Selects the game the search text finds; a miss leaves the selection.
    // Gives false for a miss of a whole search text: not for the empty text,
    // nor for a set name still being typed ("[pac", not yet closed by "]").
    bool search(const QString& text);
    // Selects `row`; a row that is not shown changes nothing.
    void select(qsizetype row);
    // The Info box's text for the selected game.
    Outcome<QString> information() const;

    // Makes `games` the master table: writes the database file, then shows
    // the games through the filter (all of them, with the filter emptied, when
    // it matches none) and selects the first. Fails, changing nothing, when
    // the file cannot be written.
    Outcome<Done> replaceGames(GameTable games);
    // Deletes the database file and empties the tables. Fails, changing
    // nothing, when the file cannot be deleted.
    Outcome<Done> removeAll();

  signals:
    void shownAboutToChange();
    void shownChanged();
    void selectionChanged(int row);
    // The master table was replaced: `any` is false when no game is left.
    void gamesChanged(bool any);

  private:
    void show(ShownRows rows);
    // Shows the games through the driver filter and selects the first; false
    // when there is no filter or it matches no game: then every game is shown
    // and the filter is emptied.
    bool showThroughFilter();

    QString m_databaseFile;
    GameTable m_games;
    ShownRows m_shown;
    QString m_driverFilter;
    int m_selectedRow = -1;
    CaseInsensitiveCompare m_searchCompare;
};
