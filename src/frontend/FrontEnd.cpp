#include "frontend/FrontEnd.h"

#include "database/Audit.h"
#include "database/DatabaseFile.h"
#include "database/ListingImport.h"
#include "gamelist/GameInfo.h"
#include "gamelist/GameSearch.h"
#include "launch/ConfigFiles.h"
#include "launch/MameCommands.h"
#include "launch/Platform.h"
#include "launch/TempListingFolder.h"
#include "text/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace {

const QString kNothingChanged = QStringLiteral("\r\n\r\nThe database was not changed.");
const QString kCancelled = QStringLiteral("Cancelled. The database was not changed.");

QString Count(qint64 number) {
    return QLocale(QLocale::English).toString(number);
}

// What each run of MAME is doing, for a message about it.
const char* const kListSteps[] = {"listing its games (-listfull)",
                                  "listing its clones (-listclones)",
                                  "listing its driver source files (-listsourcefile)"};

} // namespace

FrontEnd::FrontEnd(MameRunner& runner, QObject* parent) : QObject(parent), m_runner(runner) {}

FrontEnd::~FrontEnd() = default;

void FrontEnd::SetProgramName(const QString& programName) {
    const QString base = QFileInfo(programName).completeBaseName().toLower();
    m_state.strIniFile = base + QStringLiteral(".ini");
    m_state.strDatFile = base + QStringLiteral(".dat");
}

void FrontEnd::SetMameExe(const QString& strMameExe) {
    m_state.strMameExe = strMameExe;
    m_state.strMameIni = MameIniFor(strMameExe);
    m_state.strMameCommand = MameCommandFor(strMameExe);
}

void FrontEnd::SetSwitches(bool hideConsole, bool noShortcuts, bool caseInsensitive) {
    m_state.blnHideConsole = hideConsole;
    m_state.blnNoShortcuts = noShortcuts;
    m_state.blnCaseInsensitive = caseInsensitive;
}

Outcome<Done> FrontEnd::LoadDatabase(int lastGame) {
    DatabaseLoad load = ReadDatabase(m_state.strDatFile);
    if (load.status != DatabaseStatus::Ok)
        return Outcome<Done>::Failure(QStringLiteral("Load failed, database reset."));
    m_state.udtGames = std::move(load.games);
    if (m_state.strFilter.isEmpty() ||
        ApplyDriverFilter(m_state.strFilter) != FilterResult::Shown) {
        if (!m_state.strFilter.isEmpty()) {
            lastGame = 0;
            m_state.strFilter.clear();
        }
        ShowAllGames();
    }
    if (lastGame < 0 || lastGame > static_cast<int>(m_state.udtShown.size()) - 1)
        lastGame = 0;
    Select(lastGame);
    return Outcome<Done>::Success({});
}

void FrontEnd::ReplaceShown(GameTable shown) {
    emit shownAboutToChange();
    m_state.udtShown = std::move(shown);
    m_state.intSelected = -1;
    emit shownChanged();
}

void FrontEnd::ShowAllGames() {
    ReplaceShown(m_state.udtGames);
}

FilterResult FrontEnd::ApplyDriverFilter(const QString& text, QString* message) {
    FilterOutcome outcome = ::ApplyDriverFilter(text, m_state.udtGames);
    if (outcome.result == FilterResult::Shown) {
        ReplaceShown(std::move(outcome.shown));
        Select(0);
        m_state.strFilter = outcome.filter;
    } else if (message) {
        *message = outcome.message;
    }
    return outcome.result;
}

void FrontEnd::SearchGames(const QString& text) {
    const qsizetype found = ::SearchGames(m_state.udtShown, text, m_searchCompare);
    if (found >= 0)
        Select(static_cast<int>(found));
}

void FrontEnd::Select(int index) {
    // A list with games always has one of them selected.
    if (m_state.udtShown.empty())
        index = -1;
    else if (index < 0 || index >= static_cast<int>(m_state.udtShown.size()))
        return;
    m_state.intSelected = index;
    emit selectionChanged(index);
}

const GameRecord* FrontEnd::SelectedGame() const {
    if (m_state.intSelected < 0)
        return nullptr;
    return &m_state.udtShown[static_cast<size_t>(m_state.intSelected)];
}

Outcome<QString> FrontEnd::GameInformation() const {
    const GameRecord* game = SelectedGame();
    if (!game)
        return Outcome<QString>::Failure(QStringLiteral("No game is selected."));
    return Outcome<QString>::Success(GameInfoText(*game, m_state.udtShown));
}

Outcome<Done> FrontEnd::SaveDatabase() {
    const QString error = WriteDatabase(m_state.strDatFile, m_state.udtGames);
    if (!error.isEmpty())
        return Outcome<Done>::Failure(error);
    if (m_state.strFilter.isEmpty() ||
        ApplyDriverFilter(m_state.strFilter) != FilterResult::Shown) {
        ShowAllGames();
        m_state.strFilter.clear();
    }
    Select(0);
    return Outcome<Done>::Success({});
}

