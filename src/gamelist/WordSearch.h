#pragma once

#include "database/GameRecord.h"
#include "gamelist/ShownRows.h"

#include <QString>
#include <vector>

// The search's further steps, for a text that does not begin with "[" and
// that no shown description begins with. In this order:
//
// 1. the first shown game whose set name equals the text, blanks around it
//    left out, ignoring case ("SF2" finds sf2);
// 2. the first shown game whose description, together with its manufacturer
//    where that is known, contains every word of the text, ignoring case and
//    punctuation: "fighter ii" finds "Street Fighter II': Champion Edition",
//    "pacman" finds "Pac-Man", "namco pac" Pac-Man by Namco. A word is a run
//    of letters and digits between blanks; other characters are dropped, so
//    "x-men" is the word "xmen". A text without any word finds nothing.
//
// `manufacturers` is aligned with `games`, or empty. Returns the row to
// select, or -1.
qsizetype searchFurther(const GameTable& games, const ShownRows& shown, const QString& text,
                        const std::vector<QString>& manufacturers);
