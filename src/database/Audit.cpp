#include "database/Audit.h"

#include "database/QuotedLine.h"
#include "text/Sorting.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace {

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

bool MentionsRomset(const QString& line) {
    return line.contains(QLatin1String("romset"));
}

// Bisection over names[0..count-1], sorted ordinally.
bool ContainsName(const std::vector<QString>& names, qsizetype count, const QString& name) {
    qsizetype low = 0;
    qsizetype high = count - 1;
    while (low <= high) {
        const qsizetype middle = low + (high - low) / 2;
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

const QString* FirstNonBlank(const QStringList& lines) {
    for (const QString& line : lines) {
        if (!line.trimmed().isEmpty())
            return &line;
    }
    return nullptr;
}

// What MAME printed instead of an audit, for the message.
QString WhatMamePrinted(const QString& reportName, const QStringList& report,
                        const QStringList& errorLines) {
    if (const QString* line = FirstNonBlank(report))
        return QStringLiteral("MAME's %1 names no romset, so no set was audited. It begins: %2")
            .arg(reportName, QuotedLine(*line));
    QString message = QStringLiteral("MAME's %1 is empty, so no set was audited.").arg(reportName);
    if (const QString* line = FirstNonBlank(errorLines))
        message += QStringLiteral(" MAME said: %1").arg(QuotedLine(*line));
    return message;
}

} // namespace

bool IsAuditClosingLine(const QString& line) {
    const QStringView end = QStringView(line).trimmed();
    if (!end.endsWith(u'.') && !end.endsWith(u'!'))
        return false;
    static const QRegularExpression closing(
        QStringLiteral(R"(^(\d+ romsets found, \d+ were OK\.|romset "[^"]*" )"
                       R"((not found|not supported|has no roms)!)$)"));
    return closing.match(end).hasMatch();
}

AuditOutcome AuditGames(const GameTable& games, const std::optional<QStringList>& report,
                        const QStringList& errorLines, const QString& option) {
    const QString reportName = QStringLiteral("audit report (%1)").arg(option);
    if (!report)
        return Failed(QStringLiteral("MAME produced no %1.").arg(reportName));
    if (std::none_of(report->begin(), report->end(), MentionsRomset) &&
        std::none_of(errorLines.begin(), errorLines.end(), MentionsRomset))
        return Failed(WhatMamePrinted(reportName, *report, errorLines));

    std::vector<QString> goodNames;
    for (qsizetype i = 0; i < report->size(); ++i) {
        const QString& line = report->at(i);
        if (!IsGoodVerdict(line))
            continue;
        const qsizetype blank = line.indexOf(u' ', kNameColumn - 1);
        if (blank < 0)
            return Failed(QStringLiteral("Line %1 of MAME's %2 has no blank after the set name: %3")
                              .arg(QString::number(i + 1), reportName, QuotedLine(line)));
        if (std::ssize(goodNames) == kMaxGames)
            return Failed(
                QStringLiteral("MAME's %1 holds more than %2 good sets, more than the database "
                               "can hold.")
                    .arg(reportName, QLocale(QLocale::English).toString(kMaxGames)));
        goodNames.push_back(line.mid(kNameColumn - 1, blank - (kNameColumn - 1)));
    }
    // The closing line is normally the last one, so look from the end.
    if (std::none_of(report->rbegin(), report->rend(), IsAuditClosingLine) &&
        std::none_of(errorLines.rbegin(), errorLines.rend(), IsAuditClosingLine))
        return Failed(QStringLiteral("MAME's %1 ends before its closing line, so the audit did "
                                     "not finish.")
                          .arg(reportName));

    const qsizetype count = std::ssize(goodNames);
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
