// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/BuildChanges.h"
#include "database/GameRecord.h"
#include "database/MachineList.h"
#include "gamelist/FactColumns.h"
#include "gamelist/GameFlags.h"
#include "gamelist/NarrowColumns.h"
#include "gamelist/NarrowOffer.h"
#include "gamelist/ShowChoices.h"
#include "gamelist/ShownRows.h"
#include "gamelist/WordSearch.h"
#include "text/Compare.h"
#include "text/Outcome.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class SetAsideFile;

// The games of the database and what the list shows of them: the master
// table in database order, the shown rows (the games of the filtered drivers,
// or every game, that the Show choices let through, as positions in the
// master table), the driver filter, the Show choices and the selected row.
// Row k of the list is shownGame(k). Whenever games are shown, one of them is
// selected. Beside the table it keeps, aligned with it, what the Show choices
// and the search need of the machine facts and favourites (facts()).
class GameList : public QObject {
    Q_OBJECT

  public:
    explicit GameList(QObject* parent = nullptr);

    // The database file the table is read from and written to.
    void setDatabaseFile(const QString& path) { m_databaseFile = path; }
    const QString& databaseFile() const { return m_databaseFile; }

    const GameTable& games() const { return m_games; }
    const ShownRows& shownRows() const { return m_shown; }
    GameRecord shownGame(qsizetype row) const { return m_games[m_shown[row]]; }
    const QString& driverFilter() const { return m_driverFilter; }
    const ShowChoices& showChoices() const { return m_choices; }
    const GameFacts& facts() const { return m_facts; }
    // Whether a current MAME's facts are at hand (the choices on them work).
    bool hasMachineFacts() const { return m_facts.any; }
    // The manufacturer of each game, decoded when first asked for.
    const std::vector<QString>& manufacturers() const;
    // What the search's word step searches, per game, folded when first needed.
    const WordSearchTexts& searchTexts() const;
    // What factColumns() are made from when first asked for: the catalogue's
    // machines and plays. False while there is nothing to read them from
    // (the catalogue is not read yet): the columns are then empty, and made
    // when asked for again.
    using ColumnSource = std::function<bool(MachineColumns& machines, PlayTable& plays)>;
    void setColumnSource(ColumnSource source) { m_columnSource = std::move(source); }
    // A current MAME's facts and the plays, aligned with the table; made
    // when first asked for after the table or the catalogue changed, never on
    // the way to the first paint.
    const FactColumns& factColumns() const;
    // What the Manufacturer, Year and Category choices test, aligned with the
    // table: made when first asked for from manufacturers(), factColumns()
    // and the categories; the years stay unknown until the catalogue is read.
    const NarrowColumns& narrowColumns() const;
    // Where the categories come from when first needed: false while there is
    // nothing to read them from (the catalogue is not read yet).
    using CategorySource = std::function<bool(CategoryTable& categories)>;
    void setCategorySource(CategorySource source) { m_categorySource = std::move(source); }
    // The categories changed (read anew from the category files): they are
    // read again from the source, and the games shown again.
    void categoriesChanged();
    // The rows of `rows` that `choices` let through: the one rule of what is
    // shown, which every change of the list and every count of hidden games
    // goes through.
    ShownRows passThrough(const ShownRows& rows, const ShowChoices& choices) const;
    // What the dialog of the choice `kind` offers: the values of the games
    // that the driver filter and the other choices let through, counted.
    NarrowOffer narrowOffer(NarrowKind kind) const;
    // A play of `set` was counted at `when`: its columns follow.
    void notePlayed(const QString& set, const QDateTime& when);
    // The machine list lined up with the table as it is now.
    MachineList machineList() const { return machineListFor(m_games, m_facts, m_machines); }
    // How many games the driver filter lets through, before the Show choices.
    qsizetype filteredCount() const { return m_filtered.size(); }
    // The row of the game at master position `position`, -1 when it is not shown.
    qsizetype rowOfGame(qint32 position) const;
    // Changes whenever the table or the facts and manufacturers aligned with
    // it change (not with the Show choices, favourites or the selection).
    quint64 generation() const { return m_generation; }
    // The selected row; -1 only while no game is shown.
    int selectedRow() const { return m_selectedRow; }
    std::optional<GameRecord> selectedGame() const;

    // Reads the database file and shows its games through `driverFilter` and
    // `choices`: when the filter leaves no game, every game is shown through
    // the choices and the filter is emptied; when the choices leave none,
    // they go back to showing everything. Then `lastGame` is selected, or the
    // first game when it is out of range or a fallback changed the list.
    // Fails, changing nothing, when the file does not read as a database.
    Outcome<Done> load(const QString& driverFilter, qint32 lastGame,
                       const ShowChoices& choices = {});
    // Takes the catalogue's machine list and favourites (by set name), aligns
    // them with the table, and shows the games again through the choices,
    // keeping the selected game when it stays shown.
    void setCatalogue(MachineList machines, QSet<QString> favourites);

