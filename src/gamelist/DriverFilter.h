// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/GameRecord.h"
#include "gamelist/ShownRows.h"
#include "text/Outcome.h"

#include <QString>

// The driver filter: a text of driver names, separated by spaces, picks the
// games of those drivers out of the master table.

struct DriverSelection {
    ShownRows rows; // the games to show, in master order; empty when none matched
    QString filter; // the normalised filter text (empty for all games)
};

// The most words a filter text may hold.
inline constexpr int kMaxFilterWords = 256;

// Applies the filter `text` to the master table `games`.
//
// The text is trimmed of spaces (only spaces: tabs and other characters stay)
// and lower-cased. An empty result shows every game with an empty filter.
// Otherwise it is cut into words at single spaces, runs of spaces counting as
// one; a text of more than kMaxFilterWords words fails with a message for the
// "Filter" box. A game is shown, once, when its driver equals one of the
// words exactly, so a driver name with upper-case letters never matches. The
// normalised filter text lists, in ordinal order (sortStrings) and separated
// by single spaces, each word that matched at least one game, repeats dropped.
Outcome<DriverSelection> selectDrivers(const QString& text, const GameTable& games);
