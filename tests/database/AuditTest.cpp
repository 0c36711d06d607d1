#include "database/Audit.h"

#include "database/ListingImport.h"
#include "text/TextFile.h"

#include <gtest/gtest.h>

#include "QtPrinters.h"

namespace {

GameTable Games(std::initializer_list<const char*> names) {
    GameTable games;
    for (const char* name : names)
        games.push_back({QString("Game %1").arg(name), name, "", "drv"});
    return games;
}

QStringList Names(const GameTable& games) {
    QStringList names;
    for (const GameRecord& g : games)
        names << g.name;
    return names;
}

std::optional<QStringList> Fixture(const char* name) {
    return readLines(QString(COINSLOT_FIXTURES "/old-mame/") + name);
}

} // namespace

TEST(Audit, KeepsTheSampleGamesReportedUsable) {
    const ListingImport import = importListings(Fixture("listfull.txt"), Fixture("listclones.txt"),
                                                Fixture("listsourcefile.txt"), false);
    const AuditOutcome audit = auditGames(import.games, Fixture("verifysets.txt"));
    ASSERT_TRUE(audit.ok()) << audit.failure.toStdString();
    EXPECT_EQ(audit.kept, 33); // the report's own count of good sets
    EXPECT_EQ(audit.removed, 49);
    EXPECT_EQ(std::ssize(audit.games), audit.kept);
    const QStringList kept = Names(audit.games);
    EXPECT_TRUE(kept.contains("outrunra"));  // best available
    EXPECT_FALSE(kept.contains("shangon"));  // bad
    EXPECT_FALSE(kept.contains("sharrier")); // not reported
}

TEST(Audit, KeepsGamesInMasterOrderAndMatchesNamesExactly) {
    const GameTable games = Games({"zeta", "alpha", "Mixed", "twice", "bad", "absent", "mid"});
    const QStringList report = {
        "romset zeta is good",
        "romset twice is good",
        "romset alpha [zeta] is best available",
        "romset mixed is good", // differs from "Mixed" in case only
        "romset bad is bad",
        "romset twice is good",                  // reported twice: kept once
        "romset mid is good, is best available", // both phrases: counted once
        "12 romsets found, 5 were OK.",
    };
    const AuditOutcome audit = auditGames(games, report);
    ASSERT_TRUE(audit.ok());
    EXPECT_EQ(Names(audit.games), QStringList({"zeta", "alpha", "twice", "mid"}));
    EXPECT_EQ(audit.games[0], games[0]);
    EXPECT_EQ(audit.kept, 4);
    EXPECT_EQ(audit.removed, 3);
    EXPECT_EQ(auditSummary(audit.kept, audit.removed), "4 games found, 3 removed.");
    EXPECT_EQ(auditSummary(120, 0), "120 games found, 0 removed.");
}

TEST(Audit, AReportOfAuditedSetsNoneUsableKeepsNoGame) {
    const AuditOutcome audit = auditGames(
        Games({"a", "b"}), QStringList{"romset a is bad", "1 romsets found, 0 were OK."});
    ASSERT_TRUE(audit.ok());
    EXPECT_TRUE(audit.games.empty());
    EXPECT_EQ(audit.kept, 0);
    EXPECT_EQ(audit.removed, 2);
}

