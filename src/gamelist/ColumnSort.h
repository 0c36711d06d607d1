// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "gamelist/FactColumns.h"
#include "gamelist/GameFlags.h"
#include "gamelist/ShownRows.h"

#include <QString>
#include <vector>

// The columns of the details view's table, in their order.
enum class GameColumn { Description, Year, Manufacturer, Status, Played, Favourite };
inline constexpr int kGameColumnCount = 6;

// What the columns other than the description show, aligned with the master
// table (entry i belongs to games[i]); a column that is empty (facts not read
// yet, no current MAME) counts as unknown for every game, a missing play
// count as none.
struct ColumnValues {
    const FactColumns& facts;
    const std::vector<QString>& manufacturers;
    const GameFlags& flags;
};

// The order in which a view shows `shown` when sorted by `column`: entry k
// is the shown row (not the master position) that stands k-th. Ascending by
// description is the rows' own order (the database sorts by description),
// and descending its reverse. The others sort by value: the year as text
// ("198?" after "1989"), the manufacturer as text with letter case ignored,
// the status good, imperfect, preliminary, the plays by count, favourites
// before the rest; games whose value is unknown (no year, no manufacturer,
// no status) come last in either direction, and games of equal value keep
// the rows' own order. The rows themselves, and so the search and the
// selected row, are not touched.
std::vector<qint32> sortByColumn(const ShownRows& shown, GameColumn column, Qt::SortOrder order,
                                 const ColumnValues& values);
