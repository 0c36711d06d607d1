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

QString formatCount(qint64 number) {
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

void FrontEnd::setProgramName(const QString& programName) {
    const QString base = QFileInfo(programName).completeBaseName().toLower();
    m_state.settingsFile = base + QStringLiteral(".ini");
    m_state.databaseFile = base + QStringLiteral(".dat");
}

void FrontEnd::setMameExe(const QString& mameExecutable) {
    m_generation.reset();
    m_iniFolder.reset();
    m_state.mameExecutable = mameExecutable;
    m_state.mameIniFile = mameIniFor(mameExecutable);
    m_state.playCommandPrefix = mameCommandFor(mameExecutable);
}

void FrontEnd::setSwitches(bool hideConsole, bool noShortcuts, bool caseInsensitive) {
    m_state.hideConsole = hideConsole;
    m_state.noShortcuts = noShortcuts;
    m_state.caseInsensitive = caseInsensitive;
}

Outcome<Done> FrontEnd::loadDatabase(int lastGame) {
    DatabaseLoad load = readDatabase(m_state.databaseFile);
    if (load.status != DatabaseStatus::Ok)
        return Outcome<Done>::Failure(QStringLiteral("Load failed, database reset."));
    m_state.games = std::move(load.games);
    if (m_state.driverFilter.isEmpty() ||
        applyDriverFilter(m_state.driverFilter) != FilterResult::Shown) {
        if (!m_state.driverFilter.isEmpty()) {
            lastGame = 0;
            m_state.driverFilter.clear();
        }
        showAllGames();
    }
    if (lastGame < 0 || lastGame > static_cast<int>(m_state.shown.size()) - 1)
        lastGame = 0;
    select(lastGame);
    return Outcome<Done>::Success({});
}

void FrontEnd::replaceShown(GameTable shown) {
    emit shownAboutToChange();
    m_state.shown = std::move(shown);
    m_state.selectedRow = -1;
    emit shownChanged();
}

void FrontEnd::showAllGames() {
    replaceShown(m_state.games);
}

FilterResult FrontEnd::applyDriverFilter(const QString& text, QString* message) {
    FilterOutcome outcome = ::applyDriverFilter(text, m_state.games);
    if (outcome.result == FilterResult::Shown) {
        replaceShown(std::move(outcome.shown));
        select(0);
        m_state.driverFilter = outcome.filter;
    } else if (message) {
        *message = outcome.message;
    }
    return outcome.result;
}

void FrontEnd::searchGames(const QString& text) {
    const qsizetype found = ::searchGames(m_state.shown, text, m_searchCompare);
    if (found >= 0)
        select(static_cast<int>(found));
}

void FrontEnd::select(int index) {
    // A list with games always has one of them selected.
    if (m_state.shown.empty())
        index = -1;
    else if (index < 0 || index >= static_cast<int>(m_state.shown.size()))
        return;
    m_state.selectedRow = index;
    emit selectionChanged(index);
}

const GameRecord* FrontEnd::selectedGame() const {
    if (m_state.selectedRow < 0)
        return nullptr;
    return &m_state.shown[static_cast<size_t>(m_state.selectedRow)];
}

Outcome<QString> FrontEnd::gameInformation() const {
    const GameRecord* game = selectedGame();
    if (!game)
        return Outcome<QString>::Failure(QStringLiteral("No game is selected."));
    return Outcome<QString>::Success(gameInfoText(*game, m_state.shown));
}

Outcome<Done> FrontEnd::saveDatabase() {
    const QString error = writeDatabase(m_state.databaseFile, m_state.games);
    if (!error.isEmpty())
        return Outcome<Done>::Failure(error);
    if (m_state.driverFilter.isEmpty() ||
        applyDriverFilter(m_state.driverFilter) != FilterResult::Shown) {
        showAllGames();
        m_state.driverFilter.clear();
    }
    select(0);
    return Outcome<Done>::Success({});
}

Outcome<Done> FrontEnd::replaceDatabase(GameTable games) {
    GameTable previous = std::exchange(m_state.games, std::move(games));
    const Outcome<Done> saved = saveDatabase();
    if (!saved.ok()) {
        m_state.games = std::move(previous);
        return Outcome<Done>::Failure(QStringLiteral("The database could not be written to ") +
                                      m_state.databaseFile + QStringLiteral(": ") +
                                      saved.failure());
    }
    emit gamesChanged(true);
    return saved;
}

// Runs of MAME.

void FrontEnd::startRun(MameCommand command, const MameRunRequest& request,
                        std::function<void(const RunResult&)> done) {
    if (m_command != command) {
        m_command = command;
        m_userCancelled = false;
        emit busyChanged(command, true);
    }
    m_run = m_runner.create(request);
    connect(m_run.get(), &MameRun::finished, this,
            [this, done = std::move(done)](const RunResult& result) {
                // The run is still emitting: let it go once it has returned.
                m_run.release()->deleteLater();
                done(result);
            });
    m_run->start();
}

MameRunRequest FrontEnd::mameRequest(const QStringList& arguments) const {
    MameRunRequest request;
    request.program = mameProgramFor(m_state.mameExecutable);
    request.arguments = arguments;
    if (m_temp)
        request.errorFile = m_temp->errorOutput();
    return request;
}

void FrontEnd::endRun() {
    m_temp.reset();
    m_xml.reset();
    const MameCommand command = std::exchange(m_command, MameCommand::None);
    if (command != MameCommand::None)
        emit busyChanged(command, false);
}

void FrontEnd::cancel() {
    if (m_command == MameCommand::None)
        return;
    m_userCancelled = true;
    if (m_run)
        m_run->cancel();
}

QString FrontEnd::runFailure(const RunResult& result, const QString& what) const {
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

void FrontEnd::watchListFullHeader(bool headerOnly) {
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
                m_headerGeneration = generationFromListFullHeader(QString::fromLocal8Bit(line));
                // A current MAME's text listings are of no use: end it at once.
                if (headerOnly || *m_headerGeneration == MameGeneration::Current)
                    m_run->cancel();
            });
}

