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

TEST(GameInfo, ListsTheShownCloneFamilyTwentyClonesAtMostAndTheMachineFacts) {
    const GameTable games = {{"ABC (Japan)", "abcj", "abc", "abcdrv"},
                             {"ABC", "abc", "", "abcdrv"},
                             {"Other", "other", "", "odrv"},
                             {"ABC (US)", "abcu", "abc", "abcdrv"},
                             {"Other (bootleg)", "otherb", "other", "bootdrv"}};
    const ShownRows all = ShownRows::all(std::ssize(games));
    EXPECT_EQ(gameInfoText(games[1], games, all),
              "ABC\r\n\r\nSet\tabc\r\nClones\tabcj\r\n\tabcu\r\nDriver\tabcdrv");
    EXPECT_EQ(gameInfoText(games[2], games, all),
              "Other\r\n\r\nSet\tother\r\nClone\totherb\r\nDriver\todrv");
    EXPECT_EQ(gameInfoText(games[0], games, all),
              "ABC (Japan)\r\n\r\nSet\tabcj\r\nParent\tabc\r\nDriver\tabcdrv");
    // Only shown clones count, in list order; a hidden parent is still named.
    const ShownRows some = ShownRows::only({3, 0, 2});
    EXPECT_EQ(gameInfoText(games[1], games, some),
              "ABC\r\n\r\nSet\tabc\r\nClones\tabcu\r\n\tabcj\r\nDriver\tabcdrv");
    EXPECT_EQ(gameInfoText(games[2], games, some), "Other\r\n\r\nSet\tother\r\nDriver\todrv");
    // Twenty clones at most, then how many more.
    GameTable many = {{"Parent", "p", "", "drv"}};
    for (int i = 0; i < 25; ++i)
        many.push_back({QString("Clone %1").arg(i), QString("p%1").arg(i), "p", "drv"});
    EXPECT_TRUE(gameInfoText(many[0], many, ShownRows::all(26))
                    .endsWith("\tp18\r\n\tp19\r\n\tand 5 more\r\nDriver\tdrv"));
    EXPECT_TRUE(gameInfoText(many[0], many, ShownRows::all(21)).endsWith("\tp19\r\nDriver\tdrv"));

    const MachineFacts m{.year = "1980",
                         .manufacturer = "Namco (Midway license)",
                         .status = DriverStatus::Imperfect,
                         .imperfectFeatures = "sound graphics",
                         .unemulatedFeatures = "protection",
                         .screenType = "raster",
                         .screenRotation = 90,
                         .screens = 1,
                         .players = 2};
    EXPECT_EQ(machineInfoText(m, 3, QDateTime(QDate(2026, 12, 7), QTime(14, 3))),
              "\r\nYear\t1980\r\nManufacturer\tNamco (Midway license)\r\nStatus\timperfect; "
              "imperfect: sound, graphics; unemulated: protection\r\nPlayers\t2\r\nScreen\traster, "
              "vertical\r\nPlayed\t3 times, last 2026-12-07 14:03");
    EXPECT_EQ(machineInfoText(MachineFacts{}, 1, {}),
              "\r\nYear\tunknown\r\nManufacturer\tunknown\r\nStatus\tunknown\r\nPlayers\tnone"
              "\r\nScreen\tnone\r\nPlayed\tonce");
    EXPECT_TRUE(machineInfoText(MachineFacts{}, 0, {}).endsWith("\r\nPlayed\tnever"));
}