Outcome<Done> FrontEnd::ReplaceDatabase(GameTable games) {
    GameTable previous = std::exchange(m_state.udtGames, std::move(games));
    const Outcome<Done> saved = SaveDatabase();
    if (!saved.ok()) {
        m_state.udtGames = std::move(previous);
        return Outcome<Done>::Failure(QStringLiteral("The database could not be written to ") +
                                      m_state.strDatFile + QStringLiteral(": ") + saved.failure());
    }
    emit gamesChanged(true);
    return saved;
}

// Runs of MAME.

void FrontEnd::StartRun(MameCommand command, const MameRunRequest& request,
                        std::function<void(const RunResult&)> done) {
    if (m_command != command) {
        m_command = command;
        emit busyChanged(command, true);
    }
    m_run = m_runner.Create(request);
    connect(m_run.get(), &MameRun::finished, this,
            [this, done = std::move(done)](const RunResult& result) {
                // The run is still emitting: let it go once it has returned.
                m_run.release()->deleteLater();
                done(result);
            });
    m_run->Begin();
}

void FrontEnd::EndRun() {
    m_temp.reset();
    const MameCommand command = std::exchange(m_command, MameCommand::None);
    if (command != MameCommand::None)
        emit busyChanged(command, false);
}

void FrontEnd::Cancel() {
    if (m_run)
        m_run->Cancel();
}

QString FrontEnd::RunFailure(const RunResult& result, const QString& what) const {
    switch (result.end) {
    case RunEnd::FailedToStart:
        return QStringLiteral("MAME could not be started for %1: %2").arg(what, result.detail);
    case RunEnd::Crashed:
        return QStringLiteral("MAME ended abnormally, by %1, while %2.").arg(result.detail, what);
    case RunEnd::OutputNotWritten:
        return QStringLiteral("MAME's output could not be kept while %1: %2")
            .arg(what, result.detail);
    case RunEnd::Cancelled:
        return kCancelled;
    case RunEnd::Finished:
        break;
    }
    return {};
}

void FrontEnd::BuildDatabase() {
    if (busy())
        return;
    m_temp = std::make_unique<TempListingFolder>();
    if (!m_temp->isValid()) {
        const QString error = m_temp->errorText();
        m_temp.reset();
        emit listFinished(Outcome<Done>::Failure(error + kNothingChanged));
        return;
    }
    m_gamesListed = 0;
    ListStep(0);
}

void FrontEnd::ListStep(int step) {
    const QString files[] = {m_temp->fullListing(), m_temp->cloneListing(),
                             m_temp->sourceListing()};
    const QStringList arguments[] = {ListFullArguments(), ListClonesArguments(),
                                     ListSourceFileArguments()};
    MameRunRequest request;
    request.program = MameProgramFor(m_state.strMameExe);
    request.arguments = arguments[step];
    request.outputFile = files[step];
    request.errorFile = m_temp->errorOutput();
    request.hide = true;
    StartRun(MameCommand::List, request, [this, step](const RunResult& result) {
        const QString failure = RunFailure(result, QString::fromLatin1(kListSteps[step]));
        if (!failure.isEmpty()) {
            FinishList(Outcome<Done>::Failure(
                result.end == RunEnd::Cancelled ? failure : failure + kNothingChanged));
            return;
        }
        if (step < 2) {
            ListStep(step + 1);
            return;
        }
        const ListingImport import =
            ImportListings(ReadLines(m_temp->fullListing()), ReadLines(m_temp->cloneListing()),
                           ReadLines(m_temp->sourceListing()), m_state.blnCaseInsensitive);
        m_temp.reset(); // the listings are gone from here on, whatever the outcome
        if (!import.ok()) {
            FinishList(Outcome<Done>::Failure(import.failure + kNothingChanged));
            return;
        }
        const Outcome<Done> replaced = ReplaceDatabase(import.games);
        FinishList(replaced.ok() ? replaced
                                 : Outcome<Done>::Failure(replaced.failure() + kNothingChanged));
    });
    if (step == 0) {
        connect(m_run.get(), &MameRun::linesCounted, this, [this](qint64 lines) {
            m_gamesListed = std::max<qint64>(0, lines - 1); // less the header
            emit progressChanged(
                QStringLiteral("Reading MAME's game list\u2026 %1 games").arg(Count(m_gamesListed)),
                m_gamesListed, 0);
        });
    }
    emit progressChanged(
        QStringLiteral("Reading MAME's game list\u2026 %1 games").arg(Count(m_gamesListed)),
        m_gamesListed, 0);
}

void FrontEnd::FinishList(const Outcome<Done>& outcome) {
    EndRun();
    emit listFinished(outcome);
}

