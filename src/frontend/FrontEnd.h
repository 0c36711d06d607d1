#pragma once

#include "database/GameRecord.h"
#include "database/ListingImport.h"
#include "frontend/Outcome.h"
#include "gamelist/DriverFilter.h"
#include "launch/MameGeneration.h"
#include "launch/MameRun.h"
#include "text/Compare.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class ListXmlReader;
class QThread;
struct AuditOutcome;
class TempListingFolder;

// Everything the window shows and the commands share. Only FrontEnd changes it.
struct FrontEndState {
    // Files, named after the program, in the working folder.
    QString settingsFile;
    QString databaseFile;
    // The MAME executable as saved or chosen, its own ini file, and the start
    // of Play's command line.
    QString mameExecutable;
    QString mameIniFile;
    QString playCommandPrefix;
    // The options of the last "Play..." answer, and the driver filter (empty:
    // every game shown).
    QString playOptions;
    QString driverFilter;
    // Switches read from the settings file.
    bool hideConsole = false;
    bool noShortcuts = false;
    bool caseInsensitive = false;
    // The master table, in database order, and the shown table: every game or
    // those of the filtered drivers, in master order. Row k of the list is
    // record k of shown.
    GameTable games;
    GameTable shown;
    // The position in shown of the game every game command acts on; -1
    // only while shown is empty.
    int selectedRow = -1;
};

// The commands that run MAME, one at a time.
enum class MameCommand { None, List, Audit, Ini, play };

// The ini file buttons that act on the selected game.
enum class IniButton { Driver, Parent, Set };

// The front end without its window: the state, and the operations on it. The
// window shows what the signals say changed and asks through the methods.
class FrontEnd : public QObject {
    Q_OBJECT

  public:
    explicit FrontEnd(MameRunner& runner, QObject* parent = nullptr);
    ~FrontEnd() override;

    const FrontEndState& state() const { return m_state; }

    // Start-up. The file names come from the program's name; the executable
    // sets mameIniFile and playCommandPrefix as well.
    void setProgramName(const QString& programName);
    void setMameExe(const QString& mameExecutable);
    void setOptions(const QString& playOptions) { m_state.playOptions = playOptions; }
    void setFilter(const QString& driverFilter) { m_state.driverFilter = driverFilter; }
    void setSwitches(bool hideConsole, bool noShortcuts, bool caseInsensitive);
    // Reads the database file, shows its games through the saved filter (all
    // of them, with the filter emptied and the first game chosen, when it
    // matches nothing) and selects `lastGame` (the first when out of range).
    Outcome<Done> loadDatabase(int lastGame);

    // The list.
    void showAllGames();
    FilterResult applyDriverFilter(const QString& text, QString* message = nullptr);
    void searchGames(const QString& text);
    void select(int index);
    const GameRecord* selectedGame() const;
    // The Info box's text for the selected game.
    Outcome<QString> gameInformation() const;

    // Writes the master table and shows it again through the filter, first
    // game selected. On a failure nothing changes.
    Outcome<Done> saveDatabase();

    // MAME runs: each reports through its signal; meanwhile busy() holds.
    bool busy() const { return m_command != MameCommand::None; }
    // The title of the command in progress: "List", "Audit" or the button's.
    QString busyTitle() const;
    void buildDatabase();
    void auditDatabase();
    // Plays the selected game; with options, they become playOptions first.
    void play(const std::optional<QString>& options);
    // The command line Play runs for the selected game.
    Outcome<QString> playCommandLine(const std::optional<QString>& options) const;
    // MAME's own ini file, made by MAME when it is missing; then iniReady. An
    // old MAME's lies in the working folder, a current one's in the first
    // folder of its inipath.
    void editMameIni();
    // The ini file of the selected game's driver, parent or set, made empty
    // when missing; then iniReady. An old MAME's lie in "ini" below the working
    // folder, a current one's in the first folder of its inipath (the
    // drivers' in "source" below it).
    void editIniFile(IniButton button);
    // Ends the MAME run in progress; its command then fails with "Cancelled.".
    void cancel();

  signals:
    void shownAboutToChange();
    void shownChanged();
    void selectionChanged(int index);
    // The master table was replaced: `any` is false when no game is left.
    void gamesChanged(bool any);
    void busyChanged(MameCommand command, bool busy);
    // What a long run is doing, and how far it is (total 0: unknown).
    void progressChanged(const QString& text, qint64 value, qint64 total);
    void listFinished(const Outcome<Done>& outcome);
    void auditFinished(const Outcome<QString>& summary);
    // Play ended (the window comes back), or nothing was started.
    void playFinished(const Outcome<Done>& outcome);
    // The file to open in the editor, for the button titled `title`.
    void iniReady(const QString& title, const Outcome<QString>& path);

  private:
    void replaceShown(GameTable shown);
    Outcome<Done> replaceDatabase(GameTable games);
    // Makes the private folder for MAME's output; else says why it could not.
    QString makeTempFolder();
    MameRunRequest mameRequest(const QStringList& arguments) const;
    void startRun(MameCommand command, const MameRunRequest& request,
                  std::function<void(const RunResult&)> done);
    void endRun();
    // The whole message for a run that did not finish, or empty when it did.
    QString runFailure(const RunResult& result, const QString& what) const;
    void watchListFullHeader(bool headerOnly);
    bool headerShowsCurrentMame() const;
    void setGeneration(MameGeneration generation);
    void listStep(int step);
    void listXmlStep();
    void reportListProgress();
    void inWorker(std::function<void()> work, std::function<void()> done);
    void finishImport(ListingImport import);
    void applyAudit(AuditOutcome audit);
    void finishList(const Outcome<Done>& outcome);
    void auditStep(const QStringList& arguments);
    void finishAudit(const Outcome<QString>& outcome);
    void findIniFolder(const QString& title, std::function<void(const Outcome<QString>&)> then);

    FrontEndState m_state;
    MameRunner& m_runner;
    CaseInsensitiveCompare m_searchCompare;
    // The command in progress, its run and its temporary folder.
    MameCommand m_command = MameCommand::None;
    QString m_busyTitle;
    std::unique_ptr<MameRun> m_run;
    bool m_userCancelled = false;
    std::unique_ptr<TempListingFolder> m_temp;
    qint64 m_gamesListed = 0;
    // What the runs found out about the MAME at hand: which kind it is (from
    // the header of its game listing), and where a current one keeps its ini
    // files. Both are asked again when the executable changes.
    std::optional<MameGeneration> m_generation;
    std::optional<MameGeneration> m_headerGeneration;
    QByteArray m_header;
    std::optional<QString> m_iniFolder;
    QByteArray m_showConfig;
    // The -listxml document as it arrives, and the thread that reads and sorts
    // what MAME gave.
    std::unique_ptr<ListXmlReader> m_xml;
    QThread* m_worker = nullptr;
};
