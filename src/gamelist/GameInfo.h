// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/GameRecord.h"
#include "database/MachineFacts.h"
#include "gamelist/ShownRows.h"

#include <QDateTime>
#include <QString>

// The most clones the Info box names; the rest are counted.
inline constexpr int kMostClonesNamed = 20;

// The text of the "Info" box for `game`, one of the `shown` rows of `games`:
//
//   description CR LF
//   CR LF
//   "Set" TAB name CR LF
//   family lines
//   "Driver" TAB driver            (no line end after it)
//
// For a clone the family is the line "Parent" TAB parent. Otherwise it lists
// the shown games whose parent is this game's short name, in list order:
// "Clone" TAB name for one, or "Clones" TAB first name and then TAB name for
// each further one, each line ended by CR LF; with no shown clone there is no
// family line. Past kMostClonesNamed clones, the first kMostClonesNamed are
// named and one more line says TAB "and N more", so the box stays within the
// screen.
QString gameInfoText(const GameRecord& game, const GameTable& games, const ShownRows& shown);

// The lines that a current MAME's facts add after the "Driver" line, each
// starting with CR LF:
//
//   "Year" TAB year                    ("unknown" when MAME gives none)
//   "Manufacturer" TAB manufacturer    (likewise)
//   "Status" TAB good, imperfect or preliminary, then "; imperfect: " and
//            the imperfect features, "; unemulated: " and the unemulated ones
//   "Players" TAB count                ("none" for 0)
//   "Screen" TAB type, orientation     ("raster, vertical"; "2 screens, lcd,
//            horizontal"; "none")
//   "Played" TAB "never", or "once" or "N times", then ", last " and the
//            local date and time of the last play ("2026-12-07 14:03")
QString machineInfoText(const MachineFacts& facts, int plays, const QDateTime& lastPlayed);
