// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/AuditReport.h"

#include "text/MessageText.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

qsizetype countOf(const std::vector<SetFinding>& findings, SetVerdict verdict) {
    return std::count_if(findings.begin(), findings.end(), [verdict](const SetFinding& finding) {
        return finding.verdict == verdict;
    });
}

} // namespace

QStringList auditReportLines(const GameTable& games, const std::vector<SetFinding>& findings) {
    const auto count = [&findings](SetVerdict verdict) {
        return formatCount(countOf(findings, verdict));
    };
    QStringList lines = {
        QCoreApplication::translate("AuditReport", "Audit of %1 games")
            .arg(formatCount(std::ssize(findings))),
        QCoreApplication::translate("AuditReport", "Good: %1").arg(count(SetVerdict::Good)),
        QCoreApplication::translate("AuditReport", "Best available: %1")
            .arg(count(SetVerdict::BestAvailable)),
        QCoreApplication::translate("AuditReport", "Bad: %1").arg(count(SetVerdict::Bad)),
        QCoreApplication::translate("AuditReport", "Not found: %1")
            .arg(count(SetVerdict::NotFound)),
    };
    if (countOf(findings, SetVerdict::Bad) == 0)
        return lines;
    lines << QString() << QCoreApplication::translate("AuditReport", "Bad sets:");
    for (std::size_t i = 0; i < findings.size() && i < games.size(); ++i) {
        const SetFinding& finding = findings[i];
        if (finding.verdict != SetVerdict::Bad)
            continue;
        lines << games[i].description() + QStringLiteral(" [") + finding.set + u']';
        if (finding.problems.isEmpty())
            lines << QCoreApplication::translate("AuditReport", "  (MAME named no file)");
        for (const QString& problem : finding.problems)
            lines << QStringLiteral("  ") + problem;
    }
    return lines;
}
