// SPDX-License-Identifier: GPL-2.0-or-later
// Timings of the database layer at each table size of bench::kSizes, on
// tables, listings and reports in MAME's own order.
#include "SyntheticGames.h"

#include "database/Audit.h"
#include "database/DatabaseFile.h"
#include "database/ListingImport.h"
#include "text/Sorting.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void SizesAndCaseModes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"games", "folded"});
    for (const int64_t size : bench::kSizes) {
        b->Args({size, 0});
        b->Args({size, 1});
    }
}

// Start-up's read of the database file into the master table.
void BM_ReadDatabase(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("coinslot.dat");
    if (!writeDatabase(path, bench::CachedGames(state.range(0))).ok()) {
        state.SkipWithError("cannot write the database");
        return;
    }
    for (auto _ : state) {
        const Outcome<GameTable> load = readDatabase(path);
        if (!load.ok())
            state.SkipWithError("the database did not load");
        benchmark::DoNotOptimize(load.value().size());
    }
}
BENCHMARK(BM_ReadDatabase)
    ->ArgName("games")
    ->ArgsProduct({bench::kSizes})
    ->Unit(benchmark::kMillisecond);

void BM_WriteDatabase(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("coinslot.dat");
    const GameTable& games = bench::CachedGames(state.range(0));
    for (auto _ : state) {
        if (!writeDatabase(path, games).ok())
            state.SkipWithError("cannot write the database");
    }
}
BENCHMARK(BM_WriteDatabase)
    ->ArgName("games")
    ->ArgsProduct({bench::kSizes})
    ->Unit(benchmark::kMillisecond);

// Whether some two neighbours of a sorted table compare equal, which sends the
// sort through the exchange sort.
bool hasEqualNeighbours(const GameTable& table, bool caseInsensitive) {
    const CaseInsensitiveCompare folded;
    for (qsizetype i = 1; i < std::ssize(table); ++i) {
        const QByteArrayView a = table[i - 1].descriptionBytes();
        const QByteArrayView b = table[i].descriptionBytes();
        if ((caseInsensitive ? folded(a, b) : compareOrdinal(a, b)) == 0)
            return true;
    }
    return false;
}

// sortGames on a table in set-name order, as a build hands it over; folded=1
// ignores case under the locale that the benchmarks' main sets. No two
// descriptions compare equal, so this times the n log n path.
void BM_SortGames(benchmark::State& state) {
    const GameTable& games = bench::CachedGames(state.range(0));
    const bool caseInsensitive = state.range(1) != 0;
    GameTable table;
    for (auto _ : state) {
        state.PauseTiming();
        table = games;
        state.ResumeTiming();
        sortGames(table, caseInsensitive);
        benchmark::DoNotOptimize(table.size());
    }
    if (hasEqualNeighbours(table, caseInsensitive))
        state.SkipWithError("two descriptions compared equal");
}
BENCHMARK(BM_SortGames)->Apply(SizesAndCaseModes)->Unit(benchmark::kMillisecond);

// The same with one description in a hundred repeated, case changed, in the
// next game: the exchange sort then runs to place the equal keys.
void BM_SortGamesWithEqualKeys(benchmark::State& state) {
    GameTable games;
    const GameTable& made = bench::CachedGames(state.range(0));
    for (qsizetype i = 0; i < std::ssize(made); ++i) {
        GameFields game = made[i].fields();
        if (i % 100 == 50)
            game.description = made[i - 1].description().toUpper();
        games.push_back(game);
    }
    const bool caseInsensitive = state.range(1) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        GameTable table = games;
        state.ResumeTiming();
        sortGames(table, caseInsensitive);
        benchmark::DoNotOptimize(table.size());
    }
}
BENCHMARK(BM_SortGamesWithEqualKeys)
    ->ArgNames({"games", "folded"})
    ->Args({40'000, 1})
    ->Unit(benchmark::kMillisecond);

// The List command's work after an old MAME has run: parse its three
// listings and sort the table.
void BM_ImportListings(benchmark::State& state) {
    const bench::Listings listings = bench::SyntheticListings(bench::CachedGames(state.range(0)));
    const bool caseInsensitive = state.range(1) != 0;
    for (auto _ : state) {
        const Outcome<GameTable> import =
            importListings(listings.full, listings.clones, listings.drivers, caseInsensitive);
        if (!import.ok())
            state.SkipWithError(qPrintable(import.failure()));
        else
            benchmark::DoNotOptimize(import.value().size());
    }
}
BENCHMARK(BM_ImportListings)->Apply(SizesAndCaseModes)->Unit(benchmark::kMillisecond);

// The Audit command's work after MAME has run: every game against a
// -verifyroms report of the same sets.
void BM_Audit(benchmark::State& state) {
    const GameTable& games = bench::CachedGames(state.range(0));
    const bench::AuditReport audit = bench::SyntheticAudit(games);
    for (auto _ : state) {
        const Outcome<AuditResult> outcome =
            auditGames(games, audit.report, audit.errors, "-verifyroms");
        if (!outcome.ok() || outcome.value().kept != audit.good)
            state.SkipWithError("the audit kept other games");
        else
            benchmark::DoNotOptimize(outcome.value().games.size());
    }
}
BENCHMARK(BM_Audit)->ArgName("games")->ArgsProduct({bench::kSizes})->Unit(benchmark::kMillisecond);

} // namespace