TEST(Audit, AReportThatIsNoAuditIsAFailure) {
    const GameTable games = Games({"a"});
    // Over the limit: the good line is shared, so the list stays small.
    QStringList tooMany = {"romset header"};
    const QString good = "romset s is good";
    for (int i = 0; i <= kMaxGames; ++i)
        tooMany << good;
    tooMany << "1000001 romsets found, 1000001 were OK.";
    struct Case {
        std::optional<QStringList> report;
        QStringList errors;
        QString message;
    };
    const Case cases[] = {
        {std::nullopt, {}, "MAME produced no audit report (-verifysets)."},
        {QStringList{}, {}, "MAME's audit report (-verifysets) is empty, so no set was audited."},
        {QStringList{"", "Error: unknown option: -verifysets"},
         {},
         "MAME's audit report (-verifysets) names no romset, so no set was audited. It begins: "
         "\"Error: unknown option: -verifysets\""},
        {QStringList{},
         {" ", "Error: unknown option: -verifysets"},
         "MAME's audit report (-verifysets) is empty, so no set was audited. MAME said: "
         "\"Error: unknown option: -verifysets\""},
        {QStringList{"romset a is good", "x is good"},
         {},
         "Line 2 of MAME's audit report (-verifysets) has no blank after the set name: "
         "\"x is good\""},
        {tooMany,
         {},
         "MAME's audit report (-verifysets) holds more than 1,000,000 good sets, more than "
         "the database can hold."},
        // Stopped part way: the verdicts so far must not thin the table.
        {QStringList{"romset a is good", "romset b is bad"},
         {},
         "MAME's audit report (-verifysets) ends before its closing line, so the audit did not "
         "finish."},
        {QStringList{"romset a is good", "1 romsets found, 1 were OK"},
         {"Segmentation fault"},
         "MAME's audit report (-verifysets) ends before its closing line, so the audit did not "
         "finish."},
    };
    for (const Case& c : cases) {
        const AuditOutcome audit = auditGames(games, c.report, c.errors, "-verifysets");
        EXPECT_FALSE(audit.ok());
        EXPECT_EQ(audit.failure, c.message);
        EXPECT_TRUE(audit.games.empty());
    }
    EXPECT_EQ(auditGames(games, QStringList{"romset a is good"}, {}, "-verifyroms").failure,
              "MAME's audit report (-verifyroms) ends before its closing line, so the audit did "
              "not finish.");
}

// The forms below are what MAME 0.251 printed for -verifyroms with a wrong-sized
// pacman.6e: the verdicts on standard output, the count on standard error.
TEST(Audit, ACurrentMameMayCloseItsAuditOnStandardError) {
    const GameTable games = Games({"1292apvs", "pacman", "puckman", "wangpc_tig"});
    const QStringList report = {
        "romset 1292apvs is best available",
        "pacman      : pacman.6e (4096 bytes) - INCORRECT LENGTH: 100 bytes",
        "pacman      : 82s123.7f (32 bytes) - NOT FOUND (puckman)",
        "romset pacman [puckman] is bad",
        "wangpc_tig  : 377-3073.l16 (256 bytes) - NOT FOUND - NO GOOD DUMP KNOWN",
        "romset wangpc_tig is best available",
    };
    AuditOutcome audit =
        auditGames(games, report, {"3 romsets found, 2 were OK."}, QString("-verifyroms"));
    ASSERT_TRUE(audit.ok()) << audit.failure.toStdString();
    EXPECT_EQ(Names(audit.games), QStringList({"1292apvs", "wangpc_tig"}));

    // Nothing found at all: a finished audit that keeps no game.
    for (const char* closing :
         {"romset \"*\" not found!", "romset \"*\" not supported!", "romset \"*\" has no roms!"}) {
        audit = auditGames(games, QStringList{}, {closing}, "-verifyroms");
        ASSERT_TRUE(audit.ok()) << closing << ": " << audit.failure.toStdString();
        EXPECT_EQ(audit.kept, 0);
        EXPECT_EQ(audit.removed, 4);
    }
}

TEST(Audit, OnlyAWholeClosingLineClosesTheAudit) {
    for (const char* line : {"43 romsets found, 33 were OK.", "0 romsets found, 0 were OK.  ",
                             "romset \"*\" not found!", "romset \"pac*\" has no roms!"})
        EXPECT_TRUE(isAuditClosingLine(line)) << line;
    for (const char* line : {"", "romsets found, were OK.", "43 romsets found, 33 were OK",
                             "x 43 romsets found, 33 "
                             "were OK.",
                             "romset pacman [puckman] is bad", "romset \"*\" not found! is good",
                             "romset * not found!", "No matching systems found for 'nosuchset'"})
        EXPECT_FALSE(isAuditClosingLine(line)) << line;
}
