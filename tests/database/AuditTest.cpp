// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/Audit.h"

#include "GamePrinters.h"
#include "OutcomeText.h"

namespace {

const GameTable kGames = {{"Zeta", "zeta", "", "d"},   {"Alpha", "alpha", "zeta", "d"},
                          {"Mixed", "Mixed", "", "d"}, {"Twice", "twice", "", "d"},
                          {"Bad", "bad", "", "d"},     {"Absent", "absent", "", "d"},
                          {"Mid", "mid", "", "d"},     {"X", "x", "", "d"}};

Outcome<AuditResult> audit(const std::optional<QStringList>& report, const QStringList& errors = {},
                           const QString& option = "-verifysets") {
    return auditGames(kGames, report, errors, option);
}

} // namespace

TEST(Audit, KeepsGamesInMasterOrderWhoseNamesAGoodVerdictGivesExactlyAndNamesBadSetsFiles) {
    const AuditResult result = valueOf(audit(QStringList{
        "romset zeta is good",
        "romset twice is bad",
        "romset twice is good", // called usable once, in any order: it survives, so it is good
        "alpha       : a.bin (16 bytes) - NOT FOUND - NO GOOD DUMP KNOWN",
        "romset alpha [zeta] is best available",
        "romset mixed is good", // differs from "Mixed" in case only
        "bad: boot1           4096 bytes d16b31b7 INCORRECT LENGTH:     2048",
        "bad         : boot2 (4096 bytes) - NOT FOUND (zeta)",
        "romset bad [zeta] is bad",
        "romset twice is good",                  // reported twice: kept once
        "romset mid is good, is best available", // both phrases: counted once
        "romset mid is bad",
        "ROMSET x is good", // the name starts in column 8
        "12 romsets found, 5 were OK.",
    }));
    EXPECT_EQ(result.games, (GameTable{kGames[0], kGames[1], kGames[3], kGames[6], kGames[7]}));
    EXPECT_EQ(std::pair(result.kept, result.removed), std::pair(5ll, 3ll));
    QStringList seen;
    for (const SetFinding& finding : result.findings)
        seen << QString("%1 %2 %3")
                    .arg(finding.set)
                    .arg(static_cast<int>(finding.verdict))
                    .arg(finding.problems.join(", "));
    EXPECT_EQ(seen, QStringList({"zeta 0 ", "alpha 1 ", "Mixed 3 ", "twice 0 ",
                                 "bad 2 boot1: wrong length, boot2: not found", "absent 3 ",
                                 "mid 0 ", "x 0 "}));
    // A finished audit with no usable set, or none found (closed on stderr), keeps none.
    EXPECT_EQ(valueOf(audit(QStringList{"romset a is bad", "1 romsets found, 0 were OK."})).kept,
              0);
    EXPECT_EQ(valueOf(audit(QStringList{}, {"romset \"*\" not found!"}, "-verifyroms")).kept, 0);
}

TEST(Audit, AReportThatIsNoFinishedAuditIsAFailure) {
    EXPECT_TRUE(failsWith(audit(std::nullopt), "MAME produced no audit report (-verifysets)."));
    EXPECT_TRUE(failsWith(audit(QStringList{}), "(-verifysets) is empty, so no set was audited."));
    EXPECT_TRUE(failsWith(audit(QStringList{"", "Error: unknown option"}),
                          "names no romset, so no set was audited. It begins: \"Error: unknown"));
    EXPECT_TRUE(failsWith(audit(QStringList{}, {" ", "Error: no"}),
                          "is empty, so no set was audited. MAME "
                          "said: \"Error: no\""));
    const QString closed = "1 romsets found, 1 were OK.";
    EXPECT_TRUE(failsWith(audit(QStringList{"romset a is good", "x is good", closed}),
                          "Line 2 of MAME's audit report (-verifysets) has no blank"));
    QStringList tooMany(kMaxGames + 1, "romset s is good"); // shared: the list stays small
    EXPECT_TRUE(failsWith(audit(tooMany << closed), "holds more than 1,000,000 good sets"));
    // Stopped part way: the verdicts so far must not thin the table.
    EXPECT_TRUE(failsWith(audit(QStringList{"romset a is good", "romset b is bad"}),
                          "(-verifysets) ends before its closing line, so the audit did not"));
    EXPECT_TRUE(failsWith(
        audit(QStringList{"romset a is good", closed.chopped(1)}, {"Segfault"}, "-verifyroms"),
        "(-verifyroms) ends before its closing line"));
}

TEST(Audit, OnlyAWholeClosingLineClosesTheAudit) {
    for (const char* line : {"43 romsets found, 33 were OK.  ", "romset \"pac*\" not supported!",
                             "romset \"x\" has no roms!"})
        EXPECT_TRUE(isAuditClosingLine(line)) << line;
    for (const char* line : {"romsets found, were OK.", "x 43 romsets found, 33 were OK.",
                             "romset \"*\" not found! is good", "romset * not found!"})
        EXPECT_FALSE(isAuditClosingLine(line)) << line;
}
