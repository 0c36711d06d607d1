#include "database/ListingImport.h"

#include "text/Compare.h"
#include "text/TextFile.h"

#include <QHash>
#include <algorithm>
#include <gtest/gtest.h>

#include "QtPrinters.h"

namespace {

// Lines in the forms the old MAME prints.
QString Full(const QString& name, const QString& description) {
    return QString("%1\"%2\"").arg(name, -10).arg(description);
}
QString Clone(const QString& name, const QString& parent) {
    return QString("%1 %2").arg(name, -8).arg(parent, -8);
}
QString Source(const QString& name, const QString& file) {
    return QString("%1 src/drivers/%2").arg(name, -8).arg(file);
}

const QString kFullHeader = "Name:     Description:";
const QString kCloneHeader = "Name:    Clone of:";

QHash<QString, GameRecord> ByName(const GameTable& games) {
    QHash<QString, GameRecord> map;
    for (const GameRecord& g : games)
        map.insert(g.name, g);
    return map;
}

std::optional<QStringList> Fixture(const char* name) {
    return readLines(QString(COINSLOT_FIXTURES "/old-mame/") + name);
}

} // namespace

TEST(ListingImport, ReadsTheSampleListingsOfTheOldMame) {
    const auto clones = Fixture("listclones.txt");
    const ListingImport import =
        importListings(Fixture("listfull.txt"), clones, Fixture("listsourcefile.txt"), false);
    ASSERT_TRUE(import.ok()) << import.failure.toStdString();
    ASSERT_EQ(import.games.size(), 82u);
    EXPECT_TRUE(std::is_sorted(import.games.begin(), import.games.end(),
                               [](const GameRecord& a, const GameRecord& b) {
                                   return compareOrdinal(a.description, b.description) < 0;
                               }));

    const auto games = ByName(import.games);
    EXPECT_EQ(games["sharrier"],
              (GameRecord{"Space Harrier (Rev A, 8751 315-5163A)", "sharrier", "", "segahang"}));
    EXPECT_EQ(games["dumpmtmt"].parent, "bodyslam"); // a parent that fills its column
    EXPECT_EQ(games["outrunb"].parent, "outrun");
    EXPECT_EQ(games["outrunb"].driver, "segaorun");
    EXPECT_EQ(games["fpointbj"].parent, "fpoint");
    EXPECT_EQ(games["fpointbj"].driver, "segas16b");
    EXPECT_EQ(games["segajw"].description, "Joker's Wild (Rev. B)");

    // Every clone line gave its clone that parent, and no other game has one.
    QHash<QString, QString> parents;
    for (qsizetype i = 1; i < clones->size(); ++i) {
        const QStringList fields = clones->at(i).split(' ', Qt::SkipEmptyParts);
        parents.insert(fields[0], fields[1]);
    }
    for (const GameRecord& g : import.games)
        EXPECT_EQ(g.parent, parents.value(g.name)) << g.name.toStdString();
}

TEST(ListingImport, CloneCursorMovesOnlyOnAMatchAndHoldsAtTheEnd) {
    const QStringList full = {kFullHeader,    Full("a", "A"), Full("b", "B"),
                              Full("c", "C"), Full("d", "D"), Full("e", "E")};
    const QStringList drivers = {Source("a", "x.c"), Source("b", "x.c"), Source("c", "x.c"),
                                 Source("d", "x.c"), Source("e", "x.c")};

    // "zz" never appears: the cursor stays on it, so "d" gets no parent.
    auto games = ByName(importListings(full,
                                       QStringList{kCloneHeader, Clone("b", "a"), Clone("zz", "c"),
                                                   Clone("d", "c")},
                                       drivers, false)
                            .games);
    EXPECT_EQ(games["b"].parent, "a");
    EXPECT_EQ(games["d"].parent, "");

    // After the last clone line the cursor keeps it; later games are unaffected.
    games = ByName(
        importListings(full, QStringList{kCloneHeader, Clone("d", "c")}, drivers, false).games);
    EXPECT_EQ(games["d"].parent, "c");
    EXPECT_EQ(games["e"].parent, "");
    EXPECT_EQ(games.size(), 5);
}

TEST(ListingImport, CutsDescriptionsAndDriversWhereTheLinesSay) {
    const QStringList full = {kFullHeader, Full("q", "He said \"hi\""), Full("w", "Plain")};
    const QStringList clones = {kCloneHeader, Clone("none", "x")};
    // Lines of no game, and lines without a blank, are passed over.
    const QStringList drivers = {
        "header without blank", "", "noblank", Source("other", "zz.c"), Source("q", "cps.chip.c"),
        Source("w", "w.cpp")};
    const ListingImport import = importListings(full, clones, drivers, false);
    ASSERT_TRUE(import.ok()) << import.failure.toStdString();
    const auto games = ByName(import.games);
    EXPECT_EQ(games["q"].description, "He said ");
    EXPECT_EQ(games["q"].driver, "cps");
    EXPECT_EQ(games["w"].driver, "w");
}

