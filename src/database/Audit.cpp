// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/Audit.h"

#include "database/ListingFaults.h"
#include "text/Sorting.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace {

constexpr qsizetype kNameColumn = 8;

bool isGoodVerdict(const QString& line) {
    return line.contains(QLatin1String("is good")) ||
           line.contains(QLatin1String("is best available"));
}

bool mentionsRomset(const QString& line) {
    return line.contains(QLatin1String("romset"));
}

// Bisection over names[0..count-1], sorted ordinally.
bool containsName(const std::vector<QString>& names, qsizetype count, const QString& name) {
    qsizetype low = 0;
    qsizetype high = count - 1;
    while (low <= high) {
        const qsizetype middle = low + (high - low) / 2;
        const int order = compareOrdinal(names[middle], name);
        if (order < 0)
            low = middle + 1;
        else if (order > 0)
            high = middle - 1;
        else
            return true;
    }
    return false;
}

const QString* firstNonBlank(const QStringList& lines) {
    for (const QString& line : lines) {
        if (!line.trimmed().isEmpty())
            return &line;
    }
    return nullptr;
}

// What MAME printed instead of an audit, for the message.
QString whatMamePrinted(const QString& reportName, const QStringList& report,
                        const QStringList& errorLines) {
    if (const QString* line = firstNonBlank(report))
        return QCoreApplication::translate(
                   "Audit", "MAME's %1 names no romset, so no set was audited. It begins: %2")
            .arg(reportName, quoted(*line));
    QString message =
        QCoreApplication::translate("Audit", "MAME's %1 is empty, so no set was audited.")
            .arg(reportName);
    if (const QString* line = firstNonBlank(errorLines))
        message += QCoreApplication::translate("Audit", " MAME said: %1").arg(quoted(*line));
    return message;
}

// The set name of a verdict line, from column 8 up to the next blank.
QString verdictSetName(const QString& line, qsizetype blank) {
    return line.mid(kNameColumn - 1, blank - (kNameColumn - 1));
}

// Why a detail line names a file, in the report's words.
QString problemOf(QStringView mameWords) {
    if (mameWords == QLatin1String("NOT FOUND"))
        return QCoreApplication::translate("Audit", "not found");
    if (mameWords == QLatin1String("INCORRECT CHECKSUM"))
        return QCoreApplication::translate("Audit", "wrong checksum");
    return QCoreApplication::translate("Audit", "wrong length");
}

// What the lines of a report say of each set, beside the good lines that thin the table.
class FindingsReader {
  public:
    // A good line ("is good" or "is best available"), whose set is `name`.
    void addGood(const QString& line, const QString& name) {
        const SetVerdict verdict =
            line.contains(QLatin1String("is good")) ? SetVerdict::Good : SetVerdict::BestAvailable;
        // Called usable anywhere, the set survives: that verdict wins.
        const auto known = m_verdicts.constFind(name);
        if (known == m_verdicts.constEnd() || *known == SetVerdict::Bad)
            m_verdicts.insert(name, verdict);
    }
    // Any other line: a bad verdict, a detail line, or something else.
    void addOther(const QString& line) {
        if (line.startsWith(QLatin1String("romset ")) && line.contains(QLatin1String(" is bad"))) {
            const qsizetype blank = line.indexOf(u' ', kNameColumn - 1);
            if (const QString name = verdictSetName(line, blank); !m_verdicts.contains(name))
                m_verdicts.insert(name, SetVerdict::Bad);
            return;
        }
        if (!line.contains(QLatin1String(": ")))
            return;
        static const QRegularExpression detail(QStringLiteral(
            R"(^(\S+)\s*: (\S+)\s.*?(NOT FOUND|INCORRECT CHECKSUM|INCORRECT LENGTH))"));
        const QRegularExpressionMatch match = detail.match(line);
        if (match.hasMatch())
            m_problems[match.captured(1)].append(match.captured(2) + QStringLiteral(": ") +
                                                 problemOf(match.capturedView(3)));
    }
    // One finding per game, in the order of `games`.
    std::vector<SetFinding> findings(const GameTable& games) const {
        std::vector<SetFinding> findings;
        findings.reserve(games.size());
        for (const GameRecord& game : games) {
            QString name = game.name();
            const SetVerdict verdict = m_verdicts.value(name, SetVerdict::NotFound);
            QStringList problems =
                verdict == SetVerdict::Bad ? m_problems.value(name) : QStringList();
            findings.push_back({std::move(name), verdict, std::move(problems)});
        }
        return findings;
    }

