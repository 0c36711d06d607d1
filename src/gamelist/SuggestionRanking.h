// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "gamelist/ShownRows.h"
#include "gamelist/SuggestionIndex.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

// How a game matches a search text, best first. Texts are read as
// SuggestionText.h says (case and accents ignored throughout).
enum class SuggestionMatch : quint8 {
    SetName,          // its set name is the text
    Title,            // one of its titles is the text
    CompactTitle,     // a title or the set name is the text, punctuation and spaces ignored:
                      // "rally-x" is "Rally X", "pacman" is "Pac-Man", "sf2 ce" is sf2ce
    DescriptionStart, // the description starts with the text, the same ignored
    WordStarts,       // each word of the text starts a word of the description, the
                      // manufacturer or the set name
    Words,            // each word of the text is within such a word
    TitleTypo,        // a title is the text but for a few typos
    WordTypos,        // each word of the text starts a word as above but for a few typos
};

// The typos a word or title of `letters` letters and digits may have: none
// below 3, one below 8, else two. A typo is a letter added, dropped or
// changed, or two neighbouring letters swapped.
int allowedTypos(qsizetype letters);

struct RankedGame {
    qint32 position; // in the master table
    SuggestionMatch match;
    int typos;
};

// Per game, what lifts it within its match: a favourite, or a game played.
namespace SuggestionMark {
enum : quint8 { Favourite = 1, Played = 2 };
}

// The `limit` shown games that match `text` best, best first, or nothing
// when `cancelled` (asked now and then) says the answer is no longer wanted.
//
// Games are ordered by their match (SuggestionMatch), then by their typos,
// then favourites and played games (`marks`, aligned with the master table;
// may be empty) before the others, then by the index's place of each game:
// arcade machines (with coin slots) and non-mechanical ones first, then
// working before imperfect before not working, then the ones whose
// manufacturer (else description) names no bootleg or hack, parents before
// clones, earlier years first, and last the master table's order.
std::optional<std::vector<RankedGame>> rankSuggestions(const SuggestionIndex& index,
                                                       const QString& text, const ShownRows& shown,
                                                       const std::vector<quint8>& marks, int limit,
                                                       const std::function<bool()>& cancelled = {});
