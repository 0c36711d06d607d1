// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/AuditJob.h"

#include "catalogue/Catalogue.h"
#include "database/AuditReport.h"
#include "frontend/GameList.h"
#include "gamelist/GameFlags.h"
#include "launch/RomFolders.h"
#include "text/MessageText.h"
#include "text/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// An audit of a million sets reports far less.
constexpr qint64 kMostAuditOutput = qint64{512} << 20;

GameTable namesOnly(const QStringList& names) {
    GameTable games;
    games.reserve(names.size());
    for (const QString& name : names)
        games.push_back({QString(), name, QString(), QString()});
    return games;
}

} // namespace

AuditJob::AuditJob(MameRunner& runner, MameSetup& mame, GameList& games, QString reportFile,
                   QString storePath, bool forceFull)
    : MameJob(runner, mame), m_games(games),
      m_table(std::make_shared<const GameTable>(games.games())), m_machines(games.machineList()),
      m_databaseFile(games.databaseFile()), m_reportFile(std::move(reportFile)),
      m_storePath(std::move(storePath)), m_forceFull(forceFull) {}

void AuditJob::start() {
    if (Outcome<Done> made = makeTempFolder(); !made.ok())
        return finish(made.why());
    const std::optional<MameGeneration> generation = mame().generation();
    // Without a catalogue there is nothing to remember: every set, every time.
    if (generation == MameGeneration::Old || m_storePath.isEmpty())
        return runAudit(generation == MameGeneration::Current ? verifyRomsArguments()
                                                              : verifySetsArguments());
    m_mameFile = mame().fileIdentity();
    reportProgress(tr("Looking at the ROM folders\u2026"), 0, 0);
    inWorker([this] { m_memory = Catalogue::readAuditMemory(m_storePath); },
             &AuditJob::onMemoryRead);
}

AuditJob::~AuditJob() {
    abandon(); // the reading thread uses the audit's progress
}

// A MAME whose listing the catalogue keeps is a current one; any other one not
// known to be current is offered the old option first.
void AuditJob::onMemoryRead() {
    if (!m_memory->ok())
        m_memory = AuditMemory{}; // a catalogue that cannot be read: nothing to go on
    const bool listedHere = !m_mameFile.isEmpty() && m_memory->value().listedWith == m_mameFile;
    if (mame().generation() != MameGeneration::Current && !listedHere)
        return runAudit(verifySetsArguments());
    mame().setGeneration(MameGeneration::Current);
    auditCurrent();
}

// A current MAME: where its ROM folders are, then what changed in them.
void AuditJob::auditCurrent() {
    askConfiguration(tr("Looking at the ROM folders\u2026"), &AuditJob::onConfiguration);
}

void AuditJob::onConfiguration(const RunResult& result) {
    if (const auto failure = runFailure(result, tr("reading its configuration (-showconfig)")))
        return finish(*failure);
    m_folderList = mame().romFolders().value_or(QStringList());
    m_romFolders = m_folderList.join(u'\n');
    inWorker(
        [this] {
            // Listed before MAME reads them: a file changed meanwhile is
            // found changed by the next audit.
            m_folders = listRomFolders(m_folderList);
            m_scope = auditScope(m_memory->value(), m_mameFile, m_romFolders, m_folders, *m_table,
                                 m_forceFull);
        },
        &AuditJob::onScoped);
}

void AuditJob::onScoped() {
    m_remember = true;
    if (!m_scope.fullBecause.isEmpty())
        return runAudit(verifyRomsArguments());
    m_option = verifyRomsArguments().front();
    for (qsizetype at = 0; at < m_scope.check.size(); at += kSetsPerRun)
        m_runs.push_back({namesOnly(m_scope.check.mid(at, kSetsPerRun)), std::nullopt, {}, false});
    if (m_runs.empty())
        return inWorker([this] { mergeVerdicts(); }, &AuditJob::onChecked);
    runNextSets();
}

