#include "database/AuditReport.h"

#include <algorithm>

namespace {

qsizetype countOf(const std::vector<SetFinding>& findings, SetVerdict verdict) {
    return std::count_if(findings.begin(), findings.end(), [verdict](const SetFinding& finding) {
        return finding.verdict == verdict;
    });
}

} // namespace

QStringList auditReportLines(const GameTable& games, const std::vector<SetFinding>& findings) {
    QStringList lines = {
        QStringLiteral("Audit of %1 games").arg(findings.size()),
        QStringLiteral("Good: %1").arg(countOf(findings, SetVerdict::Good)),
        QStringLiteral("Best available: %1").arg(countOf(findings, SetVerdict::BestAvailable)),
        QStringLiteral("Bad: %1").arg(countOf(findings, SetVerdict::Bad)),
        QStringLiteral("Not found: %1").arg(countOf(findings, SetVerdict::NotFound)),
    };
    if (countOf(findings, SetVerdict::Bad) == 0)
        return lines;
    lines << QString() << QStringLiteral("Bad sets:");
    for (std::size_t i = 0; i < findings.size() && i < games.size(); ++i) {
        const SetFinding& finding = findings[i];
        if (finding.verdict != SetVerdict::Bad)
            continue;
        lines << games[i].description + QStringLiteral(" [") + finding.set + u']';
        if (finding.problems.isEmpty())
            lines << QStringLiteral("  (MAME named no file)");
        for (const QString& problem : finding.problems)
            lines << QStringLiteral("  ") + problem;
    }
    return lines;
}
