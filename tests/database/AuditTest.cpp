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
        names << g.strName;
    return names;
}

std::optional<QStringList> Fixture(const char* name) {
    return ReadLines(QString(COINSLOT_FIXTURES "/old-mame/") + name);
}

} // namespace

TEST(Audit, KeepsTheSampleGamesReportedUsable) {
    const ListingImport import = ImportListings(Fixture("listfull.txt"), Fixture("listclones.txt"),
                                                Fixture("listsourcefile.txt"), false);
    const AuditOutcome audit = AuditGames(import.games, Fixture("verifysets.txt"));
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
    const AuditOutcome audit = AuditGames(games, report);
    ASSERT_TRUE(audit.ok());
    EXPECT_EQ(Names(audit.games), QStringList({"zeta", "alpha", "twice", "mid"}));
    EXPECT_EQ(audit.games[0], games[0]);
    EXPECT_EQ(audit.kept, 4);
    EXPECT_EQ(audit.removed, 3);
    EXPECT_EQ(AuditSummary(audit.kept, audit.removed), "4 games found, 3 removed.");
    EXPECT_EQ(AuditSummary(120, 0), "120 games found, 0 removed.");
}

TEST(Audit, AReportOfAuditedSetsNoneUsableKeepsNoGame) {
    const AuditOutcome audit = AuditGames(
        Games({"a", "b"}), QStringList{"romset a is bad", "1 romsets found, 0 were OK."});
    ASSERT_TRUE(audit.ok());
    EXPECT_TRUE(audit.games.empty());
    EXPECT_EQ(audit.kept, 0);
    EXPECT_EQ(audit.removed, 2);
}

TEST(Audit, AReportThatIsNoAuditIsAFailure) {
    const GameTable games = Games({"a"});
    QStringList tooMany = {"romset header"};
    for (int i = 0; i <= kMaxGames; ++i)
        tooMany << QString("romset s%1 is good").arg(i);
    struct Case {
        std::optional<QStringList> report;
        QString message;
    };
    const Case cases[] = {
        {std::nullopt, "MAME produced no audit report (-verifysets)."},
        {QStringList{}, "MAME's audit report (-verifysets) is empty, so no set was audited."},
        {QStringList{"", "Error: unknown option: -verifysets"},
         "MAME's audit report (-verifysets) names no romset, so no set was audited. It begins: "
         "\"Error: unknown option: -verifysets\""},
        {QStringList{"romset a is good", "x is good"},
         "Line 2 of MAME's audit report (-verifysets) has no blank after the set name: "
         "\"x is good\""},
        {tooMany, "MAME's audit report (-verifysets) holds more than 10,001 good sets, more than "
                  "the database can hold."},
    };
    for (const Case& c : cases) {
        const AuditOutcome audit = AuditGames(games, c.report);
        EXPECT_FALSE(audit.ok());
        EXPECT_EQ(audit.failure, c.message);
        EXPECT_TRUE(audit.games.empty());
    }
}