// MAME's report goes to the temporary folder. An old MAME's verdicts are
// counted as they come; a current one's, read on a thread of their own, tell
// how far along the sets it is.
void AuditJob::runAudit(const QStringList& arguments) {
    m_option = arguments.front();
    MameRunRequest request = mameRequest(arguments);
    request.outputFile = temp().auditReport();
    request.outputLimit = kMostAuditOutput;
    request.limitText = QCoreApplication::translate("AuditJob", "any audit report");
    request.countedText = QByteArrayLiteral("romset ");
    request.countLines = arguments != verifyRomsArguments();
    run(request, &AuditJob::onReport);
    const qint64 total = std::ssize(*m_table);
    if (arguments == verifyRomsArguments())
        return followProgress(*m_table, 0, total);
    const auto report = [this, total](qint64 done) {
        reportProgress(
            tr("Auditing ROM sets\u2026 %1 of %2").arg(formatCount(done), formatCount(total)), done,
            total);
    };
    connect(&currentRun(), &MameRun::linesCounted, this, report);
    report(0);
}

void AuditJob::followProgress(const GameTable& games, qint64 before, qint64 total) {
    const auto report = [this, before, total](qint64 done) {
        reportProgress(tr("Auditing ROM sets\u2026 %1 of %2")
                           .arg(formatCount(before + done), formatCount(total)),
                       before + done, total);
    };
    m_progress = std::make_unique<AuditProgress>(games);
    m_place = 0;
    readOutputInWorker(
        [this](const QByteArray& chunk) {
            m_place.storeRelaxed(m_progress->addOutput(chunk));
            return true;
        },
        [report, this, shown = qsizetype(0)]() mutable {
            if (const qsizetype now = m_place.loadRelaxed(); now != shown)
                report(shown = now);
        });
    report(0);
}

void AuditJob::onReport(const RunResult& result) {
    if (const auto failure = runFailure(result, tr("auditing the ROM sets (%1)").arg(m_option)))
        return finish(*failure);
    std::optional<QStringList> report = readLines(temp().auditReport());
    QStringList errors = readLines(temp().errorOutput()).value_or(QStringList());
    // A current MAME refuses -verifysets and prints nothing else.
    if (m_option == verifySetsArguments().front() && result.exitCode != 0 &&
        (!report || report->isEmpty()) &&
        errors.join(u'\n').contains(QLatin1String("unknown option"))) {
        mame().setGeneration(MameGeneration::Current);
        if (m_memory)
            return auditCurrent();
        return runAudit(verifyRomsArguments());
    }
    inWorker(
        [this, report = std::move(report), errors = std::move(errors)] {
            m_checked = auditGames(*m_table, report, errors, m_option);
            if (!m_checked->ok())
                return;
            m_reportLines = auditReportLines(*m_table, m_checked->value().findings);
            if (m_remember)
                m_record = fullRecord(m_checked->value());
            commit(m_checked->value());
        },
        &AuditJob::onChecked);
}

AuditRecord AuditJob::fullRecord(const AuditResult& audit) const {
    const AuditMemory& memory = m_memory->value();
    AuditRecord record;
    record.full = true;
    // Verdicts only hold for the listing that this MAME printed.
    if (memory.listing.isEmpty() || memory.listedWith != m_mameFile)
        return record;
    record.auditedWith = m_mameFile;
    record.auditedListing = memory.listing;
    record.auditedFolders = m_romFolders;
    record.folders = m_folders;
    QHash<QString, const SetFinding*> reported;
    for (const SetFinding& finding : audit.reported)
        reported.insert(finding.set, &finding);
    // Every machine that can be run gets a verdict: not found unless named.
    for (auto at = memory.machines.constBegin(); at != memory.machines.constEnd(); ++at) {
        if (!at->runnable)
            continue;
        const SetFinding* finding = reported.value(at.key());
        record.verdicts.push_back(finding ? *finding
                                          : SetFinding{at.key(), SetVerdict::NotFound, {}});
    }
    return record;
}

// The sets to check, a few hundred names to a run.
void AuditJob::runNextSets() {
    const auto next =
        std::find_if(m_runs.begin(), m_runs.end(), [](const SetsRun& run) { return !run.done; });
    QStringList arguments{m_option};
    for (const GameRecord& game : next->games)
        arguments.append(game.name());
    MameRunRequest request = mameRequest(arguments);
    request.outputFile = temp().auditReport();
    request.outputLimit = kMostAuditOutput;
    request.limitText = QCoreApplication::translate("AuditJob", "any audit report");
    request.countLines = false;
    run(request, &AuditJob::onSetsReport);
    qint64 before = 0;
    for (auto run = m_runs.begin(); run != next; ++run)
        before += std::ssize(run->games);
    followProgress(next->games, before, m_scope.check.size());
}

