// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/DriverFilter.h"
#include "gamelist/GameInfo.h"
#include "gamelist/GameSearch.h"

#include "GamePrinters.h"
#include "OutcomeText.h"

#include <QLocale>

TEST(DriverFilter, ShowsTheNamedDriversInMasterOrderWithANormalisedText) {
    const GameTable games = {
        {"Final Fight", "a", "", "cps1"},    {"Metal Slug", "b", "", "neogeo"},
        {"Street Fighter", "c", "", "cps1"}, {"Alien", "d", "", "cps2"},
        {"Upper Case", "e", "", "CPS1"},     {"Dark Stalkers", "f", "", "cps2,"}};
    // "the text|the short names of the games shown|the filter text". Only the space
    // separates; when nothing matches, no row is given and the caller keeps what it shows.
    for (const QString c : {"   CPS2    cps1  |acd|cps1 cps2", "neogeo cps1 neogeo|abc|cps1 neogeo",
                            "zzz cps1 nosuchdriver|ac|cps1", "cps2,|f|cps2,", "|abcdef|",
                            "    |abcdef|", "\tcps1||", "CPS1x||"}) {
        const auto [text, shown, filter] =
            std::tuple(c.section('|', 0, 0), c.section('|', 1, 1), c.section('|', 2));
        const DriverSelection selection = valueOf(selectDrivers(text, games));
        QString names;
        for (qsizetype row = 0; row < selection.rows.size(); ++row)
            names += games[selection.rows[row]].name();
        EXPECT_EQ(names, shown) << text.toStdString();
        EXPECT_EQ(selection.filter, filter) << text.toStdString();
    }
    QString words = "cps1" + QString(" w").repeated(255);
    EXPECT_EQ(valueOf(selectDrivers(words, games)).filter, "cps1");
    EXPECT_TRUE(
        failsWith(selectDrivers(words + " neogeo", games), "holds 257 words, but at most 256"));
}

namespace {

const GameTable kGames = {
    {"Galaxian", "galaxian", "", "galaxian"}, {"Pac-Man (Midway)", "pacman", "puckman", "pacman"},
    {"PAC-LAND", "pacland", "", "pacland"},   {"Puck Man", "puckman", "", "pacman"},
    {"Istanbul", "Puckman", "", "x"},         {"", "", "", "d"},
};

qsizetype search(const QString& text, const ShownRows& rows = ShownRows::all(5)) {
    return searchGames(kGames, rows, text, CaseInsensitiveCompare());
}

} // namespace

TEST(GameSearch, FindsTheFirstShownDescriptionThatStartsWithTheTextOrTheBracketedShortName) {
    EXPECT_EQ(search("pac"), 1);
    EXPECT_EQ(search("PAC-L"), 2);
    EXPECT_EQ(search("Puck Man and more"), -1); // longer than any description
    EXPECT_EQ(search(""), 0);
    EXPECT_EQ(search("", ShownRows::only({})), -1);
    EXPECT_EQ(search("pac", ShownRows::only({3, 2, 1})), 1); // rows, not master positions
    // Turkish folds I with ı, not with i: "is" begins "Istanbul" only elsewhere.
    EXPECT_EQ(search("is"), 4);
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    EXPECT_EQ(search("is"), -1);
    EXPECT_EQ(search("ıs"), 4);
    QLocale::setDefault(saved);
    EXPECT_EQ(search("[puckman]"), 3);
    EXPECT_EQ(search("[Puckman]"), 4); // case-sensitive
    EXPECT_EQ(search("[puckman"), -1); // still typing
    EXPECT_EQ(search("[]"), -1);
    EXPECT_EQ(search("[]", ShownRows::all(6)), 5); // an empty short name
    EXPECT_EQ(search("[puck]"), -1);
    EXPECT_EQ(search("[pacland]", ShownRows::only({0, 1})), -1); // hidden by the filter
    EXPECT_EQ(search("[pacland]", ShownRows::only({0, 2})), 1);
}

namespace {

// A game's information as "title: label=value|..." for a compact comparison.
QString rowsOf(const GameInfo& info) {
    QStringList rows;
    for (const InfoRow& row : info.rows)
        rows.append(row.label + "=" + row.value);
    return info.title + ": " + rows.join("|");
}

} // namespace

TEST(GameInfo, ListsTheShownCloneFamilyTwentyClonesAtMostAndTheMachineFacts) {
    const GameTable games = {{"ABC (Japan)", "abcj", "abc", "abcdrv"},
                             {"ABC", "abc", "", "abcdrv"},
                             {"Other", "other", "", "odrv"},
                             {"ABC (US)", "abcu", "abc", "abcdrv"},
                             {"Other (bootleg)", "otherb", "other", "bootdrv"}};
    const ShownRows all = ShownRows::all(std::ssize(games));
    const auto info = [&](int game, const ShownRows& shown) {
        return rowsOf(gameInfo(games[game], games, shown));
    };
    EXPECT_EQ(info(1, all), "ABC: Set=abc|Clones=abcj|=abcu|Driver=abcdrv");
    EXPECT_EQ(info(2, all), "Other: Set=other|Clone=otherb|Driver=odrv");
    EXPECT_EQ(info(0, all), "ABC (Japan): Set=abcj|Parent=abc|Driver=abcdrv");
    // Only shown clones count, in list order; a hidden parent is still named.
    const ShownRows some = ShownRows::only({3, 0, 2});
    EXPECT_EQ(info(1, some), "ABC: Set=abc|Clones=abcu|=abcj|Driver=abcdrv");
    EXPECT_EQ(info(2, some), "Other: Set=other|Driver=odrv");
    // Twenty clones at most, then how many more.
    GameTable many = {{"Parent", "p", "", "drv"}};
    for (int i = 0; i < 25; ++i)
        many.push_back({QString("Clone %1").arg(i), QString("p%1").arg(i), "p", "drv"});
    EXPECT_TRUE(rowsOf(gameInfo(many[0], many, ShownRows::all(26)))
                    .endsWith("|=p18|=p19|=and 5 more|Driver=drv"));
    EXPECT_TRUE(rowsOf(gameInfo(many[0], many, ShownRows::all(21))).endsWith("|=p19|Driver=drv"));
    EXPECT_FALSE(gameInfo(games[1], games, all).withFacts);

    const MachineFacts m{.year = "1980",
                         .manufacturer = "Namco (Midway license)",
                         .status = DriverStatus::Imperfect,
                         .imperfectFeatures = "sound graphics",
                         .unemulatedFeatures = "protection",
                         .screenType = "raster",
                         .screenRotation = 90,
                         .screens = 1,
                         .players = 2};
    const GameInfo withFacts =
        gameInfo(games[2], games, some, m, {3, QDateTime(QDate(2026, 12, 7), QTime(14, 3))});
    EXPECT_TRUE(withFacts.withFacts);
    EXPECT_EQ(rowsOf(withFacts),
              "Other: Set=other|Driver=odrv|Year=1980|Manufacturer=Namco (Midway license)|"
              "Status=imperfect; imperfect: sound, graphics; unemulated: protection|Players=2|"
              "Screen=raster, vertical|Played=3 times, last 2026-12-07 14:03");
    EXPECT_EQ(rowsOf(gameInfo(games[2], games, some, MachineFacts{}, {1, {}})),
              "Other: Set=other|Driver=odrv|Year=unknown|Manufacturer=unknown|Status=unknown|"
              "Players=none|Screen=none|Played=once");
    EXPECT_TRUE(rowsOf(gameInfo(games[2], games, some, MachineFacts{})).endsWith("|Played=never"));
}
