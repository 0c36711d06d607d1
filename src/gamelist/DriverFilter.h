#pragma once

#include "database/GameRecord.h"

#include <QString>

// The driver filter: a text of driver names, separated by spaces, picks the
// games of those drivers out of the master table.

enum class FilterResult {
    Shown,        // `shown` and `filter` hold the new shown table and filter text
    NoMatch,      // no game has any of the drivers: nothing is to change
    TooManyWords, // more words than the word table holds: nothing is to change
};

struct FilterOutcome {
    FilterResult result = FilterResult::NoMatch;
    GameTable shown; // Shown: copies of the matching games, in master order
    QString filter;  // Shown: the normalised filter text (empty for all games)
    QString message; // TooManyWords: the text to show in the "Filter" box
};

// The most words a filter text may hold.
inline constexpr int kMaxFilterWords = 256;

// Applies the filter `text` to the master table `games`.
//
// The text is trimmed of spaces (only spaces: tabs and other characters stay)
// and lower-cased. An empty result shows every game with an empty filter.
// Otherwise it is cut into words at single spaces, runs of spaces counting as
// one; a text of more than kMaxFilterWords words is refused. A game is shown,
// once, when its driver equals one of the words exactly, so a driver name with
// upper-case letters never matches. The normalised filter text lists, in
// ordinal order (sortStrings) and separated by single spaces, each word that
// matched at least one game, repeats dropped.
FilterOutcome applyDriverFilter(const QString& text, const GameTable& games);
