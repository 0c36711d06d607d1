// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/GameRecord.h"
#include "text/Outcome.h"

#include <QString>
#include <optional>

// The database file: one game per line, description|name|parent|driver,
// CR LF line ends, at least one and at most kMaxGames lines. The driver takes
// the whole rest of the line, further "|" included; nothing is quoted.

// Reads the database file at `path` into a table that holds its bytes as
// they are. A line with fewer than three "|", an empty description, name or
// driver, and an empty line anywhere make the file invalid; a single line end
// after the last record adds no line. Fails with what was wrong: the file
// unreadable or larger than a table holds (kMostTableBytes), empty, too long,
// or the first line that is not a game.
Outcome<GameTable> readDatabase(const QString& path);

// Writes every record of `games`, in order, as description|name|parent|driver
// followed by CR LF, replacing `path` as a whole: the old file stays untouched
// when anything fails. A table that readDatabase would not give back as it is
// (no record, more than kMaxGames records, or a record that findUnreadableRecord
// refuses) is not written either; the failure says what went wrong.
Outcome<Done> writeDatabase(const QString& path, const GameTable& games);

// Why `game`, once written, would not read back as the same record: an empty
// description, name or driver, a "|" in the description, name or parent
// (it moves the following fields), a line break in any field, a broken
// character (half of one cut in two) that the file cannot hold, or a field
// longer than MAME could produce (kLongestName, kLongestDescription). Returns
// a phrase such as "an empty driver" or "a \"|\" in its name", or nothing when
// the record reads back unchanged. For a game of a table, what the table
// could not keep of it counts too (GameTable::unkeptReason()).
std::optional<QString> unreadableReason(const GameFields& game);
std::optional<QString> unreadableReason(const GameRecord& game);

// The position of the first record of `games` that unreadableReason refuses,
// or nothing when every record reads back unchanged.
std::optional<qsizetype> findUnreadableRecord(const GameTable& games);