bool FrontEnd::headerShowsCurrentMame() const {
    return !m_userCancelled && m_headerGeneration == MameGeneration::Current;
}

void FrontEnd::reportListProgress() {
    emit progressChanged(
        QStringLiteral("Reading MAME's game list\u2026 %1 games").arg(formatCount(m_gamesListed)),
        m_gamesListed, 0);
}

QString FrontEnd::makeTempFolder() {
    m_temp = std::make_unique<TempListingFolder>();
    if (m_temp->isValid())
        return {};
    const QString error = m_temp->errorText() + kNothingChanged;
    m_temp.reset();
    return error;
}

void FrontEnd::buildDatabase() {
    if (busy())
        return;
    if (const QString error = makeTempFolder(); !error.isEmpty()) {
        emit listFinished(Outcome<Done>::Failure(error));
        return;
    }
    m_gamesListed = 0;
    listStep(0);
}

void FrontEnd::listStep(int step) {
    const QString files[] = {m_temp->fullListing(), m_temp->cloneListing(),
                             m_temp->sourceListing()};
    const QStringList arguments[] = {listFullArguments(), listClonesArguments(),
                                     listSourceFileArguments()};
    MameRunRequest request = mameRequest(arguments[step]);
    request.outputFile = files[step];
    startRun(MameCommand::List, request, [this, step](const RunResult& result) {
        if (step == 0 && headerShowsCurrentMame()) {
            setGeneration(MameGeneration::Current);
            listXmlStep();
            return;
        }
        const QString failure = runFailure(result, QString::fromLatin1(kListSteps[step]));
        if (!failure.isEmpty()) {
            finishList(Outcome<Done>::Failure(failure));
            return;
        }
        if (step < 2) {
            listStep(step + 1);
            return;
        }
        setGeneration(MameGeneration::Old);
        auto import = std::make_shared<ListingImport>();
        inWorker(
            [import, full = m_temp->fullListing(), clones = m_temp->cloneListing(),
             sources = m_temp->sourceListing(), folded = m_state.caseInsensitive] {
                *import =
                    importListings(readLines(full), readLines(clones), readLines(sources), folded);
            },
            [this, import] { finishImport(std::move(*import)); });
    });
    if (step == 0) {
        watchListFullHeader(false);
        connect(m_run.get(), &MameRun::linesCounted, this, [this](qint64 lines) {
            if (m_headerGeneration == MameGeneration::Current)
                return;
            m_gamesListed = std::max<qint64>(0, lines - 1); // less the header
            reportListProgress();
        });
    }
    reportListProgress();
}

