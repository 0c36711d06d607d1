#include "database/Audit.h"

#include "database/QuotedLine.h"
#include "text/Sorting.h"

#include <QLocale>
#include <algorithm>
#include <vector>

namespace {

const QString kReport = QStringLiteral("audit report (-verifysets)");
constexpr qsizetype kNameColumn = 8;

AuditOutcome Failed(QString message) {
    AuditOutcome outcome;
    outcome.failure = std::move(message);
    return outcome;
}

bool IsGoodVerdict(const QString& line) {
    return line.contains(QLatin1String("is good")) ||
           line.contains(QLatin1String("is best available"));
}

// Bisection over names[0..count-1], sorted ordinally.
bool ContainsName(const std::vector<QString>& names, qint16 count, const QString& name) {
    qint16 low = 0;
    qint16 high = count - 1;
    while (low <= high) {
        const qint16 middle = (low + high) / 2;
        const int order = CompareOrdinal(names[middle], name);
        if (order < 0)
            low = middle + 1;
        else if (order > 0)
            high = middle - 1;
        else
            return true;
    }
    return false;
}

// What MAME printed instead of an audit, for the message.
QString WhatMamePrinted(const QStringList& report) {
    for (const QString& line : report) {
        if (!line.trimmed().isEmpty())
            return QStringLiteral("MAME's %1 names no romset, so no set was audited. It begins: %2")
                .arg(kReport, QuotedLine(line));
    }
    return QStringLiteral("MAME's %1 is empty, so no set was audited.").arg(kReport);
}

} // namespace

AuditOutcome AuditGames(const GameTable& games, const std::optional<QStringList>& report) {
    if (!report)
        return Failed(QStringLiteral("MAME produced no %1.").arg(kReport));
    const auto mentionsRomset = [](const QString& line) {
        return line.contains(QLatin1String("romset"));
    };
    if (std::none_of(report->begin(), report->end(), mentionsRomset))
        return Failed(WhatMamePrinted(*report));

    std::vector<QString> goodNames;
    for (qsizetype i = 0; i < report->size(); ++i) {
        const QString& line = report->at(i);
        if (!IsGoodVerdict(line))
            continue;
        const qsizetype blank = line.indexOf(u' ', kNameColumn - 1);
        if (blank < 0)
            return Failed(QStringLiteral("Line %1 of MAME's %2 has no blank after the set name: %3")
                              .arg(QString::number(i + 1), kReport, QuotedLine(line)));
        if (std::ssize(goodNames) == kMaxGames)
            return Failed(
                QStringLiteral("MAME's %1 holds more than %2 good sets, more than the database "
                               "can hold.")
                    .arg(kReport, QLocale(QLocale::English).toString(kMaxGames)));
        goodNames.push_back(line.mid(kNameColumn - 1, blank - (kNameColumn - 1)));
    }
    const auto count = static_cast<qint16>(goodNames.size());
    SortStrings(goodNames, count);

    AuditOutcome outcome;
    for (const GameRecord& game : games) {
        if (ContainsName(goodNames, count, game.strName))
            outcome.games.push_back(game);
    }
    outcome.kept = std::ssize(outcome.games);
    outcome.removed = std::ssize(games) - outcome.kept;
    return outcome;
}

QString AuditSummary(qsizetype kept, qsizetype removed) {
    return QStringLiteral("%1 games found, %2 removed.").arg(kept).arg(removed);
}
