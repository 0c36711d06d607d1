#include "frontend/AuditJob.h"

#include "frontend/GameList.h"
#include "text/TextFile.h"

#include <QLocale>

namespace {

QString formatCount(qint64 number) {
    return QLocale(QLocale::English).toString(number);
}

} // namespace

AuditJob::AuditJob(MameRunner& runner, MameSetup& mame, GameList& games)
    : MameJob(runner, mame), m_games(games) {}

void AuditJob::start() {
    if (Outcome<Done> made = makeTempFolder(); !made.ok())
        return finish(made.why());
    runAudit(verifySetsArguments());
}

// MAME's report goes to the temporary folder; its verdicts are counted as
// they come.
void AuditJob::runAudit(const QStringList& arguments) {
    m_option = arguments.front();
    MameRunRequest request = mameRequest(arguments);
    request.outputFile = temp().auditReport();
    request.countedText = QByteArrayLiteral("romset ");
    run(request, &AuditJob::onReport);
    const qint64 total = std::ssize(m_games.games());
    const auto report = [this, total](qint64 verdicts) {
        reportProgress(QStringLiteral("Auditing ROM sets\u2026 %1 of %2")
                           .arg(formatCount(verdicts), formatCount(total)),
                       verdicts, total);
    };
    connect(&currentRun(), &MameRun::linesCounted, this, report);
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
    finish(JobReport{auditSummary(audit.kept, audit.removed), {}});
}
