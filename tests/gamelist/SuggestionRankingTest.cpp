// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/SuggestionRanking.h"
#include "gamelist/SuggestionText.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct Game {
    QString description;
    QString name;
    quint8 flags = 0; // GameFlag::Clone, NonArcade, Mechanical
    QString year = "1981";
    DriverStatus status = DriverStatus::Good;
    QString manufacturer = "Namco";
};

SuggestionIndex indexOf(const std::vector<Game>& games, bool withFacts = true) {
    SuggestionSource source;
    for (const Game& game : games) {
        source.descriptions.push_back(game.description);
        source.names.push_back(game.name);
        source.flags.push_back(game.flags | (withFacts ? GameFlag::HasFacts : 0));
        if (withFacts) {
            source.manufacturers.push_back(game.manufacturer);
            source.years.push_back(game.year);
            source.statuses.push_back(game.status);
        }
    }
    return buildSuggestionIndex(std::move(source));
}

// The set names of the suggestions for `text`, best first.
QStringList ranked(const SuggestionIndex& index, const QString& text,
                   const std::vector<quint8>& marks = {}, int limit = 10,
                   std::optional<ShownRows> shown = std::nullopt) {
    QStringList names;
    const auto games = rankSuggestions(
        index, text, shown.value_or(ShownRows::all(index.source.size())), marks, limit);
    for (const RankedGame& game : games.value())
        names.append(index.source.names[static_cast<size_t>(game.position)]);
    return names;
}

} // namespace

// Each case: a game that matches the text by a rule, and one that matches by
// a later rule but would win on everything else (a parent of 1980 against a
// clone of 1990). The first must come first, matched by its rule.
TEST(SuggestionRanking, EachRuleOutranksTheRulesAfterIt) {
    const struct {
        const char* text;
        Game better;
        Game worse;
        SuggestionMatch match;
    } cases[] = {
        {"galaga", {"Galaga 3", "galaga"}, {"Galaga", "gal"}, SuggestionMatch::SetName},
        {" GALAGA ", {"Galaga 3", "galaga"}, {"Galaga", "gal"}, SuggestionMatch::SetName},
        {"Pac-Man",
         {"Pac-Man (Midway)", "pm"},
         {"PacMan (bootleg)", "pmb"},
         SuggestionMatch::Title},
        {"street  fighter ii",
         {"Street Fighter II: The World Warrior (World 910522)", "sf2"},
         {"Street Fighter II Turbo", "sf2t"},
         SuggestionMatch::Title},
        {"metal slug",
         {"Metal Slug - Super Vehicle-001", "mslug"},
         {"Metal Slug 2", "mslug2"},
         SuggestionMatch::Title},
        {"puzzle bobble",
         {"Puzzle Bobble / Bust-A-Move (Neo-Geo)", "pbn"},
         {"Puzzle Bobble 2", "pb2"},
         SuggestionMatch::Title},
        // Numbers and Roman numerals stand for each other.
        {"street fighter 2",
         {"Street Fighter II: The World Warrior", "sf2"},
         {"Street Fighter 2010", "sf2010"},
         SuggestionMatch::Title},
        {"final fight iii",
         {"Final Fight 3", "ff3"},
         {"Final Fight III Turbo", "ff3t"},
         SuggestionMatch::Title},
        {"rally-x",
         {"Rally X (32k Ver.?)", "rx"},
         {"Rally-X Special", "rxs"},
         SuggestionMatch::CompactTitle},
        {"bust a move",
         {"Puzzle Bobble / Bust-A-Move (Neo-Geo)", "pbn"},
         {"Bust-A-Move Again", "bam"},
         SuggestionMatch::CompactTitle},
        {"sf2 ce",
         {"Street Fighter II' (World)", "sf2ce"},
         {"SF2 Cells", "sfc"},
         SuggestionMatch::CompactTitle},
        {"donkey",
         {"Donkey Kong", "dkong"},
         {"Super Donkey", "sdk"},
         SuggestionMatch::DescriptionStart},
        {"ms pac",
         {"Ms. Pac-Man", "mspacman"},
         {"Pac Ms Pac", "pmp"},
         SuggestionMatch::DescriptionStart},
        {"kong", {"Donkey Kong", "dk"}, {"Hongkong Racer", "hkr"}, SuggestionMatch::WordStarts},
        {"namco pac",
         {"Pac-Man", "pm", 0, "1981", DriverStatus::Good, "Namco (Midway license)"},
         {"Spacman", "spm"},
         SuggestionMatch::WordStarts},
        {"apple", {"Snapple Rush", "snap"}, {"Apply", "apl"}, SuggestionMatch::Words},
        {"galagga", {"Galaga", "gal1"}, {"Galaga Deluxe", "gal2"}, SuggestionMatch::TitleTypo},
    };
    for (const auto& c : cases) {
        Game better = c.better, worse = c.worse;
        better.flags |= GameFlag::Clone;
        better.year = "1990";
        worse.year = "1980";
        const SuggestionIndex index = indexOf({worse, better});
        const auto games = rankSuggestions(index, c.text, ShownRows::all(2), {}, 10);
        ASSERT_EQ(games.value().size(), 2u) << c.text;
        EXPECT_EQ(index.source.names[static_cast<size_t>(games.value()[0].position)], better.name)
            << c.text;
        EXPECT_EQ(games.value()[0].match, c.match) << c.text;
    }
}

