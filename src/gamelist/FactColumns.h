// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/GameRecord.h"
#include "database/MachineColumns.h"

#include <QDateTime>
#include <QString>
#include <vector>

// A current MAME's facts and the user's plays as columns aligned with the
// master table: entry i of each column belongs to games[i]. What a view over
// the whole list reads (the details view's columns and its sort, the search
// suggestions, the narrowing choices); the manufacturers are the game list's
// own (GameList::manufacturers()).
struct FactColumns {
    std::vector<QString> years; // as MAME gives it ("1980", "198?"); empty: unknown
    std::vector<DriverStatus> statuses;
    std::vector<quint8> players;
    std::vector<quint8> coins;
    std::vector<int> playCounts;
    std::vector<QDateTime> lastPlayed; // invalid: never
    // Whether any game has a current MAME's facts.
    bool anyFacts = false;

    qsizetype size() const { return std::ssize(playCounts); }
};

// Lines `machines` (by set name) and `plays` up with `games`. A game without
// a machine has no year, status Unknown and no players or coins.
FactColumns alignColumns(const GameTable& games, const MachineColumns& machines,
                         const PlayTable& plays);
