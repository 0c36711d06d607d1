// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Made-up game tables, MAME listings and audit reports, the same on every
// run: descriptions of a few words in mixed case, each ending in a number of
// its own as real descriptions differ; short names of up to eight characters
// that ascend with the position, so the table is in MAME's own order (by set
// name); one game in four a clone; 33 games per driver.

#include "database/GameRecord.h"
#include "database/MachineFacts.h"

#include <QStringList>
#include <map>
#include <memory>
#include <random>
#include <vector>

namespace bench {

// The table sizes every benchmark runs at, so growth shows.
inline const std::vector<int64_t> kSizes = {1'000, 10'000, 40'000, 1'000'000};

inline GameTable SyntheticGames(int count = 10001) {
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
        GameFields game;
        const int n = length(random);
        for (int w = 0; w < n; ++w) {
            if (w > 0)
                game.description += u' ';
            game.description += QString::fromLatin1(words[word(random)]);
        }
        game.description += QStringLiteral(" %1 (set %2, World)").arg(i).arg(i % 7 + 1);
        game.name = QStringLiteral("g%1").arg(i, 5, 36, QLatin1Char('0'));
        if (i % 4 == 3)
            game.parent = games[i - 1 - i % 3].name();
        game.driver = QStringLiteral("drv%1").arg(i / 33);
        games.push_back(game);
    }
    return games;
}

// The table of `count` games, made once and kept until another size is asked
// for: a table of a million games takes a while to make.
inline const GameTable& CachedGames(int count) {
    static std::unique_ptr<GameTable> games;
    if (!games || std::ssize(*games) != count) {
        games.reset();
        games = std::make_unique<GameTable>(SyntheticGames(count));
    }
    return *games;
}

// Machine facts for `games`, as a current MAME gives them: one machine in
// three not working, one in nine mechanical, one in four without coin slots,
// a few hundred manufacturers.
inline MachineFactsTable SyntheticFacts(const GameTable& games) {
    MachineFactsTable facts;
    facts.reserve(games.size());
    for (qsizetype i = 0; i < std::ssize(games); ++i) {
        MachineFacts m;
        m.name = games[i].name();
        m.cloneOf = games[i].parent();
        m.year = QString::number(1975 + i % 40);
        m.manufacturer = QStringLiteral("Maker %1").arg(i % 300);
        m.status = i % 3 == 0 ? DriverStatus::Preliminary : DriverStatus::Good;
        m.mechanical = i % 9 == 0;
        m.coins = i % 4 == 0 ? 0 : 2;
        m.players = 2;
        m.screens = 1;
        m.screenType = QStringLiteral("raster");
        m.sourceFile = games[i].driver() + QStringLiteral(".cpp");
        facts.push_back(std::move(m));
    }
    return facts;
}

struct Listings {
    QStringList full, clones, drivers;
};

// The three listings in the forms of the old MAME, games in table order.
inline Listings SyntheticListings(const GameTable& games) {
    Listings l;
    l.full << QStringLiteral("Name:     Description:");
    l.clones << QStringLiteral("Name:    Clone of:");
    for (const GameRecord& record : games) {
        const GameFields g = record.fields();
        l.full << QStringLiteral("%1\"%2\"").arg(g.name, -10).arg(g.description);
        if (!g.parent.isEmpty())
            l.clones << QStringLiteral("%1 %2").arg(g.name, -8).arg(g.parent, -8);
        l.drivers << QStringLiteral("%1 src/drivers/%2.c").arg(g.name, -8).arg(g.driver);
    }
    return l;
}

struct AuditReport {
    QStringList report; // standard output
    QStringList errors; // standard error
    qsizetype good = 0;
};

// A current MAME's -verifyroms report on `games`, in set-name order: one set
// in nine bad, with a ROM line before its verdict, clones naming their
// parent; the closing line on standard error, as MAME prints it when a set is
// bad.
inline AuditReport SyntheticAudit(const GameTable& games) {
    AuditReport a;
    for (qsizetype i = 0; i < std::ssize(games); ++i) {
        const GameFields g = games[i].fields();
        const QString set =
            g.parent.isEmpty() ? g.name : QStringLiteral("%1 [%2]").arg(g.name, g.parent);
        if (i % 9 == 4) {
            a.report << QStringLiteral("%1: %2.1a (4096 bytes) - NOT FOUND")
                            .arg(g.name, -12)
                            .arg(g.name);
            a.report << QStringLiteral("romset %1 is bad").arg(set);
        } else {
            a.report << QStringLiteral("romset %1 is %2")
                            .arg(set,
                                 i % 5 ? QStringLiteral("good") : QStringLiteral("best available"));
            ++a.good;
        }
    }
    a.errors << QStringLiteral("%1 romsets found, %2 were OK.").arg(games.size()).arg(a.good);
    return a;
}

} // namespace bench