TEST(SuggestionRanking, TyposAllowedGrowWithTheLengthAndFewerComeFirst) {
    const SuggestionIndex index = indexOf({{"Qz", "t2"},
                                           {"Jet", "t3"},
                                           {"Gorilla", "t7"},
                                           {"Elephant", "t8"},
                                           {"Mandrill", "m8"},
                                           {"Street Fighter II Turbo", "sf2t"},
                                           {"Donkey Kong 3", "dk3", 0, "1980"},
                                           {"Donkey Kong", "dk", GameFlag::Clone, "1990"}});
    // "text|the games found": two letters allow no typo, three to seven
    // one, eight and more two. A typo is a letter changed, added, dropped, or
    // two neighbours swapped; each word of the text may have its own, and
    // may be the start of a word.
    for (const QString c :
         {"qx|", "jex|t3", "gorilxa|t7", "borilla|t7", "gorixxa|", "ogrilla|t7", "gorila|t7",
          "gorrilla|t7", "elephaxx|t8", "elepxaxx|", "xyndrill|m8", "stret figter|sf2t",
          "ztreet fighter|sf2t", "stret figt|sf2t", "donky kong|dk dk3", "donkykong|dk dk3"}) {
        EXPECT_EQ(ranked(index, c.section('|', 0, 0)).join(' '), c.section('|', 1)) << c;
    }
}

