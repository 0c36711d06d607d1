// Timings of the database layer on a full table of 10,001 games.
#include "SyntheticGames.h"

#include "database/Audit.h"
#include "database/DatabaseFile.h"
#include "database/ListingImport.h"

#include <QLocale>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

// Start-up: read the database file and make the shown copy of every game.
void BM_LoadAndShowAll(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("coinslot.dat");
    if (!WriteDatabase(path, bench::SyntheticGames()).isEmpty()) {
        state.SkipWithError("cannot write the database");
        return;
    }
    for (auto _ : state) {
        const DatabaseLoad load = ReadDatabase(path);
        GameTable shown = load.games;
        benchmark::DoNotOptimize(shown.data());
    }
}
BENCHMARK(BM_LoadAndShowAll)->Unit(benchmark::kMillisecond);

void BM_WriteDatabase(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("coinslot.dat");
    const GameTable games = bench::SyntheticGames();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteDatabase(path, games));
}
BENCHMARK(BM_WriteDatabase)->Unit(benchmark::kMillisecond);

// The List command's work after MAME has run: parse the three listings and
// sort the table (arg 1: ignoring case under the locale).
void BM_ImportListings(benchmark::State& state) {
    GameTable games = bench::SyntheticGames();
    // MAME lists games by driver, not by description; the table is not sorted.
    const bench::Listings listings = bench::SyntheticListings(games);
    const bool caseInsensitive = state.range(0) != 0;
    if (caseInsensitive)
        state.SetLabel(QLocale().name().toStdString());
    for (auto _ : state) {
        const ListingImport import =
            ImportListings(listings.full, listings.clones, listings.drivers, caseInsensitive);
        if (!import.ok())
            state.SkipWithError(qPrintable(import.failure));
        benchmark::DoNotOptimize(import.games.data());
    }
}
BENCHMARK(BM_ImportListings)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// 10,001 games against a report of 10,001 good sets, in an order other than
// the table's, with a bad verdict after every ninth set.
void BM_Audit(benchmark::State& state) {
    const GameTable games = bench::SyntheticGames();
    QStringList report;
    for (qsizetype i = std::ssize(games) - 1; i >= 0; --i) {
        report << QStringLiteral("romset %1 [parent] is good").arg(games[i].strName);
        if (i % 9 == 0)
            report << QStringLiteral("romset x%1 is bad").arg(i);
    }
    report << QStringLiteral("%1 romsets found, %1 were OK.").arg(games.size());
    for (auto _ : state) {
        const AuditOutcome audit = AuditGames(games, report);
        if (audit.kept != std::ssize(games))
            state.SkipWithError("games were removed");
        benchmark::DoNotOptimize(audit.games.data());
    }
}
BENCHMARK(BM_Audit)->Unit(benchmark::kMillisecond);

} // namespace
