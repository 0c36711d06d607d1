#include "frontend/FrontEnd.h"

#include "database/Audit.h"
#include "database/DatabaseFile.h"
#include "database/ListXmlImport.h"
#include "database/ListingImport.h"
#include "gamelist/GameInfo.h"
#include "gamelist/GameSearch.h"
#include "launch/ConfigFiles.h"
#include "launch/MameCommands.h"
#include "launch/MameIniPath.h"
#include "launch/Platform.h"
#include "launch/TempListingFolder.h"
#include "text/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QThread>

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

FrontEnd::~FrontEnd() {
    if (m_worker)
        m_worker->wait();
}

QString FrontEnd::busyTitle() const {
    switch (m_command) {
    case MameCommand::List:
        return QStringLiteral("List");
    case MameCommand::Audit:
        return QStringLiteral("Audit");
    default:
        return m_busyTitle;
    }
}

void FrontEnd::SetProgramName(const QString& programName) {
    const QString base = QFileInfo(programName).completeBaseName().toLower();
    m_state.strIniFile = base + QStringLiteral(".ini");
    m_state.strDatFile = base + QStringLiteral(".dat");
}

void FrontEnd::SetMameExe(const QString& strMameExe) {
    m_generation.reset();
    m_iniFolder.reset();
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
        m_userCancelled = false;
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

MameRunRequest FrontEnd::MameRequest(const QStringList& arguments) const {
    MameRunRequest request;
    request.program = MameProgramFor(m_state.strMameExe);
    request.arguments = arguments;
    if (m_temp)
        request.errorFile = m_temp->errorOutput();
    return request;
}

void FrontEnd::EndRun() {
    m_temp.reset();
    m_xml.reset();
    const MameCommand command = std::exchange(m_command, MameCommand::None);
    if (command != MameCommand::None)
        emit busyChanged(command, false);
}

void FrontEnd::Cancel() {
    if (m_command == MameCommand::None)
        return;
    m_userCancelled = true;
    if (m_run)
        m_run->Cancel();
}

QString FrontEnd::RunFailure(const RunResult& result, const QString& what) const {
    QString failure;
    switch (result.end) {
    case RunEnd::FailedToStart:
        failure = QStringLiteral("MAME could not be started for %1: %2").arg(what, result.detail);
        break;
    case RunEnd::Crashed:
        failure =
            QStringLiteral("MAME ended abnormally, by %1, while %2.").arg(result.detail, what);
        break;
    case RunEnd::OutputNotWritten:
        failure =
            QStringLiteral("MAME's output could not be kept while %1: %2").arg(what, result.detail);
        break;
    case RunEnd::Cancelled:
        return kCancelled;
    case RunEnd::Finished:
        return {};
    }
    return failure + kNothingChanged;
}

void FrontEnd::WatchListFullHeader(bool headerOnly) {
    m_header.clear();
    m_headerGeneration.reset();
    connect(m_run.get(), &MameRun::outputArrived, this,
            [this, headerOnly](const QByteArray& chunk) {
                if (m_headerGeneration)
                    return;
                m_header += chunk;
                const qsizetype end = m_header.indexOf('\n');
                if (end < 0 && m_header.size() < 4096)
                    return;
                QByteArray line = m_header.left(end < 0 ? m_header.size() : end);
                if (line.endsWith('\r'))
                    line.chop(1);
                m_headerGeneration = GenerationFromListFullHeader(QString::fromLocal8Bit(line));
                // A current MAME's text listings are of no use: end it at once.
                if (headerOnly || *m_headerGeneration == MameGeneration::Current)
                    m_run->Cancel();
            });
}

bool FrontEnd::HeaderShowsCurrentMame() const {
    return !m_userCancelled && m_headerGeneration == MameGeneration::Current;
}

void FrontEnd::ReportListProgress() {
    emit progressChanged(
        QStringLiteral("Reading MAME's game list\u2026 %1 games").arg(Count(m_gamesListed)),
        m_gamesListed, 0);
}

QString FrontEnd::MakeTempFolder() {
    m_temp = std::make_unique<TempListingFolder>();
    if (m_temp->isValid())
        return {};
    const QString error = m_temp->errorText() + kNothingChanged;
    m_temp.reset();
    return error;
}

void FrontEnd::BuildDatabase() {
    if (busy())
        return;
    if (const QString error = MakeTempFolder(); !error.isEmpty()) {
        emit listFinished(Outcome<Done>::Failure(error));
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
    MameRunRequest request = MameRequest(arguments[step]);
    request.outputFile = files[step];
    StartRun(MameCommand::List, request, [this, step](const RunResult& result) {
        if (step == 0 && HeaderShowsCurrentMame()) {
            SetGeneration(MameGeneration::Current);
            ListXmlStep();
            return;
        }
        const QString failure = RunFailure(result, QString::fromLatin1(kListSteps[step]));
        if (!failure.isEmpty()) {
            FinishList(Outcome<Done>::Failure(failure));
            return;
        }
        if (step < 2) {
            ListStep(step + 1);
            return;
        }
        SetGeneration(MameGeneration::Old);
        auto import = std::make_shared<ListingImport>();
        InWorker(
            [import, full = m_temp->fullListing(), clones = m_temp->cloneListing(),
             sources = m_temp->sourceListing(), folded = m_state.blnCaseInsensitive] {
                *import =
                    ImportListings(ReadLines(full), ReadLines(clones), ReadLines(sources), folded);
            },
            [this, import] { FinishImport(std::move(*import)); });
    });
    if (step == 0) {
        WatchListFullHeader(false);
        connect(m_run.get(), &MameRun::linesCounted, this, [this](qint64 lines) {
            if (m_headerGeneration == MameGeneration::Current)
                return;
            m_gamesListed = std::max<qint64>(0, lines - 1); // less the header
            ReportListProgress();
        });
    }
    ReportListProgress();
}

void FrontEnd::ListXmlStep() {
    // The document is read as it arrives and never kept whole.
    m_xml = std::make_unique<ListXmlReader>();
    m_gamesListed = 0;
    StartRun(MameCommand::List, MameRequest(ListXmlArguments()), [this](const RunResult& result) {
        const QString failure =
            RunFailure(result, QStringLiteral("listing its machines (-listxml)"));
        if (!failure.isEmpty()) {
            FinishList(Outcome<Done>::Failure(failure));
            return;
        }
        auto import = std::make_shared<ListingImport>();
        InWorker([import, xml = m_xml.get(),
                  folded = m_state.blnCaseInsensitive] { *import = xml->finish(folded); },
                 [this, import] { FinishImport(std::move(*import)); });
    });
    connect(m_run.get(), &MameRun::outputArrived, this, [this](const QByteArray& chunk) {
        m_xml->addData(chunk);
        if (m_xml->machinesRead() != m_gamesListed) {
            m_gamesListed = m_xml->machinesRead();
            ReportListProgress();
        }
    });
    ReportListProgress();
}

void FrontEnd::InWorker(std::function<void()> work, std::function<void()> done) {
    // The listings are read and sorted on a thread of their own, so that even a
    // million games never stop the window from painting. No command changes
    // the tables meanwhile: the front end stays busy until `done` has run.
    if (m_command == MameCommand::List)
        emit progressChanged(QStringLiteral("Sorting %1 games\u2026").arg(Count(m_gamesListed)),
                             m_gamesListed, 0);
    m_worker = QThread::create(std::move(work));
    connect(m_worker, &QThread::finished, this, [this, done = std::move(done)] {
        m_worker->deleteLater();
        m_worker = nullptr;
        m_temp.reset(); // MAME's output is gone from here on, whatever the outcome
        if (m_userCancelled) {
            if (m_command == MameCommand::List)
                FinishList(Outcome<Done>::Failure(kCancelled));
            else
                FinishAudit(Outcome<QString>::Failure(kCancelled));
            return;
        }
        done();
    });
    m_worker->start();
}

void FrontEnd::FinishImport(ListingImport import) {
    if (!import.ok()) {
        FinishList(Outcome<Done>::Failure(import.failure + kNothingChanged));
        return;
    }
    const Outcome<Done> replaced = ReplaceDatabase(std::move(import.games));
    FinishList(replaced.ok() ? replaced
                             : Outcome<Done>::Failure(replaced.failure() + kNothingChanged));
}

void FrontEnd::FinishList(const Outcome<Done>& outcome) {
    EndRun();
    emit listFinished(outcome);
}

void FrontEnd::AuditDatabase() {
    if (busy())
        return;
    if (const QString error = MakeTempFolder(); !error.isEmpty()) {
        emit auditFinished(Outcome<QString>::Failure(error));
        return;
    }
    AuditStep(VerifySetsArguments());
}

void FrontEnd::AuditStep(const QStringList& arguments) {
    const qint64 total = static_cast<qint64>(m_state.udtGames.size());
    const QString option = arguments.front();
    MameRunRequest request = MameRequest(arguments);
    request.outputFile = m_temp->auditReport();
    request.countedText = QByteArrayLiteral("romset ");
    request.hide = false;
    StartRun(MameCommand::Audit, request, [this, option](const RunResult& result) {
        const QString failure =
            RunFailure(result, QStringLiteral("auditing the ROM sets (%1)").arg(option));
        if (!failure.isEmpty()) {
            FinishAudit(Outcome<QString>::Failure(failure));
            return;
        }
        const std::optional<QStringList> report = ReadLines(m_temp->auditReport());
        const QStringList errors = ReadLines(m_temp->errorOutput()).value_or(QStringList());
        // A current MAME refuses -verifysets and prints nothing else.
        if (option == VerifySetsArguments().front() && result.exitCode != 0 &&
            (!report || report->isEmpty()) &&
            errors.join(u'\n').contains(QLatin1String("unknown option"))) {
            SetGeneration(MameGeneration::Current);
            AuditStep(VerifyRomsArguments());
            return;
        }
        auto audit = std::make_shared<AuditOutcome>();
        InWorker([audit, &games = m_state.udtGames, report, errors,
                  option] { *audit = AuditGames(games, report, errors, option); },
                 [this, audit] { ApplyAudit(std::move(*audit)); });
    });
    const auto report = [this, total](qint64 lines) {
        emit progressChanged(
            QStringLiteral("Auditing ROM sets\u2026 %1 of %2").arg(Count(lines), Count(total)),
            lines, total);
    };
    connect(m_run.get(), &MameRun::linesCounted, this, report);
    report(0);
}

void FrontEnd::ApplyAudit(AuditOutcome audit) {
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
                m_state.strDatFile + QStringLiteral(" could not be deleted.") + kNothingChanged));
            return;
        }
        m_state.udtGames.clear();
        ReplaceShown({});
        Select(-1);
        emit gamesChanged(false);
    }
    FinishAudit(Outcome<QString>::Success(AuditSummary(audit.kept, audit.removed)));
}

