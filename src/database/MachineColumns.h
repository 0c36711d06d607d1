// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/MachineFacts.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <vector>

// Every machine's facts that a view over the whole list reads (the details
// view's columns, the search suggestions, the narrowing choices), as columns
// in the catalogue's order of set names: entry i of each column belongs to
// names[i]. Read in one query, well off the start-up path.
struct MachineColumns {
    std::vector<QString> names;
    std::vector<QString> years; // as MAME gives it ("1980", "198?"); empty: none
    std::vector<DriverStatus> statuses;
    std::vector<quint8> players;
    std::vector<quint8> coins;

    qsizetype size() const { return std::ssize(names); }
};

// How often a set was played, and when last (never: count 0, no time).
struct PlayRecord {
    int count = 0;
    QDateTime last;
};

// Every set's plays, by set name.
using PlayTable = QHash<QString, PlayRecord>;
