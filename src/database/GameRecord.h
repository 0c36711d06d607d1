// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <vector>

// One game of the database, its four texts in file order.
struct GameRecord {
    QString description; // shown in the list; the sort key
    QString name;        // short set name, passed to MAME
    QString parent;      // parent set for a clone, else empty
    QString driver;      // driver source file name without ".c"

    bool operator==(const GameRecord&) const = default;
};

using GameTable = std::vector<GameRecord>;

// The game tables hold at most this many records. Positions in them are
// qsizetype; the limit keeps them within 32 bits as well.
inline constexpr int kMaxGames = 1000000;

// No field of a game is longer than MAME could produce: a short, parent or
// driver name holds at most kLongestName bytes (UTF-8), a description at most
// kLongestDescription.
inline constexpr qsizetype kLongestName = 64;
inline constexpr qsizetype kLongestDescription = 1024;
