#pragma once

// A game table and MAME listings of kMaxGames made-up games, the same on
// every run: descriptions of a few words in mixed case, short names of up to
// eight characters, one game in four a clone, about 300 drivers.

#include "database/GameRecord.h"

#include <QStringList>
#include <random>

namespace bench {

inline GameTable SyntheticGames(int count = kMaxGames) {
    static const char* const words[] = {
        "Super",  "galaxy", "Fighter", "Street", "Turbo",  "out",    "Run",    "Dragon",
        "Ninja",  "Space",  "Harrier", "mega",   "Force",  "Strike", "Legend", "Quest",
        "Tiger",  "Heli",   "Golden",  "Axe",    "Final",  "Fight",  "Metal",  "Slug",
        "Bubble", "Bobble", "Rainbow", "Island", "Double", "Dragon", "Pac",    "man"};
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> word(0, std::size(words) - 1);
    std::uniform_int_distribution<int> length(2, 5);
    GameTable games;
    games.reserve(count);
    for (int i = 0; i < count; ++i) {
        GameRecord game;
        const int n = length(random);
        for (int w = 0; w < n; ++w) {
            if (w > 0)
                game.strDescription += u' ';
            game.strDescription += QString::fromLatin1(words[word(random)]);
        }
        game.strDescription += QStringLiteral(" (set %1, World)").arg(i % 7 + 1);
        game.strName = QStringLiteral("g%1").arg(i, 5, 36, QLatin1Char('0'));
        if (i % 4 == 3)
            game.strParent = games[i - 1 - i % 3].strName;
        game.strDriver = QStringLiteral("drv%1").arg(i / 33);
        games.push_back(std::move(game));
    }
    return games;
}

struct Listings {
    QStringList full, clones, drivers;
};

// The three listings in the forms of the old MAME, games in table order.
inline Listings SyntheticListings(const GameTable& games) {
    Listings l;
    l.full << QStringLiteral("Name:     Description:");
    l.clones << QStringLiteral("Name:    Clone of:");
    for (const GameRecord& g : games) {
        l.full << QStringLiteral("%1\"%2\"").arg(g.strName, -10).arg(g.strDescription);
        if (!g.strParent.isEmpty())
            l.clones << QStringLiteral("%1 %2").arg(g.strName, -8).arg(g.strParent, -8);
        l.drivers << QStringLiteral("%1 src/drivers/%2.c").arg(g.strName, -8).arg(g.strDriver);
    }
    return l;
}

} // namespace bench