void FrontEnd::FinishAudit(const Outcome<QString>& outcome) {
    EndRun();
    emit auditFinished(outcome);
}

void FrontEnd::SetGeneration(MameGeneration generation) {
    if (m_generation != generation)
        m_iniFolder.reset();
    m_generation = generation;
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

void FrontEnd::FindIniFolder(const QString& title,
                             std::function<void(const Outcome<QString>&)> then) {
    const auto ended = [this, then](const Outcome<QString>& folder) {
        EndRun();
        then(folder);
    };
    const auto askCurrentMame = [this, title, then, ended] {
        if (m_generation == MameGeneration::Old)
            return then(Outcome<QString>::Success(QStringLiteral("ini")));
        if (m_iniFolder)
            return then(Outcome<QString>::Success(*m_iniFolder));
        // A current MAME names its folders in its configuration.
        m_showConfig.clear();
        StartRun(MameCommand::Ini, MameRequest(ShowConfigArguments()),
                 [this, ended](const RunResult& result) {
                     if (result.end == RunEnd::Cancelled)
                         return ended(Outcome<QString>::Failure({}));
                     const std::optional<QString> folder =
                         FirstIniFolder(QString::fromLocal8Bit(m_showConfig), QDir::homePath());
                     if (!folder)
                         return ended(Outcome<QString>::Failure(
                             QStringLiteral("MAME's configuration (-showconfig) names no folder "
                                            "for its ini files.")));
                     m_iniFolder = QDir::cleanPath(*folder);
                     ended(Outcome<QString>::Success(*m_iniFolder));
                 });
        connect(m_run.get(), &MameRun::outputArrived, this,
                [this](const QByteArray& chunk) { m_showConfig += chunk; });
        emit progressChanged(QStringLiteral("Asking MAME where its ini files are\u2026"), 0, 0);
    };
    m_busyTitle = title;
    if (m_generation)
        return askCurrentMame();
    // Which MAME this is shows in the first line of its game listing.
    StartRun(MameCommand::Ini, MameRequest(ListFullArguments()),
             [this, askCurrentMame, ended](const RunResult&) {
                 if (m_userCancelled)
                     return ended(Outcome<QString>::Failure({}));
                 SetGeneration(m_headerGeneration.value_or(MameGeneration::Old));
                 askCurrentMame();
             });
    WatchListFullHeader(true);
    emit progressChanged(QStringLiteral("Asking MAME which MAME it is\u2026"), 0, 0);
}

void FrontEnd::EditMameIni() {
    if (busy())
        return;
    const QString title = QStringLiteral("Mame");
    FindIniFolder(title, [this, title](const Outcome<QString>& folder) {
        if (!folder.ok()) {
            EndRun();
            if (!folder.failure().isEmpty())
                emit iniReady(title, folder);
            return;
        }
        const bool current = m_generation == MameGeneration::Current;
        const QString ini = current ? QDir(folder.value()).filePath(QStringLiteral("mame.ini"))
                                    : m_state.strMameIni;
        if (current && !QDir().mkpath(folder.value())) {
            EndRun();
            emit iniReady(title, Outcome<QString>::Failure(
                                     QStringLiteral("The folder %1 could not be made.")
                                         .arg(QDir::toNativeSeparators(folder.value()))));
            return;
        }
        if (MameIniExists(ini)) {
            EndRun();
            emit iniReady(title, Outcome<QString>::Success(ini));
            return;
        }
        // MAME writes its ini into the folder it runs in.
        MameRunRequest request = MameRequest(CreateConfigArguments());
        if (current)
            request.workingFolder = folder.value();
        StartRun(MameCommand::Ini, request, [this, title, ini](const RunResult& result) {
            EndRun();
            // The editor opens whatever MAME made of it, unless the user stopped it.
            if (result.end != RunEnd::Cancelled)
                emit iniReady(title, Outcome<QString>::Success(ini));
        });
        emit progressChanged(QStringLiteral("Creating MAME's configuration\u2026"), 0, 0);
    });
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
    FindIniFolder(title, [this, title, name, button](const Outcome<QString>& folder) {
        EndRun();
        if (!folder.ok()) {
            if (!folder.failure().isEmpty())
                emit iniReady(title, folder);
            return;
        }
        // A current MAME keeps the drivers' files in a folder of their own.
        const bool driverFolder =
            button == IniButton::Driver && m_generation == MameGeneration::Current;
        const IniFile ini = PrepareIniFile(
            driverFolder ? QDir(folder.value()).filePath(QStringLiteral("source")) : folder.value(),
            name);
        emit iniReady(title, ini.ok() ? Outcome<QString>::Success(ini.path)
                                      : Outcome<QString>::Failure(ini.message));
    });
}
