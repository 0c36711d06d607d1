// SPDX-License-Identifier: GPL-2.0-or-later
// The Manufacturer, Year and Category choices on their columns, with the
// other Show choices, and the counts their dialogs offer.
#include "gamelist/MakerGroups.h"
#include "gamelist/NarrowColumns.h"
#include "gamelist/NarrowOffer.h"
#include "gamelist/ShowChoices.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

void PrintTo(const CountedValue& value, std::ostream* os) {
    *os << '"' << value.name.toStdString() << "\" " << value.count << '/' << value.matureCount;
}

// Real names of MAME 0.251's listing and the groups they fall under.
TEST(MakerGroups, LicencesAndPartnersFallUnderTheFirstMakerAndBootlegsUnderBootleg) {
    const std::pair<const char*, const char*> cases[] = {
        {"Namco", "Namco"},
        {"Namco (Midway license)", "Namco"},
        {"Namco / Bally", "Namco"},
        {"Namco (Atari license?)", "Namco"},
        {"Namco / Nichibutsu (Karateco license?)", "Namco"},
        {"Tatsumi (Atari/Namco/Taito license)", "Tatsumi"},
        {"Midway / General Computer Corporation", "Midway"},
        {"bootleg (Namco)", "bootleg"},
        {"bootleg?", "bootleg"},
        {"Bally Midway", "Bally Midway"},
        {"Nintendo of America", "Nintendo of America"},
        {"<unknown>", ""},
        {"<unknown> / JungleTac", ""},
        {"", ""}};
    for (const auto& [name, group] : cases)
        EXPECT_EQ(makerGroup(name), group) << name;
}

namespace {

class Narrowing : public ::testing::Test {
  protected:
    // Six games: Namco's and Midway's, a clone, one of an uncertain year,
    // one of an unknown maker and category, one for adults.
    const GameTable games = {{"Galaga", "galaga", "", "galaga"},
                             {"Galaga (Midway)", "galagamw", "galaga", "galaga"},
                             {"Pac-Man", "pacman", "puckman", "pacman"},
                             {"Puck Man (Spanish)", "pacmansp", "puckman", "pacman"},
                             {"Ms. Pac-Man", "mspacman", "", "pacman"},
                             {"Unknown", "unknown", "", "misc"}};
    const std::vector<QString> makers = {"Namco",
                                         "Namco (Midway license)",
                                         "Namco / Bally",
                                         "bootleg (Video Game SA)",
                                         "Midway / General Computer Corporation",
                                         ""};
    const std::vector<QString> years = {"1981", "1981", "1980", "198?", "1982", ""};
    const CategoryTable categories = {{"galaga", {"Shooter / Flying Vertical", false, ""}},
                                      {"galagamw", {"Shooter / Flying Vertical", false, ""}},
                                      {"pacman", {"Maze / Collect", false, ""}},
                                      {"pacmansp", {"Maze / Collect", true, ""}},
                                      {"mspacman", {"Maze / Collect", false, ""}}};
    const NarrowColumns narrow = narrowColumns(games, makers, years, categories);
    // Clones flagged as such.
    const GameFlags flags = {0, GameFlag::Clone, GameFlag::Clone, GameFlag::Clone, 0, 0};

    QStringList shown(const ShowChoices& choices, const ShownRows& rows = ShownRows::all(6)) {
        QStringList names;
        const ShownRows through = showThrough(rows, flags, choices, narrow);
        for (qsizetype row = 0; row < through.size(); ++row)
            names.append(games[through[row]].name());
        return names;
    }
};

} // namespace

TEST_F(Narrowing, EachChoiceCombinesWithTheOthersAndTheRowsGiven) {
    EXPECT_EQ(knownYear(u"1980"), 1980);
    for (const char16_t* unknown : {u"198?", u"19??", u"1980?", u"????", u"", u"80"})
        EXPECT_EQ(knownYear(unknown), 0);
    EXPECT_EQ(narrow.years[3], 0);

    ShowChoices namco;
    namco.makers = {"Namco", "Namco (Midway license)", "Namco / Bally"};
    EXPECT_EQ(shown(namco), QStringList({"galaga", "galagamw", "pacman"}));
    ShowChoices eighties;
    eighties.yearFrom = 1980;
    eighties.yearTo = 1989;
    eighties.unknownYears = false;
    EXPECT_EQ(shown(eighties), QStringList({"galaga", "galagamw", "pacman", "mspacman"}));
    eighties.yearTo = 1981; // both bounds count
    EXPECT_EQ(shown(eighties), QStringList({"galaga", "galagamw", "pacman"}));
    eighties.yearFrom = 1981;
    EXPECT_EQ(shown(eighties), QStringList({"galaga", "galagamw"}));
    eighties.unknownYears = true; // "198?" and no year at all
    EXPECT_EQ(shown(eighties), QStringList({"galaga", "galagamw", "pacmansp", "unknown"}));

    ShowChoices mazes;
    mazes.categories = {"Maze / Collect"};
    EXPECT_EQ(shown(mazes), QStringList({"pacman", "pacmansp", "mspacman"}));
    mazes.mature = false;
    EXPECT_EQ(shown(mazes), QStringList({"pacman", "mspacman"}));
    mazes.categories = {""}; // no category
    EXPECT_EQ(shown(mazes), QStringList{"unknown"});

    // All together, with the clones hidden and only some rows (a driver filter's).
    ShowChoices all = namco;
    all.yearFrom = 1980;
    all.yearTo = 1989;
    all.categories = {"Maze / Collect", "Shooter / Flying Vertical"};
    EXPECT_EQ(shown(all), QStringList({"galaga", "galagamw", "pacman"}));
    all.clones = false;
    EXPECT_EQ(shown(all), QStringList{"galaga"});
    all.clones = true;
    EXPECT_EQ(shown(all, ShownRows::only({1, 2, 4})), QStringList({"galagamw", "pacman"}));
    // Choices without the columns to decide on show nothing (and are refused).
    EXPECT_TRUE(showThrough(ShownRows::all(6), flags, all, {}).empty());
    EXPECT_EQ(shown({}).size(), 6);
}

TEST_F(Narrowing, TheOfferCountsWhatTheOtherChoicesLeave) {
    ShowChoices choices;
    choices.clones = false;
    choices.mature = false;
    const ShownRows rows =
        showThrough(ShownRows::all(6), flags, withoutChoice(choices, NarrowKind::Maker), narrow);
    EXPECT_EQ(countValues(NarrowKind::Maker, rows, narrow),
              (std::vector<CountedValue>{
                  {"", 1, 0}, {"Midway / General Computer Corporation", 1, 0}, {"Namco", 1, 0}}));
    EXPECT_EQ(withoutChoice(choices, NarrowKind::Category).mature, true);
    const ShownRows everything = ShownRows::all(6);
    EXPECT_EQ(
        countValues(NarrowKind::Year, everything, narrow),
        (std::vector<CountedValue>{{"1980", 1, 0}, {"1981", 2, 0}, {"1982", 1, 0}, {"", 2, 0}}));
    EXPECT_EQ(countValues(NarrowKind::Category, everything, narrow),
              (std::vector<CountedValue>{
                  {"", 1, 0}, {"Maze / Collect", 3, 1}, {"Shooter / Flying Vertical", 2, 0}}));
}