// The order among equal matches, each key before the next: arcade machines
// and non-mechanical ones, working before imperfect before not working, no
// bootleg or hack by the manufacturer, parents, earlier years, list order.
TEST(SuggestionRanking, EqualMatchesFollowTheMachinesFacts) {
    using DS = DriverStatus;
    const std::vector<Game> games = {
        {"Kong (a)", "mech", GameFlag::Mechanical, "1969"},
        {"Kong (b)", "both", GameFlag::NonArcade | GameFlag::Mechanical, "1960"},
        {"Kong (c)", "handheld", GameFlag::NonArcade, "1970"},
        {"Kong (d)", "late", 0, "1982"},
        {"Kong (e)", "first", 0, "1981"},
        {"Kong (f)", "clone", GameFlag::Clone, "1980"},
        {"Kong (g)", "bootleg", 0, "1979", DS::Good, "bootleg (Playmark)"},
        {"Kong (h)", "hack", 0, "1979", DS::Good, "hack"},
        {"Kong (i)", "imperfect", 0, "1975", DS::Imperfect},
        {"Kong (j)", "broken", 0, "1970", DS::Preliminary},
        {"Kong (k)", "unsure", 0, "198?"},
        {"Kong (l)", "unknown", 0, ""},
        {"Kong (m)", "eighties", 0, "1985"},
    };
    const SuggestionIndex index = indexOf(games);
    EXPECT_EQ(ranked(index, "kong", {}, 20).join(' '),
              "first late eighties unsure unknown clone bootleg hack imperfect broken mech "
              "handheld both");
    // Favourites and played games rise among their equals, not above a
    // better match.
    std::vector<quint8> marks(games.size());
    marks[9] = SuggestionMark::Favourite;
    marks[1] = SuggestionMark::Played;
    EXPECT_EQ(ranked(index, "kong", marks, 3).join(' '), "broken both first");
    const SuggestionIndex withSetName = indexOf({{"Kong (a)", "ka"}, {"Kong Island", "kong"}});
    EXPECT_EQ(ranked(withSetName, "kong", {SuggestionMark::Favourite, 0}).join(' '), "kong ka");
}

TEST(SuggestionRanking, WithoutFactsDescriptionsTellBootlegsAndTheListOrderDecides) {
    const SuggestionIndex index =
        indexOf({{"Kong (bootleg)", "kb"}, {"Kong (set 2)", "k2"}, {"Kong (set 1)", "k1"}}, false);
    EXPECT_EQ(ranked(index, "kong").join(' '), "k2 k1 kb");
}

TEST(SuggestionRanking, OnlyShownGamesAndNoMoreThanTheLimitAreSuggested) {
    const SuggestionIndex index =
        indexOf({{"Pac-Man", "a"}, {"Pac-Man", "b"}, {"Pac-Man", "c"}, {"Pac-Land", "d"}});
    EXPECT_EQ(ranked(index, "pac", {}, 10, ShownRows::only({1, 3})).join(' '), "b d");
    EXPECT_EQ(ranked(index, "pac", {}, 2).join(' '), "a b");
    EXPECT_EQ(ranked(index, "pac-l").join(' '), "d a b c") << "Pac-Land, then one typo away";
    EXPECT_TRUE(ranked(index, " - ").isEmpty()) << "a text without a letter or digit";
    const auto cancelled =
        rankSuggestions(index, "pac", ShownRows::all(4), {}, 10, [] { return true; });
    EXPECT_FALSE(cancelled.has_value());
}

TEST(SuggestionText, FoldsCaseAndAccentsAndCutsTitlesAndWords) {
    using namespace suggestiontext;
    EXPECT_EQ(compact(u"Pokémon: Ver. 2 - ÉTÉ"), "pokemonver2ete");
    EXPECT_EQ(folded(u"  Pac-Man \t (Midway) "), "pac-man (midway)");
    EXPECT_EQ(words(u"Ms. Pac-Man/Pac-Mania (Namco, 1982)"),
              QStringList({"ms", "pacman", "pacmania", "namco", "1982"}));
    EXPECT_EQ(titles(u"Puzzle Bobble / Bust-A-Move: Again (Neo-Geo) [x]"),
              QList<QStringView>({u"Puzzle Bobble / Bust-A-Move: Again", u"Puzzle Bobble",
                                  u"Bust-A-Move: Again", u"Bust-A-Move"}));
    EXPECT_EQ(titles(u"Galaxian [bootleg]"), QList<QStringView>({u"Galaxian"}));
    EXPECT_TRUE(titles(u"(prototype)").isEmpty());
    for (const char* maker : {"bootleg", "Bootleg (Playmark)", "hack (Jeff)", "Namco / hack"})
        EXPECT_TRUE(namesBootlegOrHack(QString(maker))) << maker;
    for (const char* maker : {"Namco", "Hackberry", "Shack Games", ""})
        EXPECT_FALSE(namesBootlegOrHack(QString(maker))) << maker;
}
