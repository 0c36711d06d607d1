// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/AuditJob.h"

#include "database/AuditReport.h"
#include "frontend/GameList.h"
#include "text/MessageText.h"
#include "gamelist/GameFlags.h"
#include "text/TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// An audit of a million sets reports far less.
constexpr qint64 kMostAuditOutput = qint64{512} << 20;

QString verdictText(SetVerdict verdict) {
    switch (verdict) {
    case SetVerdict::Good:
        return QStringLiteral("good");
    case SetVerdict::BestAvailable:
        return QStringLiteral("best available");
    case SetVerdict::Bad:
        return QStringLiteral("bad");
    case SetVerdict::NotFound:
        break;
    }
    return QStringLiteral("not found");
}

} // namespace

AuditJob::AuditJob(MameRunner& runner, MameSetup& mame, GameList& games, QString reportFile,
                   QString storePath)
    : MameJob(runner, mame), m_games(games),
      m_table(std::make_shared<const GameTable>(games.games())), m_machines(games.machineList()),
      m_databaseFile(games.databaseFile()), m_reportFile(std::move(reportFile)),
      m_storePath(std::move(storePath)) {}

void AuditJob::start() {
    if (Outcome<Done> made = makeTempFolder(); !made.ok())
        return finish(made.why());
    // A MAME known to be a current one is not offered the option it refuses.
    runAudit(mame().generation() == MameGeneration::Current ? verifyRomsArguments()
                                                            : verifySetsArguments());
}

AuditJob::~AuditJob() {
    abandon(); // the reading thread uses the audit's progress
}

// MAME's report goes to the temporary folder. An old MAME's verdicts are
// counted as they come; a current one's, read on a thread of their own, tell
// how far along the sets it is.
void AuditJob::runAudit(const QStringList& arguments) {
    m_option = arguments.front();
    MameRunRequest request = mameRequest(arguments);
    request.outputFile = temp().auditReport();
    request.outputLimit = kMostAuditOutput;
    request.limitText = QStringLiteral("any audit report");
    request.countedText = QByteArrayLiteral("romset ");
    request.countLines = arguments != verifyRomsArguments();
    run(request, &AuditJob::onReport);
    const qint64 total = std::ssize(*m_table);
    const auto report = [this, total](qint64 done) {
        reportProgress(
            tr("Auditing ROM sets\u2026 %1 of %2").arg(formatCount(done), formatCount(total)), done,
            total);
    };
    if (arguments == verifyRomsArguments()) {
        m_progress = std::make_unique<AuditProgress>(*m_table);
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
    } else {
        connect(&currentRun(), &MameRun::linesCounted, this, report);
    }
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
        return runAudit(verifyRomsArguments());
    }
    inWorker(
        [this, report = std::move(report), errors = std::move(errors)] {
            m_checked = auditGames(*m_table, report, errors, m_option);
            if (!m_checked->ok())
                return;
            m_reportLines = auditReportLines(*m_table, m_checked->value().findings);
            commit(m_checked->value());
        },
        &AuditJob::onChecked);
}

void AuditJob::commit(const AuditResult& audit) {
    std::vector<AuditVerdictRow> verdicts;
    verdicts.reserve(audit.findings.size());
    for (const SetFinding& finding : audit.findings)
        verdicts.push_back({finding.set, verdictText(finding.verdict), finding.problems});
    const MachineList list =
        machineListFor(audit.games, alignFacts(audit.games, m_machines, {}), m_machines);
    m_commit = commitGames(
        m_databaseFile, audit.kept > 0 ? &audit.games : nullptr, m_storePath,
        [&](CatalogueChange& change) { change.replaceAudit(verdicts, list); },
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
    finish(AuditSummary{auditSummary(audit.kept, audit.removed), savedLine, m_reportLines});
}
