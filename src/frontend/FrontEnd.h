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

    // Start-up, in this order. The settings and database files and the store
    // are named after the program; the settings are those read from the file
    // (or the defaults).
    void setProgramName(const QString& programName);
    const QString& settingsFile() const { return m_settingsFile; }
    // Where Audit writes its report.
    const QString& auditReportFile() const { return m_auditReportFile; }
    void configure(const Settings& settings);
    const Settings& settings() const { return m_settings; }
    void setMameExecutable(const QString& executable) { m_mame.setExecutable(executable); }
    // Reads the database file (when there is one) through the saved filter
    // and Show choices and selects the saved game.
    bool hasDatabaseFile() const;
    Outcome<Done> loadDatabase();
    // The saved Show choices, which the store must be read for before the
    // database when they hide anything.
    ShowChoices savedShowChoices() const;
    // Opens the store and hands its facts and favourites to the game list;
    // once a run, later calls do nothing. A failure is for the user: the
    // program goes on, with a fresh store or none (see Catalogue::open()).
    Outcome<Done> loadCatalogue();
    bool catalogueLoaded() const { return m_catalogueLoaded; }
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
    void audit();
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

    // Marks or unmarks the selected game as a favourite, in the store first;
    // a failure changes nothing.
    Outcome<Done> setFavourite(bool favourite);
    // Shows the games through `choices`; false, changing nothing, when no
    // game would be left.
    bool applyShowChoices(const ShowChoices& choices);

  signals:
    // A command has started (or stopped) running MAME.
    void busyChanged(Command command, bool busy);
    // What the command in progress is doing, and how far it is (total 0: unknown).
    void progressChanged(const QString& text, qint64 value, qint64 total);
    void commandFinished(Command command, const Outcome<JobReport>& outcome);

  private:
    void begin(Command command, std::unique_ptr<MameJob> job);
    void onJobFinished(const Outcome<JobReport>& outcome);
    void onRunning();
    void keepAudit(const std::vector<SetFinding>& findings);
    void countPlay();

    QString m_settingsFile;
    QString m_auditReportFile;
    Settings m_settings;
    MameRunner& m_runner;
    const std::chrono::milliseconds m_playedAfter;
    MameSetup m_mame;
    GameList m_games;
    std::unique_ptr<Catalogue> m_catalogue;
    bool m_catalogueLoaded = false;
    QString m_playedSet; // the set of the Play in progress
    std::unique_ptr<MameJob> m_job;
    Command m_command = Command::List;
    bool m_running = false;
};