    // One finding per set named by a verdict line, sorted by name.
    std::vector<SetFinding> reported() const {
        std::vector<SetFinding> findings;
        findings.reserve(m_verdicts.size());
        for (auto at = m_verdicts.constBegin(); at != m_verdicts.constEnd(); ++at)
            findings.push_back(
                {at.key(), *at,
                 *at == SetVerdict::Bad ? m_problems.value(at.key()) : QStringList()});
        std::sort(findings.begin(), findings.end(),
                  [](const SetFinding& a, const SetFinding& b) { return a.set < b.set; });
        return findings;
    }

  private:
    QHash<QString, SetVerdict> m_verdicts;
    QHash<QString, QStringList> m_problems;
};

} // namespace

bool isAuditClosingLine(const QString& line) {
    const QStringView end = QStringView(line).trimmed();
    if (!end.endsWith(u'.') && !end.endsWith(u'!'))
        return false;
    static const QRegularExpression closing(
        QStringLiteral(R"(^(\d+ romsets found, \d+ were OK\.|romset "[^"]*" )"
                       R"((not found|not supported|has no roms)!)$)"));
    return closing.match(end).hasMatch();
}

Outcome<AuditResult> auditGames(const GameTable& games, const std::optional<QStringList>& report,
                                const QStringList& errorLines, const QString& option) {
    const QString reportName =
        QCoreApplication::translate("Audit", "audit report (%1)").arg(option);
    if (!report)
        return Failure{
            QCoreApplication::translate("Audit", "MAME produced no %1.").arg(reportName)};
    if (std::none_of(report->begin(), report->end(), mentionsRomset) &&
        std::none_of(errorLines.begin(), errorLines.end(), mentionsRomset))
        return Failure{whatMamePrinted(reportName, *report, errorLines)};

    std::vector<QString> goodNames;
    FindingsReader findings;
    for (qsizetype i = 0; i < report->size(); ++i) {
        const QString& line = report->at(i);
        if (!isGoodVerdict(line)) {
            findings.addOther(line);
            continue;
        }
        const qsizetype blank = line.indexOf(u' ', kNameColumn - 1);
        if (blank < 0)
            return Failure{lineFault(
                reportName, i + 1,
                QCoreApplication::translate("Audit", "has no blank after the set name"), line)};
        if (std::ssize(goodNames) == kMaxGames)
            return Failure{QCoreApplication::translate(
                               "Audit",
                               "MAME's %1 holds more than %2 good sets, more than the database "
                               "can hold.")
                               .arg(reportName, formatCount(kMaxGames))};
        goodNames.push_back(verdictSetName(line, blank));
        findings.addGood(line, goodNames.back());
    }
    // The closing line is normally the last one, so look from the end.
    if (std::none_of(report->rbegin(), report->rend(), isAuditClosingLine) &&
        std::none_of(errorLines.rbegin(), errorLines.rend(), isAuditClosingLine))
        return Failure{QCoreApplication::translate(
                           "Audit", "MAME's %1 ends before its closing line, so the audit did "
                                    "not finish.")
                           .arg(reportName)};

    const qsizetype count = std::ssize(goodNames);
    sortStrings(goodNames, count);

    AuditResult result;
    for (const GameRecord& game : games) {
        if (containsName(goodNames, count, game.name()))
            result.games.push_back(game);
    }
    result.kept = std::ssize(result.games);
    result.removed = std::ssize(games) - result.kept;
    result.findings = findings.findings(games);
    result.reported = findings.reported();
    return result;
}

QString verdictName(SetVerdict verdict) {
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

SetVerdict verdictNamed(const QString& name) {
    for (const SetVerdict verdict :
         {SetVerdict::Good, SetVerdict::BestAvailable, SetVerdict::Bad}) {
        if (name == verdictName(verdict))
            return verdict;
    }
    return SetVerdict::NotFound;
}

QString auditSummary(qsizetype kept, qsizetype removed) {
    return QCoreApplication::translate("Audit", "%1 games found, %2 removed.")
        .arg(kept)
        .arg(removed);
}