void FrontEnd::AuditDatabase() {
    if (busy())
        return;
    m_temp = std::make_unique<TempListingFolder>();
    if (!m_temp->isValid()) {
        const QString error = m_temp->errorText();
        m_temp.reset();
        emit auditFinished(Outcome<QString>::Failure(error + kNothingChanged));
        return;
    }
    const qint64 total = static_cast<qint64>(m_state.udtGames.size());
    MameRunRequest request;
    request.program = MameProgramFor(m_state.strMameExe);
    request.arguments = VerifySetsArguments();
    request.outputFile = m_temp->auditReport();
    request.errorFile = m_temp->errorOutput();
    request.countedText = QByteArrayLiteral("romset ");
    request.hide = false;
    StartRun(MameCommand::Audit, request, [this](const RunResult& result) {
        const QString failure =
            RunFailure(result, QStringLiteral("auditing the ROM sets (-verifysets)"));
        if (!failure.isEmpty()) {
            FinishAudit(Outcome<QString>::Failure(
                result.end == RunEnd::Cancelled ? failure : failure + kNothingChanged));
            return;
        }
        AuditOutcome audit = AuditGames(m_state.udtGames, ReadLines(m_temp->auditReport()));
        m_temp.reset(); // the report is gone from here on, whatever the outcome
        if (!audit.ok()) {
            FinishAudit(Outcome<QString>::Failure(audit.failure + kNothingChanged));
            return;
        }
        if (audit.kept > 0) {
            const Outcome<Done> replaced = ReplaceDatabase(std::move(audit.games));
            if (!replaced.ok()) {
                FinishAudit(Outcome<QString>::Failure(replaced.failure() + kNothingChanged));
                return;
            }
        } else {
            if (QFile::exists(m_state.strDatFile) && !QFile::remove(m_state.strDatFile)) {
                FinishAudit(Outcome<QString>::Failure(
                    QStringLiteral("No game passed the audit, but the database file ") +
                    m_state.strDatFile + QStringLiteral(" could not be deleted.") +
                    kNothingChanged));
                return;
            }
            m_state.udtGames.clear();
            ReplaceShown({});
            Select(-1);
            emit gamesChanged(false);
        }
        FinishAudit(Outcome<QString>::Success(AuditSummary(audit.kept, audit.removed)));
    });
    const auto report = [this, total](qint64 lines) {
        emit progressChanged(
            QStringLiteral("Auditing ROM sets\u2026 %1 of %2").arg(Count(lines), Count(total)),
            lines, total);
    };
    connect(m_run.get(), &MameRun::linesCounted, this, report);
    report(0);
}

void FrontEnd::FinishAudit(const Outcome<QString>& outcome) {
    EndRun();
    emit auditFinished(outcome);
}

Outcome<QString> FrontEnd::PlayCommandLine(const std::optional<QString>& options) const {
    const GameRecord* game = SelectedGame();
    if (!game)
        return Outcome<QString>::Failure(QStringLiteral("No game is selected."));
    const std::optional<QString> line = PlayCommand(m_state.strMameCommand, game->strName, options);
    if (!line)
        return Outcome<QString>::Failure(
            QStringLiteral("The name \"") + game->strName +
            QStringLiteral("\" in the database is not a MAME set or driver name, so nothing was "
                           "started. Build the database again with List."));
    return Outcome<QString>::Success(*line);
}

void FrontEnd::Play(const std::optional<QString>& options) {
    if (busy() || !SelectedGame())
        return;
    if (options)
        m_state.strOptions = *options;
    const Outcome<QString> line = PlayCommandLine(options);
    if (!line.ok()) {
        emit playFinished(Outcome<Done>::Failure(line.failure()));
        return;
    }
    MameRunRequest request;
    std::tie(request.program, request.arguments) = ShellInvocation(line.value());
    request.hide = m_state.blnHideConsole;
    request.ownChannels = true;
    StartRun(MameCommand::Play, request, [this](const RunResult&) {
        // Whatever way MAME ended, the window comes back.
        EndRun();
        emit playFinished(Outcome<Done>::Success({}));
    });
}

void FrontEnd::EditMameIni() {
    if (busy())
        return;
    const QString title = QStringLiteral("Mame");
    if (MameIniExists(m_state.strMameIni)) {
        emit iniReady(title, Outcome<QString>::Success(m_state.strMameIni));
        return;
    }
    MameRunRequest request;
    request.program = MameProgramFor(m_state.strMameExe);
    request.arguments = CreateConfigArguments();
    request.hide = true;
    StartRun(MameCommand::Mame, request, [this, title](const RunResult& result) {
        EndRun();
        // The editor opens whatever MAME made of it, unless the user stopped it.
        if (result.end != RunEnd::Cancelled)
            emit iniReady(title, Outcome<QString>::Success(m_state.strMameIni));
    });
    emit progressChanged(QStringLiteral("Creating MAME's configuration\u2026"), 0, 0);
}

void FrontEnd::EditIniFile(IniButton button) {
    const GameRecord* game = SelectedGame();
    if (busy() || !game)
        return;
    QString title, name;
    switch (button) {
    case IniButton::Driver:
        title = QStringLiteral("Driver");
        name = game->strDriver;
        break;
    case IniButton::Parent:
        title = QStringLiteral("Parent");
        name = game->strParent;
        break;
    case IniButton::Set:
        title = QStringLiteral("Set");
        name = game->strName;
        break;
    }
    const IniFile ini = PrepareIniFile(name);
    emit iniReady(title, ini.ok() ? Outcome<QString>::Success(ini.path)
                                  : Outcome<QString>::Failure(ini.message));
}
