#include "gamelist/GameSearch.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

const GameTable kShown = {
    {"Galaxian", "galaxian", "", "galaxian"}, {"Pac-Man (Midway)", "pacman", "puckman", "pacman"},
    {"PAC-LAND", "pacland", "", "pacland"},   {"Puck Man", "puckman", "", "pacman"},
    {"Istanbul", "Puckman", "", "x"},
};

} // namespace

TEST(GameSearch, FindsTheFirstDescriptionThatStartsWithTheTextIgnoringCase) {
    const CaseInsensitiveCompare compare;
    EXPECT_EQ(searchGames(kShown, "pac", compare), 1);
    EXPECT_EQ(searchGames(kShown, "PAC-L", compare), 2);
    EXPECT_EQ(searchGames(kShown, "pac-landx", compare), -1);
    EXPECT_EQ(searchGames(kShown, "Puck Man and more", compare), -1); // longer than any match
    EXPECT_EQ(searchGames(kShown, "", compare), 0);
    EXPECT_EQ(searchGames({}, "", compare), -1);
}

TEST(GameSearch, BracketedTextFindsTheExactShortName) {
    const CaseInsensitiveCompare compare;
    EXPECT_EQ(searchGames(kShown, "[puckman]", compare), 3);
    EXPECT_EQ(searchGames(kShown, "[Puckman]", compare), 4); // case-sensitive
    EXPECT_EQ(searchGames(kShown, "[PUCKMAN]", compare), -1);
    EXPECT_EQ(searchGames(kShown, "[puckman", compare), -1); // still typing
    EXPECT_EQ(searchGames(kShown, "[", compare), -1);
    EXPECT_EQ(searchGames(kShown, "[]", compare), -1);
    EXPECT_EQ(searchGames(kShown, "[puck]", compare), -1);
    EXPECT_EQ(searchGames({{"No name", "", "", "d"}}, "[]", compare), 0);
}

TEST(GameSearch, FollowsTheUsersLocaleCollation) {
    // Turkish folds dotless I with dotless ı and dotted İ with i, so "is" does
    // not begin "Istanbul" there, while it does in the C locale.
    EXPECT_EQ(searchGames(kShown, "is", CaseInsensitiveCompare()), 4);
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    EXPECT_EQ(searchGames(kShown, "is", CaseInsensitiveCompare()), -1);
    EXPECT_EQ(searchGames(kShown, "ıs", CaseInsensitiveCompare()), 4);
    QLocale::setDefault(saved);
}
