#pragma once

#include "database/GameRecord.h"
#include "gamelist/ShownRows.h"

#include <QString>

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
// family line.
QString gameInfoText(const GameRecord& game, const GameTable& games, const ShownRows& shown);
