#include "text/Sorting.h"

#include <gtest/gtest.h>

namespace {

struct Rec {
    QString strDescription;
    int tag = 0;
};

std::vector<QString> strings(std::initializer_list<const char*> items) {
    std::vector<QString> out;
    for (const char* s : items)
        out.emplace_back(QString::fromUtf8(s));
    return out;
}

} // namespace

TEST(SortStrings, SortsOrdinallyAndLeavesSlotsBeyondTheCount) {
    auto a = strings({"pac", "Zed", "", "abc", "Pac", "zz", "tail1", "tail0"});
    SortStrings(a, 6);
    EXPECT_EQ(a, strings({"", "Pac", "Zed", "abc", "pac", "zz", "tail1", "tail0"}));
}

TEST(SortStrings, SmallCountsCompareNothingAndTwoElementsTakeTwoPasses) {
    auto one = strings({"b", "a"});
    EXPECT_EQ(SortStrings(one, 0), 0);
    EXPECT_EQ(SortStrings(one, 1), 0);
    EXPECT_EQ(one, strings({"b", "a"}));
    EXPECT_EQ(SortStrings(one, 2), 2); // one pass exchanges, the next finds nothing
    EXPECT_EQ(one, strings({"a", "b"}));
    EXPECT_EQ(SortStrings(one, 2), 1);
}

TEST(SortStrings, SortedInputMakesOnePassPerGap) {
    std::vector<QString> a;
    for (int i = 0; i < 10000; ++i)
        a.push_back(QString::number(100000 + i));
    // gaps 5000 2500 1250 625 312 156 78 39 19 9 4 2 1
    EXPECT_EQ(SortStrings(a, 10000), 13);
}

TEST(SortGames, EqualKeysEndInTheOrderOfTheExchangeSequence) {
    // Traced by hand: gap 2 takes two passes with exchanges and a clean one,
    // gap 1 one clean pass. Equal keys end reversed, where a stable sort
    // would keep them in their first order.
    std::vector<Rec> games = {{"c", 0}, {"b", 1}, {"b", 2}, {"a", 3}, {"a", 4}};
    SortGames(games, 5, false);
    std::vector<int> tags;
    for (const Rec& r : games)
        tags.push_back(r.tag);
    EXPECT_EQ(tags, (std::vector<int>{4, 3, 2, 1, 0}));
}

TEST(SortGames, CaseModeDecidesBetweenUpperZAndLowerA) {
    std::vector<Rec> ordinal = {{"apple", 0}, {"Zebra", 1}};
    SortGames(ordinal, 2, false);
    EXPECT_EQ(ordinal[0].strDescription, "Zebra");

    std::vector<Rec> folded = {{"Zebra", 0}, {"apple", 1}, {"APPLE", 2}};
    SortGames(folded, 3, true);
    EXPECT_EQ(folded[0].strDescription, "apple"); // equal keys are never exchanged
    EXPECT_EQ(folded[1].strDescription, "APPLE");
    EXPECT_EQ(folded[2].strDescription, "Zebra");
}
