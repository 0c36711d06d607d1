// Each set's verdict, read beside the classic reading of the audit report.
#include "database/Audit.h"

#include <gtest/gtest.h>

#include "QtPrinters.h"

TEST(AuditFindings, AgreeWithTheSurvivorsAndNameTheFilesOfBadSetsOnly) {
    const GameTable games = {{"A", "mspacman", "", "d"}, {"B", "twice", "", "d"},
                             {"C", "gone", "", "d"},     {"D", "bare", "", "d"},
                             {"E", "spare", "", "d"},    {"F", "again", "", "d"}};
    const QStringList report = {
        "mspacman: boot1           4096 bytes d16b31b7 INCORRECT LENGTH:     2048",
        "mspacman    : boot2 (4096 bytes) - NOT FOUND (pacman)",
        "romset mspacman [pacman] is bad",
        "twice       : x.bin (16 bytes) - NOT FOUND",
        "romset twice is bad",
        "romset twice is good", // called usable once, in any order: it survives, so it is good
        "romset again is good",
        "romset again is bad",
        "romset bare is bad",
        "spare       : y.bin (16 bytes) - NOT FOUND - NO GOOD DUMP KNOWN",
        "romset spare is best available",
        "3 romsets found, 2 were OK.",
    };
    const Outcome<AuditResult> audit = auditGames(games, report);
    ASSERT_TRUE(audit.ok()) << audit.failure();
    ASSERT_EQ(audit.value().findings.size(), games.size());
    QStringList seen;
    for (const SetFinding& finding : audit.value().findings)
        seen << QString("%1 %2 %3")
                    .arg(finding.set)
                    .arg(static_cast<int>(finding.verdict))
                    .arg(finding.problems.join(", "));
    EXPECT_EQ(seen, QStringList({"mspacman 2 boot1: wrong length, boot2: not found", "twice 0 ",
                                 "gone 3 ", "bare 2 ", "spare 1 ", "again 0 "}));
    EXPECT_EQ(audit.value().kept, 3);
}
