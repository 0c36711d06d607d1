// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/GameRecord.h"
#include "gamelist/ShownRows.h"
#include "text/Compare.h"

#include <QString>

// The incremental search over the shown games, run on every change of the
// search text. It always scans from the top and takes the first match.
//
// - A text that does not begin with "[" finds the first game whose
//   description begins with the text, ignoring case under the user's locale
//   (`compare`); the empty text finds the first game.
// - A text that begins with "[" finds nothing until it also ends with "]";
//   then it finds the first game whose short name equals the text between the
//   brackets exactly, case included ("[]" looks for an empty short name).
//
// Returns the row to select, or -1 to leave the selection where it is.
// `compare` is costly to make: keep one and pass it to every search.
qsizetype searchGames(const GameTable& games, const ShownRows& shown, const QString& text,
                      const CaseInsensitiveCompare& compare);
// Whether searchGames() would find `game`, were it shown.
bool searchFinds(const GameRecord& game, const QString& text,
                 const CaseInsensitiveCompare& compare);
