// SPDX-License-Identifier: GPL-2.0-or-later
// Flags lined up with the games, the Show choices and the search's further steps.
#include "gamelist/GameFlags.h"
#include "gamelist/ShowChoices.h"
#include "gamelist/WordSearch.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// Named by their facts: c clone, w not working, m mechanical, n non-arcade.
const GameTable kGames = {{"A", "c", "plain", "d"}, {"B", "w", "", "d"},   {"C", "m", "", "d"},
                          {"D", "n", "", "d"},      {"E", "cw", "w", "d"}, {"F", "plain", "", "d"}};

MachineList listOf(const GameTable& games) {
    MachineFactsTable facts;
    for (const GameRecord& game : games)
        facts.push_back(
            {.name = game.name(),
             .manufacturer = "Maker of " + game.name(),
             .status = game.name().contains('w') ? DriverStatus::Preliminary : DriverStatus::Good,
             .coins = game.name() == "n" ? 0 : 1,
             .mechanical = game.name() == "m"});
    return machineListOf(games, facts);
}

QString shownNames(const ShownRows& rows) {
    QStringList names;
    for (qsizetype k = 0; k < rows.size(); ++k)
        names.append(kGames[rows[k]].name());
    return names.join(' ');
}

} // namespace

TEST(GameFacts, LineUpWithTheGamesWhateverTheListAndTheShowChoicesHideWhatTheyName) {
    const MachineList list = listOf(kGames);
    const GameFacts facts = alignFacts(kGames, list, {"m"});
    EXPECT_EQ(
        facts.flags,
        GameFlags({GameFlag::Clone | GameFlag::HasFacts, GameFlag::NotWorking | GameFlag::HasFacts,
                   GameFlag::Mechanical | GameFlag::Favourite | GameFlag::HasFacts,
                   GameFlag::NonArcade | GameFlag::HasFacts,
                   GameFlag::Clone | GameFlag::NotWorking | GameFlag::HasFacts,
                   GameFlag::HasFacts}));
    EXPECT_EQ(alignedManufacturers(facts, list, 6)[3], "Maker of n");
    // Games dropped (an audit), reordered, or new: found by name, or factless.
    GameTable withNew{kGames[5], kGames[0]};
    withNew.push_back({"New", "new", "", "d"});
    for (const GameTable& other :
         {GameTable{kGames[1], kGames[4]}, withNew, GameTable(kGames.rbegin(), kGames.rend())}) {
        const GameFacts moved = alignFacts(other, list, {"m"});
        for (size_t i = 0; i < other.size(); ++i) {
            const auto at = std::find(kGames.begin(), kGames.end(), other[i]);
            EXPECT_EQ(moved.flags[i], at == kGames.end() ? 0 : facts.flags[at - kGames.begin()])
                << other[i].name().toStdString();
        }
        // What the catalogue keeps for the new table lines up again.
        EXPECT_EQ(alignFacts(other, machineListFor(other, moved, list), {"m"}).flags, moved.flags);
    }
    // An old MAME's list: no facts, only clones and favourites.
    EXPECT_EQ(alignFacts(kGames, {}, {}).flags[0], GameFlag::Clone);
    EXPECT_FALSE(alignFacts(kGames, {}, {}).any);
    // The Show choices, with "cw" a favourite too.
    const GameFacts favoured = alignFacts(kGames, list, {"m", "cw"});
    const ShownRows all = ShownRows::all(6);
    const auto shown = [&](ShowChoices choices, const ShownRows& rows) {
        return shownNames(showThrough(rows, favoured.flags, choices));
    };
    // clones, not working, mechanical, non-arcade, favourites only
    EXPECT_EQ(shown({}, all), "c w m n cw plain");
    EXPECT_EQ(shown({false, true, true, true, false}, all), "w m n plain");
    EXPECT_EQ(shown({true, false, false, false, false}, all), "c plain");
    EXPECT_EQ(shown({true, true, true, true, true}, all), "m cw");
    EXPECT_EQ(shown({false, true, true, true, false}, ShownRows::only({0, 1, 5})), "w plain");
    // Without facts only clones and favourites can hide.
    EXPECT_EQ(shownNames(showThrough(all, alignFacts(kGames, {}, {}).flags,
                                     {true, false, false, false, false})),
              "c w m n cw plain");
}

TEST(WordSearch, FindsASetNameThenEveryWordInDescriptionAndManufacturer) {
    const GameTable games = {{"Street Fighter II': Champion Edition", "sf2ce", "sf2", "cps1"},
                             {"Street Fighter II: The World Warrior", "sf2", "", "cps1"},
                             {"Ms. Pac-Man", "mspacman", "", "pacman"},
                             {"X-Men (4 Players)", "xmen", "", "konami"},
                             {"Pac-Man (Midway)", "pacman", "puckman", "pacman"},
                             {"BERZERK", "berzerk", "", "berzerk"}};
    const std::vector<QString> makers = {"Capcom", "Capcom", "Midway", "Konami", "Namco", "Stern"};
    const auto find = [&](const QString& text, const ShownRows& rows = ShownRows::all(6)) {
        return searchFurther(rows, text, wordSearchTexts(games, makers));
    };
    EXPECT_EQ(find(" SF2 "), 1);         // the set name, ignoring case and blanks around it
    EXPECT_EQ(find("SF2CE"), 0);         // also the first row's
    EXPECT_EQ(find("fighter ii"), 0);    // every word, in list order
    EXPECT_EQ(find("world fighter"), 1); // in any order
    EXPECT_EQ(find("pac-man ms"), 2);    // punctuation left out
    EXPECT_EQ(find("pacman"), 4);        // a set name before any words
    EXPECT_EQ(find("namco pac"), 4);     // the manufacturer counts too
    EXPECT_EQ(find("erze"), 5);          // lowercase finds capitals, inside a word too
    EXPECT_EQ(find("pacman", ShownRows::only({3, 4})), 1); // rows, not master positions
    EXPECT_EQ(searchFurther(ShownRows::all(6), "namco", wordSearchTexts(games, {})),
              -1); // no facts
    for (const char* nothing : {"", "  ", "-", "fighter zzz"})
        EXPECT_EQ(find(nothing), -1) << nothing;
}
