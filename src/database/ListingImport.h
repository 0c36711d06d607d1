// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/GameRecord.h"
#include "text/Outcome.h"

#include <QString>
#include <QStringList>
#include <optional>

// Turns the three listings that MAME prints for the List command into a new
// master table. Each listing is given as its lines (line ends removed), or as
// nothing when MAME left no file behind.
//
// - Game listing (-listfull): its first line is a header. Every further line
//   is one game: the short name is the text before the first blank, the
//   description the text from column 12 up to the first double quote at or
//   after column 12.
// - Clone listing (-listclones): its first line is a header. Each further line
//   names a clone (the text before the first blank) and its parent (the last
//   8 characters, trailing blanks removed). The clones come in game-listing
//   order: a cursor holds the current clone line and moves on only when a game
//   of that name is read; at the end of the listing it keeps its last line.
// - Driver listing (-listsourcefile): read forward only. For each game, lines
//   are passed over until one whose text before the first blank is the game's
//   short name; the driver is the text from column 22 up to the first ".c" at
//   or after column 22. Lines without a blank name no game and are passed over.
//
// The games are then sorted by description (sortGames, ignoring case when
// `caseInsensitive` is set).

// What messages call the three listings.
QString gameListingName();   // "game listing (-listfull)"
QString cloneListingName();  // "clone listing (-listclones)"
QString driverListingName(); // "driver listing (-listsourcefile)"

// The longest line of a text listing that is read: a game line holds no more
// than a short name, a description and the blanks between them.
inline constexpr qsizetype kLongestListingLine = 4096;

// Gives the new master table, sorted. Fails, with a message that names the listing and, where there
// is one, the line or the game, when: a listing is missing; the game listing is empty, holds no
// game, or more than kMaxGames games; a game line has no blank or no closing double quote; the
// clone listing has fewer than two lines or a clone line has no blank; the driver listing does not
// list a game in game-listing order (the search runs past its end); a driver line has no ".c" at or
// after column 22; a driver line (a name, then a ".c" file name from column 22) names a game
// that the game listing lacks, which is then incomplete; or a game would not read back from the
// database file as it is (see unreadableReason, which also bounds each field's length).
Outcome<GameTable> importListings(const std::optional<QStringList>& gameListing,
                                  const std::optional<QStringList>& cloneListing,
                                  const std::optional<QStringList>& driverListing,
                                  bool caseInsensitive);

// Reads the text listing that MAME wrote into `path` a piece at a time: nothing
// when MAME left no file, else its lines as readLines gives them. Fails,
// naming `listing`, when the file cannot be read, holds a line longer than
// kLongestListingLine bytes, or ends in the middle of a line (MAME was cut
// off while printing it).
Outcome<std::optional<QStringList>> readListingFile(const QString& path, const QString& listing);

// importListings over the three files that MAME wrote, each read by readListingFile.
Outcome<GameTable> importListingFiles(const QString& gameListing, const QString& cloneListing,
                                      const QString& driverListing, bool caseInsensitive);
