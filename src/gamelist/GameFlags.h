// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/GameRecord.h"
#include "database/MachineList.h"

#include <QSet>
#include <QString>
#include <vector>

// What the Show choices test of each game, one byte a game, aligned with the
// master table: flags[i] belongs to games[i].
namespace GameFlag {
enum : quint8 {
    Clone = 1, // it has a parent
    NotWorking = MachineBit::NotWorking,
    Mechanical = MachineBit::Mechanical,
    NonArcade = MachineBit::NonArcade,
    Favourite = 16,
    HasFacts = MachineBit::Known, // a current MAME's facts are known
};
} // namespace GameFlag

using GameFlags = std::vector<quint8>;

// The machine facts and favourites aligned with a table of games.
struct GameFacts {
    GameFlags flags;
    // The entry of the machine list for each game (-1: none); empty when
    // entry i is game i's.
    std::vector<qint32> entries;
    // Whether the machine list had any entry.
    bool any = false;
};

// Lines `list` and `favourites` (set names) up with `games`. A list that
// still matches the games (its names' hash) is taken as it stands; otherwise
// its entries are found by name, which costs more. A game without an entry
// has only its Clone and Favourite flags.
GameFacts alignFacts(const GameTable& games, const MachineList& list,
                     const QSet<QString>& favourites);

// The manufacturer of each game (empty where unknown), decoded from `list`.
std::vector<QString> alignedManufacturers(const GameFacts& facts, const MachineList& list,
                                          qsizetype games);

// A machine list for `games` in their order, from their aligned facts: what
// the catalogue should hold once the table has changed without a List (an
// Audit dropped games).
MachineList machineListFor(const GameTable& games, const GameFacts& facts, const MachineList& list);