void AuditJob::onSetsReport(const RunResult& result) {
    if (const auto failure = runFailure(result, tr("auditing the ROM sets (%1)").arg(m_option)))
        return finish(*failure);
    const auto done =
        std::find_if(m_runs.begin(), m_runs.end(), [](const SetsRun& run) { return !run.done; });
    done->done = true;
    done->report = readLines(temp().auditReport());
    done->errors = readLines(temp().errorOutput()).value_or(QStringList());
    if (std::next(done) != m_runs.end())
        return runNextSets();
    inWorker([this] { mergeVerdicts(); }, &AuditJob::onChecked);
}

void AuditJob::mergeVerdicts() {
    QHash<QString, SetFinding> checked;
    for (const SetsRun& run : m_runs) {
        Outcome<AuditResult> audit = auditGames(run.games, run.report, run.errors, m_option);
        if (!audit.ok()) {
            m_checked = audit.why();
            return;
        }
        for (SetFinding& finding : std::move(audit).value().findings)
            checked.insert(finding.set, std::move(finding));
    }
    const AuditMemory& memory = m_memory->value();
    m_checked = mergedAudit(*m_table, checked, memory.verdicts);
    m_reportLines = auditReportLines(*m_table, m_checked->value().findings);

    AuditRecord record;
    record.auditedWith = memory.auditedWith;
    record.auditedListing = memory.auditedListing;
    record.auditedFolders = memory.auditedFolders;
    record.folders = m_scope.changedFolders;
    record.goneFolders = m_scope.goneFolders;
    for (auto at = checked.constBegin(); at != checked.constEnd(); ++at)
        record.verdicts.push_back(*at);
    // What the changes touched and was not checked (not in the database)
    // has no verdict to go on any more.
    for (const QString& name : m_scope.touched) {
        if (!checked.contains(name))
            record.forgotten.append(name);
    }
    m_record = std::move(record);
    commit(m_checked->value());
}

void AuditJob::commit(const AuditResult& audit) {
    std::vector<AuditVerdictRow> verdicts;
    verdicts.reserve(audit.findings.size());
    for (const SetFinding& finding : audit.findings)
        verdicts.push_back({finding.set, verdictName(finding.verdict), finding.problems});
    const MachineList list =
        machineListFor(audit.games, alignFacts(audit.games, m_machines, {}), m_machines);
    // What the next audit of only what changed goes on; without it, the next
    // audit is a full one.
    m_commit = commitGames(
        m_databaseFile, audit.kept > 0 ? &audit.games : nullptr, m_storePath,
        [&](CatalogueChange& change) {
            change.replaceAudit(verdicts, list);
            if (m_record)
                change.keepAuditRecord(*m_record);
        },
        [this] { return passCommitPoint(); });
}

// The survivors replace the database, or, with none left, it is deleted.
void AuditJob::onChecked() {
    Outcome<AuditResult> checked = std::move(*m_checked);
    if (!checked.ok())
        return finish(Failure{withNothingChanged(checked.failure())});
    AuditResult audit = std::move(checked).value();
    if (!m_commit->database.ok())
        return finish(Failure{withNothingChanged(
            audit.kept > 0
                ? m_commit->database.failure()
                : tr("No game passed the audit, but the database file %1 could not be deleted.")
                      .arg(m_databaseFile))});
    if (audit.kept > 0)
        m_games.adoptGames(std::move(audit.games));
    else
        m_games.forgetGames();
    // The audit stands; its report is kept beside the database.
    const QString reportPath = QDir::toNativeSeparators(QFileInfo(m_reportFile).absoluteFilePath());
    const Outcome<Done> saved = writeLinesAtomically(m_reportFile, m_reportLines);
    const QString savedLine =
        saved.ok()
            ? tr("The report was saved in %1.").arg(reportPath)
            : tr("The report could not be saved in %1: %2.").arg(reportPath, saved.failure());
    // The games the audit dropped come back with the next List.
    QStringList details = m_reportLines;
    if (audit.removed > 0)
        details << QString() << tr("List reads every game again.");
    finish(AuditSummary{auditSummary(audit.kept, audit.removed), savedLine, details});
}