void FrontEnd::listXmlStep() {
    // The document is read as it arrives and never kept whole.
    m_xml = std::make_unique<ListXmlReader>();
    m_gamesListed = 0;
    startRun(MameCommand::List, mameRequest(listXmlArguments()), [this](const RunResult& result) {
        const QString failure =
            runFailure(result, QStringLiteral("listing its machines (-listxml)"));
        if (!failure.isEmpty()) {
            finishList(Outcome<Done>::Failure(failure));
            return;
        }
        auto import = std::make_shared<ListingImport>();
        inWorker([import, xml = m_xml.get(),
                  folded = m_state.caseInsensitive] { *import = xml->finish(folded); },
                 [this, import] { finishImport(std::move(*import)); });
    });
    connect(m_run.get(), &MameRun::outputArrived, this, [this](const QByteArray& chunk) {
        m_xml->addData(chunk);
        if (m_xml->machinesRead() != m_gamesListed) {
            m_gamesListed = m_xml->machinesRead();
            reportListProgress();
        }
    });
    reportListProgress();
}

void FrontEnd::inWorker(std::function<void()> work, std::function<void()> done) {
    // The listings are read and sorted on a thread of their own, so that even a
    // million games never stop the window from painting. No command changes
    // the tables meanwhile: the front end stays busy until `done` has run.
    if (m_command == MameCommand::List)
        emit progressChanged(
            QStringLiteral("Sorting %1 games\u2026").arg(formatCount(m_gamesListed)), m_gamesListed,
            0);
    m_worker = QThread::create(std::move(work));
    connect(m_worker, &QThread::finished, this, [this, done = std::move(done)] {
        m_worker->deleteLater();
        m_worker = nullptr;
        m_temp.reset(); // MAME's output is gone from here on, whatever the outcome
        if (m_userCancelled) {
            if (m_command == MameCommand::List)
                finishList(Outcome<Done>::Failure(kCancelled));
            else
                finishAudit(Outcome<QString>::Failure(kCancelled));
            return;
        }
        done();
    });
    m_worker->start();
}

void FrontEnd::finishImport(ListingImport import) {
    if (!import.ok()) {
        finishList(Outcome<Done>::Failure(import.failure + kNothingChanged));
        return;
    }
    const Outcome<Done> replaced = replaceDatabase(std::move(import.games));
    finishList(replaced.ok() ? replaced
                             : Outcome<Done>::Failure(replaced.failure() + kNothingChanged));
}

void FrontEnd::finishList(const Outcome<Done>& outcome) {
    endRun();
    emit listFinished(outcome);
}

void FrontEnd::auditDatabase() {
    if (busy())
        return;
    if (const QString error = makeTempFolder(); !error.isEmpty()) {
        emit auditFinished(Outcome<QString>::Failure(error));
        return;
    }
    auditStep(verifySetsArguments());
}

