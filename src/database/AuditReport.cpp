// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/AuditReport.h"

#include <QLocale>
#include <algorithm>

namespace {

qsizetype countOf(const std::vector<SetFinding>& findings, SetVerdict verdict) {
    return std::count_if(findings.begin(), findings.end(), [verdict](const SetFinding& finding) {
        return finding.verdict == verdict;
    });
}

// "39,372"
QString formatCount(qint64 number) {
    return QLocale(QLocale::English).toString(number);
}

} // namespace

QStringList auditReportLines(const GameTable& games, const std::vector<SetFinding>& findings) {
    const auto count = [&findings](SetVerdict verdict) {
        return formatCount(countOf(findings, verdict));
    };
    QStringList lines = {
        QStringLiteral("Audit of %1 games").arg(formatCount(std::ssize(findings))),
        QStringLiteral("Good: %1").arg(count(SetVerdict::Good)),
        QStringLiteral("Best available: %1").arg(count(SetVerdict::BestAvailable)),
        QStringLiteral("Bad: %1").arg(count(SetVerdict::Bad)),
        QStringLiteral("Not found: %1").arg(count(SetVerdict::NotFound)),
    };
    if (countOf(findings, SetVerdict::Bad) == 0)
        return lines;
    lines << QString() << QStringLiteral("Bad sets:");
    for (std::size_t i = 0; i < findings.size() && i < games.size(); ++i) {
        const SetFinding& finding = findings[i];
        if (finding.verdict != SetVerdict::Bad)
            continue;
        lines << games[i].description() + QStringLiteral(" [") + finding.set + u']';
        if (finding.problems.isEmpty())
            lines << QStringLiteral("  (MAME named no file)");
        for (const QString& problem : finding.problems)
            lines << QStringLiteral("  ") + problem;
    }
    return lines;
}
