// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/GameRecord.h"
#include "gamelist/ShownRows.h"

#include <QByteArray>
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
// What the word step searches: per game, its description and, where known,
// its manufacturer, folded once and kept end to end in one UTF-8 text (each
// game's part ended by a line end, which no folded text holds), so that a
// keystroke is one search through it. Before that search, a word any of whose
// three-byte runs is nowhere in the text is known to be missing at once, and
// the set names are looked up in a sorted index, so that a text that finds
// nothing costs little more than the description step before it.
struct WordSearchTexts {
    QByteArray all;
    std::vector<qsizetype> ends; // per game, where its part of `all` ends
    // One bit per hash of every three bytes in a row in `all`.
    std::vector<quint64> trigrams;
    // Every game's set name, case-folded, with its position; sorted.
    std::vector<std::pair<QString, qint32>> names;
};
// `manufacturers` is aligned with `games`, or empty.
WordSearchTexts wordSearchTexts(const GameTable& games, const std::vector<QString>& manufacturers);

// `texts` are wordSearchTexts() of the games `shown` is made of. Returns the
// row to select, or -1.
qsizetype searchFurther(const ShownRows& shown, const QString& text, const WordSearchTexts& texts);
// Per game of `texts`, whether searchFurther() would find it, were it shown.
std::vector<bool> matchesFurther(const QString& text, const WordSearchTexts& texts);