void FrontEnd::auditStep(const QStringList& arguments) {
    const qint64 total = static_cast<qint64>(m_state.games.size());
    const QString option = arguments.front();
    MameRunRequest request = mameRequest(arguments);
    request.outputFile = m_temp->auditReport();
    request.countedText = QByteArrayLiteral("romset ");
    request.hide = false;
    startRun(MameCommand::Audit, request, [this, option](const RunResult& result) {
        const QString failure =
            runFailure(result, QStringLiteral("auditing the ROM sets (%1)").arg(option));
        if (!failure.isEmpty()) {
            finishAudit(Outcome<QString>::Failure(failure));
            return;
        }
        const std::optional<QStringList> report = readLines(m_temp->auditReport());
        const QStringList errors = readLines(m_temp->errorOutput()).value_or(QStringList());
        // A current MAME refuses -verifysets and prints nothing else.
        if (option == verifySetsArguments().front() && result.exitCode != 0 &&
            (!report || report->isEmpty()) &&
            errors.join(u'\n').contains(QLatin1String("unknown option"))) {
            setGeneration(MameGeneration::Current);
            auditStep(verifyRomsArguments());
            return;
        }
        auto audit = std::make_shared<AuditOutcome>();
        inWorker([audit, &games = m_state.games, report, errors,
                  option] { *audit = auditGames(games, report, errors, option); },
                 [this, audit] { applyAudit(std::move(*audit)); });
    });
    const auto report = [this, total](qint64 lines) {
        emit progressChanged(QStringLiteral("Auditing ROM sets\u2026 %1 of %2")
                                 .arg(formatCount(lines), formatCount(total)),
                             lines, total);
    };
    connect(m_run.get(), &MameRun::linesCounted, this, report);
    report(0);
}

void FrontEnd::applyAudit(AuditOutcome audit) {
    if (!audit.ok()) {
        finishAudit(Outcome<QString>::Failure(audit.failure + kNothingChanged));
        return;
    }
    if (audit.kept > 0) {
        const Outcome<Done> replaced = replaceDatabase(std::move(audit.games));
        if (!replaced.ok()) {
            finishAudit(Outcome<QString>::Failure(replaced.failure() + kNothingChanged));
            return;
        }
    } else {
        if (QFile::exists(m_state.databaseFile) && !QFile::remove(m_state.databaseFile)) {
            finishAudit(Outcome<QString>::Failure(
                QStringLiteral("No game passed the audit, but the database file ") +
                m_state.databaseFile + QStringLiteral(" could not be deleted.") + kNothingChanged));
            return;
        }
        m_state.games.clear();
        replaceShown({});
        select(-1);
        emit gamesChanged(false);
    }
    finishAudit(Outcome<QString>::Success(auditSummary(audit.kept, audit.removed)));
}

void FrontEnd::finishAudit(const Outcome<QString>& outcome) {
    endRun();
    emit auditFinished(outcome);
}

void FrontEnd::setGeneration(MameGeneration generation) {
    if (m_generation != generation)
        m_iniFolder.reset();
    m_generation = generation;
}

Outcome<QString> FrontEnd::playCommandLine(const std::optional<QString>& options) const {
    const GameRecord* game = selectedGame();
    if (!game)
        return Outcome<QString>::Failure(QStringLiteral("No game is selected."));
    const std::optional<QString> line = playCommand(m_state.playCommandPrefix, game->name, options);
    if (!line)
        return Outcome<QString>::Failure(
            QStringLiteral("The name \"") + game->name +
            QStringLiteral("\" in the database is not a MAME set or driver name, so nothing was "
                           "started. Build the database again with List."));
    return Outcome<QString>::Success(*line);
}

void FrontEnd::play(const std::optional<QString>& options) {
    if (busy() || !selectedGame())
        return;
    if (options)
        m_state.playOptions = *options;
    const Outcome<QString> line = playCommandLine(options);
    if (!line.ok()) {
        emit playFinished(Outcome<Done>::Failure(line.failure()));
        return;
    }
    MameRunRequest request;
    std::tie(request.program, request.arguments) = shellInvocation(line.value());
    request.hide = m_state.hideConsole;
    request.ownChannels = true;
    startRun(MameCommand::play, request, [this](const RunResult&) {
        // Whatever way MAME ended, the window comes back.
        endRun();
        emit playFinished(Outcome<Done>::Success({}));
    });
}

