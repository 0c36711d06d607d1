// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/ListingImport.h"

#include "GamePrinters.h"
#include "OutcomeText.h"
#include "TestFolders.h"

namespace {

// Lines in the forms the old MAME prints.
QString full(const QString& name, const QString& description) {
    return QString("%1\"%2\"").arg(name, -10).arg(description);
}
QString clone(const QString& name, const QString& parent) {
    return QString("%1 %2").arg(name, -8).arg(parent, -8);
}
QString source(const QString& name, const QString& file) {
    return QString("%1 src/drivers/%2").arg(name, -8).arg(file);
}

const QString kFull = "Name:     Description:";
const QString kClones = "Name:    Clone of:";

// The parents of the games imported, in table order.
QString parents(const Outcome<GameTable>& import) {
    QStringList parents;
    for (const GameRecord& g : valueOf(import))
        parents << g.parent();
    return parents.join(',');
}

} // namespace

TEST(ListingImport, CutsTheColumnsWhereTheLinesSayAndMovesTheCloneCursorOnlyOnAMatch) {
    const QStringList games = {kFull, full("q", "He said \"hi\""), full("w", "apple"),
                               full("z", "Zebra")};
    // Lines of no game, and lines without a blank, are passed over.
    const QString z = QString("z x.c").leftJustified(21) + "abc.cpp.c";
    const QStringList drivers = {
        "header", "", source("other", "zz.asm"), source("q", "cps.chip.c"), source("w", "w.cpp"),
        z};
    const QStringList clones = {kClones, clone("none", "x")};
    EXPECT_EQ(valueOf(importListings(games, clones, drivers, false)),
              (GameTable{{"He said ", "q", "", "cps"},
                         {"Zebra", "z", "", "abc"},
                         {"apple", "w", "", "w"}}));
    EXPECT_EQ(valueOf(importListings(games, clones, drivers, true)).at(2).name(), "z");
    // "zz" never appears: the cursor stays on it, so "z" gets no parent.
    const QStringList stuck = {kClones, clone("w", "q"), clone("zz", "q"), clone("z", "q")};
    EXPECT_EQ(parents(importListings(games, stuck, drivers, true)), "q,,"); // apple, He, Zebra
    // The cursor keeps the last clone line; no later game matches it.
    const QStringList last = {kClones, clone("q", "w")};
    EXPECT_EQ(parents(importListings(games, last, drivers, true)), ",w,");
}

TEST(ListingImport, EveryMalformedListingIsAFailureThatSaysWhy) {
    using L = std::optional<QStringList>;
    const L games = QStringList{kFull, full("a", "Game A"), full("b", "Game B")};
    const L clones = QStringList{kClones, clone("b", "a")};
    const QString a = source("a", "one.c");
    const L drivers = QStringList{a, source("b", "two.c")};
    // One game over the limit: shared lines, which the driver search takes in step.
    QStringList tooMany(kMaxGames + 1, games->at(1)), tooManyDrivers(kMaxGames + 1, a);
    tooMany.prepend(kFull);
    const QString b = "b        src/drivers/two.asm";
    // Each message names the listing and, where there is one, the line and the game.
    const std::tuple<L, L, L, QString> cases[] = {
        {{}, clones, drivers, "MAME produced no game listing (-listfull)."},
        {games, {}, drivers, "MAME produced no clone listing (-listclones)."},
        {games, clones, {}, "MAME produced no driver listing (-listsourcefile)."},
        {QStringList{}, clones, drivers, "MAME's game listing (-listfull) is empty."},
        {QStringList{kFull}, clones, drivers, "MAME's game listing (-listfull) holds no game."},
        {QStringList{kFull, "a  \"A"}, clones, drivers,
         "Line 2 of MAME's game listing (-listfull) has no"},
        {QStringList{kFull, "abcdefghij\"G\""}, clones, drivers, "Line 2 of MAME's game listing"},
        {games, QStringList{}, drivers, "MAME's clone listing (-listclones) is empty."},
        {games, QStringList{kClones}, drivers, "(-listclones) holds only one line and no clone."},
        {games, QStringList{kClones, clone("a", "x"), "bx"}, drivers, "Line 3 of MAME's clone"},
        {games, clones, QStringList{}, "MAME's driver listing (-listsourcefile) is empty."},
        {games, clones, QStringList{drivers->at(1), a}, "does not list the game \"b\", or lists"},
        {games, clones, QStringList{a, b}, "no \".c\" file name from column 22 for the game \"b\""},
        {games, clones, QStringList{a, "b                  .c"}, "Line 2 of MAME's driver list"},
        {tooMany, clones, tooManyDrivers, "(-listfull) holds more than 1,000,000 games"},
        {QStringList{kFull, "a         \"\""}, clones, drivers,
         "\"a\" an empty description, which"},
        {games, clones, QStringList{a, "b        src/drivers/.c"}, "\"b\" an empty driver"},
        {games, clones, QStringList{a, drivers->at(1), source("zz", "x.c")},
         "Line 3 of MAME's driver listing (-listsourcefile) names the game \"zz\", which the game "
         "listing (-listfull) lacks"},
        {QStringList{kFull, " a        \"B\""}, clones, QStringList{" a"}, "on line 2 of the"},
    };
    for (const auto& [gameListing, cloneListing, driverListing, message] : cases)
        EXPECT_TRUE(
            failsWith(importListings(gameListing, cloneListing, driverListing, false), message));
    QTemporaryDir dir;
    const auto read = [&](const QByteArray& bytes) {
        return readListingFile(writeInto(dir, "listing", bytes), cloneListingName());
    };
    EXPECT_EQ(valueOf(read("a\r\nb\rc\n\r\nd\n")), QStringList({"a", "b", "c", "", "d"}));
    EXPECT_EQ(valueOf(read("")), QStringList());
    EXPECT_FALSE(valueOf(readListingFile(dir.filePath("none"), cloneListingName())).has_value());
    EXPECT_TRUE(read(QByteArray(4096, 'a') + "\r\n").ok());
    EXPECT_EQ(failureText(read("a\n" + QByteArray(4097, 'a') + "\n")),
              "Line 2 of MAME's clone listing (-listclones) is longer than 4,096 bytes, longer "
              "than any line MAME prints.");
    EXPECT_EQ(failureText(read("a\nb")), "MAME's clone listing (-listclones) ends in the middle of "
                                         "a line, so MAME did not finish it.");
    EXPECT_FALSE(read(QByteArray(1 << 20, 'a')).ok());
}
