// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "catalogue/Catalogue.h"
#include "database/Audit.h"
#include "frontend/GameList.h"
#include "frontend/IniFileJob.h"
#include "frontend/MameJob.h"
#include "frontend/MameSetup.h"
#include "settings/Settings.h"

#include <QObject>
#include <QThread>
#include <chrono>
#include <memory>
#include <optional>

// The commands that run MAME, one at a time.
enum class Command { List, Audit, MameIni, DriverIni, ParentIni, SetIni, Play, Info };

// The front end without its window: the game list, the MAME at hand and the
// settings, and the commands on them. The window shows what the signals say
// and asks through the methods; it names the commands as it pleases.
class FrontEnd : public QObject {
    Q_OBJECT

  public:
    // A Play counts when MAME ends with status 0 or ran for at least
    // `playedAfter`.
    explicit FrontEnd(MameRunner& runner,
                      std::chrono::milliseconds playedAfter = std::chrono::seconds(30),
                      QObject* parent = nullptr);
    ~FrontEnd() override;

    // Start-up, in this order. The settings and database files and the catalogue
    // are named after the program; the settings are those read from the file
    // (or the defaults).
    void setProgramName(const QString& programName);
    const QString& settingsFile() const { return m_settingsFile; }
    // Where Audit writes its report, and List what a new MAME changed.
    const QString& auditReportFile() const { return m_auditReportFile; }
    const QString& changesFile() const { return m_changesFile; }
    void configure(const Settings& settings);
    const Settings& settings() const { return m_settings; }
    // What the previous MAME is being asked in the background is of no use any more.
    void setMameExecutable(const QString& executable);
    // Reads the database file (when there is one) through the saved filter
    // and Show choices and selects the saved game.
    bool hasDatabaseFile() const;
    Outcome<Done> loadDatabase();
    // The saved Show choices, which the catalogue must be read for before the
    // database when they hide anything.
    ShowChoices savedShowChoices() const;
    // Opens the catalogue and hands its facts and favourites to the game list;
    // once a run, later calls do nothing. A failure is for the user: the
    // program goes on, with a fresh catalogue or none (see Catalogue::open()).
    // A catalogue that another program holds is read, without a word, once it
    // is free. Once open, the whole file is checked on a thread of its own,
    // and a damaged one is renewed (catalogueNotice()).
    Outcome<Done> loadCatalogue();
    bool catalogueLoaded() const { return m_catalogueLoaded; }
    // Once a run, after the first paint: on a thread of its own, reads again
    // the category files and history.xml that changed since the store took
    // them (in the folders the last List found); the list follows.
    void refreshSupportFiles();
    const Catalogue& catalogue() const { return *m_catalogue; }

    // Shutdown: writes the settings, the window's own part as given.
    Outcome<Done> saveSettings(const WindowSettings& window);

    GameList& games() { return m_games; }
    const GameList& games() const { return m_games; }
    const MameSetup& mame() const { return m_mame; }
    const QString& playOptions() const { return m_settings.playOptions; }

    // The commands. Each reports through commandFinished(); while one runs,
    // busy() holds and the others start nothing.
    bool busy() const { return m_job != nullptr; }
    void list();
    // With a current MAME, after a full audit only the sets whose files
    // changed are checked, unless `full` (see AuditJob).
    void audit(bool full = false);
    // Plays the selected game; with options, they are remembered first.
    void play(const std::optional<QString>& options);
    // Finds (and makes, when missing) an ini file: MAME's own, or the one of
    // the selected game's driver, parent or set.
    void editIni(IniFile file);
    // Ends the command in progress, which then finishes as cancelled.
    void cancel();
    // The selected game's information, with its machine facts and the
    // snapshot MAME took of it when there are any (see InfoJob).
    void info();
    // The selected game's information without its snapshot, at once (see
    // gameInfo()); nothing when no game is selected.
    std::optional<GameInfo> selectedGameInfo() const;
    // Where a current MAME keeps its snapshots, once asked (by Info, or by
    // learnSnapshotFolders()).
    std::optional<QStringList> snapshotFolders() const { return m_mame.snapshotFolders(); }
    // Asks MAME where it keeps its snapshots, in the background: no
    // progress, no busy state, no message; snapshotFoldersLearnt() follows
    // when they are known. Asked once per executable, and only of a MAME
    // whose facts the store holds (a current one).
    void learnSnapshotFolders();
    // The ini file `file` names for the selected game, as the user finds it:
    // relative to MAME's ini folder for a current MAME ("source/pacman.ini",
    // "pacman.ini", "mame.ini"), to the working folder for an old one
    // ("ini/pacman.ini"); empty without a game (or, for Parent, without a
    // parent). A MAME not yet asked is taken to be current when the store
    // holds its facts.
    QString iniFileName(IniFile file) const;

    // Marks or unmarks the selected game as a favourite, in the catalogue first;
    // a failure changes nothing. A catalogue that another program holds gets the
    // change as soon as it is free (never waited for here): the game is
    // marked at once, and the value is a word on it for the user (empty when
    // there is nothing to tell).
    Outcome<QString> setFavourite(bool favourite);
    // Shows the games through `choices`; false, changing nothing, when no
    // game would be left.
    bool applyShowChoices(const ShowChoices& choices);

  signals:
    // A command has started (or stopped) running MAME.
    void busyChanged(Command command, bool busy);
    // What the command in progress is doing, and how far it is (total 0: unknown).
    void progressChanged(const QString& text, qint64 value, qint64 total);
    void commandFinished(Command command, const Outcome<JobResult>& outcome);
    void snapshotFoldersLearnt();
    // Something happened to the catalogue that the user should hear of: it was
    // found damaged and started afresh.
    void catalogueNotice(const QString& text);

  private:
    // How a change of the user's went: made now, queued behind a store that
    // another program holds, or refused (`why` says so).
    enum class Kept { Now, Later, Refused };
    Kept keep(const CatalogueQueue::Change& change, QString& why);
    // The queue of the store's work off the window's thread, made at need.
    CatalogueQueue& queue();
    // The store was found damaged: it is renewed and the user told.
    void renewCatalogue(const QString& reason);
    void onQueueDrained();
    void begin(Command command, std::unique_ptr<MameJob> job);
    void onJobFinished(const Outcome<JobResult>& outcome);
    void onRunning();
    void countPlay();

    QString m_settingsFile;
    QString m_auditReportFile;
    QString m_changesFile;
    Settings m_settings;
    MameRunner& m_runner;
    const std::chrono::milliseconds m_playedAfter;
    MameSetup m_mame;
    GameList m_games;
    std::unique_ptr<Catalogue> m_catalogue;
    bool m_catalogueLoaded = false;
    bool m_catalogueWaits = false; // busy at its opening: read once it is free
    std::unique_ptr<CatalogueQueue> m_queue;
    // Whether the store's machine facts go with the database file (its stamp).
    bool m_factsMatchDatabase = false;
    QString m_playedSet; // the set of the Play in progress
    std::unique_ptr<MameJob> m_job;
    std::unique_ptr<MameJob> m_background; // learnSnapshotFolders()'s
    QString m_foldersAskedOf;              // the executable asked, once
    QThread* m_supportRefresh = nullptr;   // refreshSupportFiles()'s, while it runs
    bool m_supportRefreshed = false;
    Command m_command = Command::List;
    bool m_running = false;
};
