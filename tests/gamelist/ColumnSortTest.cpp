// SPDX-License-Identifier: GPL-2.0-or-later
// The details table's order: by each column, either way, over the shown rows.
#include "gamelist/ColumnSort.h"

#include <gtest/gtest.h>

namespace {

// Six games in database order (by description): year, maker, status, plays
// and favourite of each.
struct ColumnSort : ::testing::Test {
    ColumnSort() {
        facts.years = {"1982", "", "1980", "198?", "1980", "1978"};
        makers = {"Sega", "atari", "", "Atari", "Namco", "sega"};
        facts.statuses = {DriverStatus::Imperfect,   DriverStatus::Good, DriverStatus::Unknown,
                          DriverStatus::Preliminary, DriverStatus::Good, DriverStatus::Good};
        facts.playCounts = {2, 0, 7, 0, 1, 0};
        flags = {0, GameFlag::Favourite, 0, GameFlag::Favourite | GameFlag::Clone, 0, 0};
    }
    std::vector<qint32> sorted(GameColumn column, Qt::SortOrder order = Qt::AscendingOrder,
                               const ShownRows& shown = ShownRows::all(6)) {
        return sortByColumn(shown, column, order, {facts, makers, flags});
    }

    FactColumns facts;
    std::vector<QString> makers;
    GameFlags flags;
};

using Rows = std::vector<qint32>;

} // namespace

TEST_F(ColumnSort, EachColumnSortsByItsValuesUnknownLastAndTiesInTheRowsOwnOrder) {
    EXPECT_EQ(sorted(GameColumn::Description), Rows({0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(sorted(GameColumn::Description, Qt::DescendingOrder), Rows({5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(sorted(GameColumn::Year), Rows({5, 2, 4, 0, 3, 1}));
    EXPECT_EQ(sorted(GameColumn::Year, Qt::DescendingOrder), Rows({3, 0, 2, 4, 5, 1}));
    // Letter case does not part two makers.
    EXPECT_EQ(sorted(GameColumn::Manufacturer), Rows({1, 3, 4, 0, 5, 2}));
    EXPECT_EQ(sorted(GameColumn::Manufacturer, Qt::DescendingOrder), Rows({0, 5, 4, 1, 3, 2}));
    EXPECT_EQ(sorted(GameColumn::Status), Rows({1, 4, 5, 0, 3, 2}));
    EXPECT_EQ(sorted(GameColumn::Played, Qt::DescendingOrder), Rows({2, 0, 4, 1, 3, 5}));
    EXPECT_EQ(sorted(GameColumn::Favourite), Rows({1, 3, 0, 2, 4, 5}));
}

TEST_F(ColumnSort, TheOrderIsOfShownRowsAndWithoutFactsTheRowsKeepTheirOwn) {
    // Rows 0..2 show the games at positions 1, 3 and 5.
    const ShownRows some = ShownRows::only({1, 3, 5});
    EXPECT_EQ(sorted(GameColumn::Year, Qt::AscendingOrder, some), Rows({2, 1, 0}));
    EXPECT_EQ(sorted(GameColumn::Favourite, Qt::DescendingOrder, some), Rows({2, 0, 1}));
    // Before the store is read the columns are empty: every year unknown.
    facts = {};
    makers.clear();
    EXPECT_EQ(sorted(GameColumn::Year, Qt::DescendingOrder), Rows({0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(sorted(GameColumn::Manufacturer), Rows({0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(sorted(GameColumn::Played, Qt::DescendingOrder), Rows({0, 1, 2, 3, 4, 5}));
}