TEST(ListingImport, SortsByDescriptionInTheChosenCaseMode) {
    const QStringList full = {kFullHeader, Full("ap", "apple"), Full("ze", "Zebra")};
    const QStringList clones = {kCloneHeader, Clone("x", "y")};
    const QStringList drivers = {Source("ap", "d.c"), Source("ze", "d.c")};
    EXPECT_EQ(importListings(full, clones, drivers, false).games.front().name, "ze");
    EXPECT_EQ(importListings(full, clones, drivers, true).games.front().name, "ap");
}

TEST(ListingImport, EveryMalformedListingIsAFailureThatSaysWhy) {
    const QStringList full = {kFullHeader, Full("a", "Game A"), Full("b", "Game B")};
    const QStringList clones = {kCloneHeader, Clone("b", "a")};
    const QStringList drivers = {Source("a", "one.c"), Source("b", "two.c")};
    using L = std::optional<QStringList>;
    struct Case {
        L full, clones, drivers;
        QString fragment;
    };
    // One game over the limit, every line a shared copy of one game's, which
    // the forward driver search takes in step.
    QStringList tooMany = {kFullHeader}, tooManyDrivers;
    const QString game = Full("g", "G"), driver = Source("g", "d.c");
    for (int i = 0; i <= kMaxGames; ++i) {
        tooMany << game;
        tooManyDrivers << driver;
    }
    // Each message names the listing and, where there is one, the line or game.
    const Case cases[] = {
        {std::nullopt, clones, drivers, "MAME produced no game listing (-listfull)."},
        {full, std::nullopt, drivers, "no clone listing (-listclones)"},
        {full, clones, std::nullopt, "no driver listing (-listsourcefile)"},
        {QStringList{}, clones, drivers, "game listing (-listfull) is empty"},
        {QStringList{kFullHeader}, clones, drivers, "game listing (-listfull) holds no game"},
        {QStringList{kFullHeader, "a         \"Game A"}, clones, drivers,
         "Line 2 of MAME's game listing (-listfull) has no closing double quote after the "
         "description: \"a         \"Game A\""},
        {QStringList{kFullHeader, "a"}, clones, drivers, "Line 2 of MAME's game listing"},
        {QStringList{kFullHeader, "abcdefghij\"Game\""}, clones, drivers,
         "has no blank after the short name"},
        {full, QStringList{}, drivers, "clone listing (-listclones) is empty"},
        {full, QStringList{kCloneHeader}, drivers, "holds only one line and no clone"},
        {full, QStringList{kCloneHeader, Clone("a", "x"), "bnoblank"}, drivers,
         "Line 3 of MAME's clone listing (-listclones) has no blank"},
        {full, clones, QStringList{}, "driver listing (-listsourcefile) is empty"},
        {full, clones, QStringList{Source("a", "one.c")},
         "MAME's driver listing (-listsourcefile) does not list the game \"b\", or lists it out of "
         "order."},
        {full, clones, QStringList{Source("b", "two.c"), Source("a", "one.c")},
         "does not list the game \"b\""},
        {full, clones, QStringList{Source("a", "one.c"), "b        src/drivers/two.asm"},
         "Line 2 of MAME's driver listing (-listsourcefile) has no \".c\" file name from "
         "column 22 for the game \"b\": \"b        src/drivers/two.asm\""},
        {full, clones, QStringList{Source("a", "one.c"), "b .c"}, "no \".c\" file name"},
        {tooMany, clones, tooManyDrivers, "holds more than 1,000,000 games"},
        {QStringList{kFullHeader, "a         \"\""}, clones, drivers,
         "MAME's listings give the game \"a\" an empty description, which the database cannot "
         "hold."},
        {full, clones, QStringList{Source("a", "one.c"), "b        src/drivers/.c"},
         "the game \"b\" an empty driver"},
        {QStringList{kFullHeader, Full("a", "A|B"), Full("b", "B")}, clones, drivers,
         "the game \"a\" a \"|\" in its description"},
        {QStringList{kFullHeader, " a        \"Blank\""}, clones, QStringList{" a"},
         "for the game on line 2 of the game listing (-listfull)"},
    };
    for (const Case& c : cases) {
        const ListingImport import = importListings(c.full, c.clones, c.drivers, false);
        EXPECT_FALSE(import.ok());
        EXPECT_TRUE(import.games.empty());
        EXPECT_TRUE(import.failure.contains(c.fragment)) << import.failure.toStdString();
    }
}