void FrontEnd::findIniFolder(const QString& title,
                             std::function<void(const Outcome<QString>&)> then) {
    const auto ended = [this, then](const Outcome<QString>& folder) {
        endRun();
        then(folder);
    };
    const auto askCurrentMame = [this, title, then, ended] {
        if (m_generation == MameGeneration::Old)
            return then(Outcome<QString>::Success(QStringLiteral("ini")));
        if (m_iniFolder)
            return then(Outcome<QString>::Success(*m_iniFolder));
        // A current MAME names its folders in its configuration.
        m_showConfig.clear();
        startRun(MameCommand::Ini, mameRequest(showConfigArguments()),
                 [this, ended](const RunResult& result) {
                     if (result.end == RunEnd::Cancelled)
                         return ended(Outcome<QString>::Failure({}));
                     const std::optional<QString> folder =
                         firstIniFolder(QString::fromLocal8Bit(m_showConfig), QDir::homePath());
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
    startRun(MameCommand::Ini, mameRequest(listFullArguments()),
             [this, askCurrentMame, ended](const RunResult&) {
                 if (m_userCancelled)
                     return ended(Outcome<QString>::Failure({}));
                 setGeneration(m_headerGeneration.value_or(MameGeneration::Old));
                 askCurrentMame();
             });
    watchListFullHeader(true);
    emit progressChanged(QStringLiteral("Asking MAME which MAME it is\u2026"), 0, 0);
}

void FrontEnd::editMameIni() {
    if (busy())
        return;
    const QString title = QStringLiteral("Mame");
    findIniFolder(title, [this, title](const Outcome<QString>& folder) {
        if (!folder.ok()) {
            endRun();
            if (!folder.failure().isEmpty())
                emit iniReady(title, folder);
            return;
        }
        const bool current = m_generation == MameGeneration::Current;
        const QString ini = current ? QDir(folder.value()).filePath(QStringLiteral("mame.ini"))
                                    : m_state.mameIniFile;
        if (current && !QDir().mkpath(folder.value())) {
            endRun();
            emit iniReady(title, Outcome<QString>::Failure(
                                     QStringLiteral("The folder %1 could not be made.")
                                         .arg(QDir::toNativeSeparators(folder.value()))));
            return;
        }
        if (mameIniExists(ini)) {
            endRun();
            emit iniReady(title, Outcome<QString>::Success(ini));
            return;
        }
        // MAME writes its ini into the folder it runs in.
        MameRunRequest request = mameRequest(createConfigArguments());
        if (current)
            request.workingFolder = folder.value();
        startRun(MameCommand::Ini, request, [this, title, ini](const RunResult& result) {
            endRun();
            // The editor opens whatever MAME made of it, unless the user stopped it.
            if (result.end != RunEnd::Cancelled)
                emit iniReady(title, Outcome<QString>::Success(ini));
        });
        emit progressChanged(QStringLiteral("Creating MAME's configuration\u2026"), 0, 0);
    });
}

void FrontEnd::editIniFile(IniButton button) {
    const GameRecord* game = selectedGame();
    if (busy() || !game)
        return;
    QString title, name;
    switch (button) {
    case IniButton::Driver:
        title = QStringLiteral("Driver");
        name = game->driver;
        break;
    case IniButton::Parent:
        title = QStringLiteral("Parent");
        name = game->parent;
        break;
    case IniButton::Set:
        title = QStringLiteral("Set");
        name = game->name;
        break;
    }
    findIniFolder(title, [this, title, name, button](const Outcome<QString>& folder) {
        endRun();
        if (!folder.ok()) {
            if (!folder.failure().isEmpty())
                emit iniReady(title, folder);
            return;
        }
        // A current MAME keeps the drivers' files in a folder of their own.
        const bool driverFolder =
            button == IniButton::Driver && m_generation == MameGeneration::Current;
        const IniFile ini = prepareIniFile(
            driverFolder ? QDir(folder.value()).filePath(QStringLiteral("source")) : folder.value(),
            name);
        emit iniReady(title, ini.ok() ? Outcome<QString>::Success(ini.path)
                                      : Outcome<QString>::Failure(ini.message));
    });
}
