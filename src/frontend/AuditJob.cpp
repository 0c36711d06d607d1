// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/AuditJob.h"

#include "database/AuditReport.h"
#include "frontend/GameList.h"
#include "text/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {

QString formatCount(qint64 number) {
    return QLocale(QLocale::English).toString(number);
}

} // namespace

AuditJob::AuditJob(MameRunner& runner, MameSetup& mame, GameList& games, QString reportFile)
    : MameJob(runner, mame), m_games(games), m_reportFile(std::move(reportFile)) {}

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
    request.countedText = QByteArrayLiteral("romset ");
    request.countLines = arguments != verifyRomsArguments();
    run(request, &AuditJob::onReport);
    const qint64 total = std::ssize(m_games.games());
    const auto report = [this, total](qint64 done) {
        reportProgress(QStringLiteral("Auditing ROM sets\u2026 %1 of %2")
                           .arg(formatCount(done), formatCount(total)),
                       done, total);
    };
    if (arguments == verifyRomsArguments()) {
        m_progress = std::make_unique<AuditProgress>(m_games.games());
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
    if (const auto failure =
            runFailure(result, QStringLiteral("auditing the ROM sets (%1)").arg(m_option)))
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
            m_checked = auditGames(m_games.games(), report, errors, m_option);
            if (m_checked->ok())
                m_reportLines = auditReportLines(m_games.games(), m_checked->value().findings);
        },
        &AuditJob::onChecked);
}

// The survivors replace the database, or, with none left, it is deleted.
void AuditJob::onChecked() {
    Outcome<AuditResult> checked = std::move(*m_checked);
    if (!checked.ok())
        return finish(Failure{checked.failure() + kNothingChanged});
    AuditResult audit = std::move(checked).value();
    if (audit.kept > 0) {
        const Outcome<Done> replaced = m_games.replaceGames(std::move(audit.games));
        if (!replaced.ok())
            return finish(Failure{replaced.failure() + kNothingChanged});
    } else if (!m_games.removeAll().ok()) {
        return finish(Failure{QStringLiteral("No game passed the audit, but the database file ") +
                              m_games.databaseFile() + QStringLiteral(" could not be deleted.") +
                              kNothingChanged});
    }
    // The audit stands; its report is kept beside the database.
    m_findings = std::move(audit.findings);
    const QString reportPath = QDir::toNativeSeparators(QFileInfo(m_reportFile).absoluteFilePath());
    const Outcome<Done> saved = writeLinesAtomically(m_reportFile, m_reportLines);
    const QString savedLine = saved.ok()
                                  ? QStringLiteral("The report was saved in %1.").arg(reportPath)
                                  : QStringLiteral("The report could not be saved in %1: %2.")
                                        .arg(reportPath, saved.failure());
    // The games the audit dropped come back with the next List.
    QStringList details = m_reportLines;
    if (audit.removed > 0)
        details << QString() << QStringLiteral("List reads every game again.");
    finish(
        JobReport{auditSummary(audit.kept, audit.removed) + QStringLiteral("\r\n\r\n") + savedLine,
                  details.join(QStringLiteral("\r\n"))});
}