    // Shows the games of the drivers named in `text` (every game for an empty
    // text), selects the first and keeps the normalised filter. Gives false,
    // changing nothing, when no game has any of the drivers; fails, changing
    // nothing, when the text is not a filter.
    Outcome<bool> applyDriverFilter(const QString& text);
    // Shows the games of the driver filter through `choices`, keeping the
    // selected game when it stays shown (else selecting the first). Gives
    // false, changing nothing, when no game would be left.
    bool applyShowChoices(const ShowChoices& choices);
    // Marks or unmarks the game at master position `position` as a favourite
    // (in memory; the catalogue is the front end's). With "favourites only", an
    // unmarked game leaves the list, the selection staying at its row; when
    // that would leave no game, "favourites only" is switched off.
    void setFavourite(qsizetype position, bool favourite);
    // The favourite marks of sets renamed (from, to) move to the new names;
    // they show once the table holding those names is in place.
    void renameFavourites(const std::vector<std::pair<MachineDigest, MachineDigest>>& renamed);
    bool isFavourite(qsizetype position) const;
    // Selects the game the search text finds (the prefix and bracketed set
    // name searches, then the further steps of searchFurther()); a miss
    // leaves the selection. Gives false for a miss of a whole search text:
    // not for the empty text, nor for a set name still being typed ("[pac",
    // not yet closed by "]").
    bool search(const QString& text);
    // How many games that the driver filter or the Show choices hide
    // search(text) would find were they shown.
    qsizetype hiddenMatches(const QString& text) const;
    // Selects `row`; a row that is not shown changes nothing.
    void select(qsizetype row);

    // Makes `games` the master table: writes the database file, then shows
    // the games through the filter (all of them, with the filter emptied, when
    // it matches none) and selects the first. Fails, changing nothing, when
    // the file cannot be written.
    // With `machines`, that is the machine list from now on.
    Outcome<Done> replaceGames(GameTable games, std::optional<MachineList> machines = std::nullopt);
    // Makes `games`, already written to the database file, the master table,
    // as replaceGames does after its write.
    void adoptGames(GameTable games, std::optional<MachineList> machines = std::nullopt);
    // Deletes the database file and empties the tables. Fails, changing
    // nothing, when the file cannot be deleted.
    Outcome<Done> removeAll();
    // Empties the tables once the database file is gone, as removeAll does.
    void forgetGames();

    // For the time a List builds a new table: sets the bytes of the table's
    // texts and the machine list aside in a new file `path`, and lets go of
    // what is made from them (the search's texts, the manufacturers). The
    // list shows the same games meanwhile, reading the texts it shows from
    // the file. When the file cannot be made, everything stays in memory.
    void setTextsAside(const QString& path);
    // Takes them back, as they were; nothing to do when nothing is set
    // aside. When they cannot be read back, the games are read again from
    // the database file.
    void takeTextsBack();

  signals:
    void shownAboutToChange();
    void shownChanged();
    void selectionChanged(int row);
    // The master table was replaced: `any` is false when no game is left.
    void gamesChanged(bool any);
    // The Show choices changed, or the facts and favourites they work on.
    void showChoicesChanged();
    // The play count of the game at master position `position` changed.
    void playCounted(qint32 position);

  private:
    void show(ShownRows rows);
    // Shows the games through the driver filter and the choices and selects
    // the first; false when either had to give way: a filter that leaves no
    // game is emptied, then choices that leave none go back to the defaults.
    bool showThroughFilter();
    // Shows `rows` (the filter's) through the current choices, keeping the
    // selected game or else the selected row, within the new rows.
    void reshow(ShownRows rows);
    void align();
    // Forgets what setTextsAside() set aside of the machine list.
    void dropAsideMachines() { m_asideMachines.reset(); }

    QString m_databaseFile;
    GameTable m_games;
    ShownRows m_filtered; // the driver filter's rows
    ShownRows m_shown;
    QString m_driverFilter;
    ShowChoices m_choices;
    MachineList m_machines;
    QSet<QString> m_favourites;
    GameFacts m_facts;
    mutable std::optional<std::vector<QString>> m_manufacturers;
    mutable std::optional<WordSearchTexts> m_searchTexts; // wordSearchTexts(), made at need
    // Where setTextsAside() put the machine list's texts.
    struct AsideMachines {
        std::shared_ptr<SetAsideFile> file;
        qint64 namesAt = 0, namesSize = 0, manufacturersAt = 0, manufacturersSize = 0;
    };
    std::optional<AsideMachines> m_asideMachines;
    ColumnSource m_columnSource;
    mutable std::optional<FactColumns> m_columns; // factColumns(), made at need
    CategorySource m_categorySource;
    mutable std::optional<NarrowColumns> m_narrow; // narrowColumns(), made at need
    mutable bool m_narrowWhole = false;            // made with the catalogue's years and categories
    int m_selectedRow = -1;
    quint64 m_generation = 0;
    CaseInsensitiveCompare m_searchCompare;
};
