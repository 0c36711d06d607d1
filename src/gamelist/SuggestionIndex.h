// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/GameRecord.h"
#include "database/MachineFacts.h"
#include "gamelist/FactColumns.h"
#include "gamelist/GameFlags.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

// What the suggestions read of each game, aligned with the master table:
// entry i of each column belongs to games[i]. The columns of a current MAME's
// facts are empty without them (an old MAME, or before the catalogue is read).
struct SuggestionSource {
    std::vector<QString> descriptions;
    std::vector<QString> names;
    std::vector<QString> manufacturers;
    std::vector<QString> years;
    std::vector<DriverStatus> statuses;
    GameFlags flags; // GameFlag bits; Favourite is not read from here

    qsizetype size() const { return std::ssize(descriptions); }
};

// The source for `games`, from what the game list keeps beside them.
SuggestionSource suggestionSource(const GameTable& games, const GameFacts& facts,
                                  const std::vector<QString>& manufacturers,
                                  const FactColumns& columns);

// Sorted unique texts, each with the games (master positions, ascending)
// that have it.
struct TextDictionary {
    QString all;                 // the texts end to end, each ended by a line end
    std::vector<quint32> starts; // text k is all[starts[k], starts[k + 1] - 1)
    // `all` one byte a character (those beyond Latin-1 as 0x1a), for a fast
    // search within the texts.
    QByteArray narrow;
    std::vector<quint32> firsts; // its games are games[firsts[k], firsts[k + 1])
    std::vector<qint32> games;
    // Per text, letterMask() of its first two letters (low half) and of its
    // first three (high half): a quick test that it may be within one or
    // two typos of another text.
    std::vector<quint64> heads;

    qsizetype size() const { return starts.empty() ? 0 : std::ssize(starts) - 1; }
    QStringView text(qsizetype k) const {
        return QStringView(all).sliced(starts[k], starts[k + 1] - starts[k] - 1);
    }
    // The first text not less than `text`.
    qsizetype lowerBound(QStringView text) const;
    // The text that the character at `at` of `all` belongs to.
    qsizetype textAt(qsizetype at) const;
    // Calls `found` with each place in `all` where `text` is found; it
    // gives where to look on from (at least the place + 1).
    void findAll(QStringView text, const std::function<qsizetype(qsizetype)>& found) const;
};

// A bit for each of the first `count` letters of `text` (all bits when it is
// shorter): equal letters give equal bits.
quint32 letterMask(QStringView text, qsizetype count);

// What the ranking looks games up by, made once for a table of games (see
// buildSuggestionIndex).
struct SuggestionIndex {
    SuggestionSource source;
    // Per game, its place when all games are put in the order that decides
    // between equal matches (see SuggestionRanking.h).
    std::vector<quint32> places;
    // The games in the order of their compact descriptions.
    std::vector<qint32> byDescription;
    // Every word of the descriptions and manufacturers and every compact set
    // name; every compact title.
    TextDictionary words;
    TextDictionary titles;
};

// Builds the index: about a tenth of a second for 40,000 games, and some
// seconds for a million, so not where a keystroke waits for it. When `stop`
// (asked now and then) says so, it ends early with an index of no games.
SuggestionIndex buildSuggestionIndex(SuggestionSource source,
                                     const std::function<bool()>& stop = {});
