// SPDX-License-Identifier: GPL-2.0-or-later
// Timings of the game list at each table size of bench::kSizes, all games
// shown.
#include "SyntheticGames.h"

#include "gamelist/DriverFilter.h"
#include "gamelist/GameSearch.h"

#include <benchmark/benchmark.h>

namespace {

// The search function alone, for one keystroke whose search matches nothing,
// so every game is compared; the whole way from the key to the repaint,
// selection and scrolling included, is BM_SearchKeystrokeToRepaint.
// late=0: a text that differs from every description at its first letter;
// late=1: a text that shares a long prefix with the first game's description.
void BM_SearchKeystroke(benchmark::State& state) {
    const GameTable& shown = bench::CachedGames(state.range(0));
    const ShownRows rows = ShownRows::all(std::ssize(shown));
    const CaseInsensitiveCompare compare;
    const QString text =
        state.range(1) == 0 ? QStringLiteral("xylophone") : shown.front().description() + u'~';
    for (auto _ : state) {
        const qsizetype found = searchGames(shown, rows, text, compare);
        if (found != -1)
            state.SkipWithError("the search matched");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_SearchKeystroke)
    ->ArgNames({"games", "late"})
    ->ArgsProduct({bench::kSizes, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

void BM_SearchShortName(benchmark::State& state) {
    const GameTable& shown = bench::CachedGames(state.range(0));
    const ShownRows rows = ShownRows::all(std::ssize(shown));
    const CaseInsensitiveCompare compare;
    const QString text = QStringLiteral("[nosuchname]");
    for (auto _ : state)
        benchmark::DoNotOptimize(searchGames(shown, rows, text, compare));
}
BENCHMARK(BM_SearchShortName)
    ->ArgName("games")
    ->ArgsProduct({bench::kSizes})
    ->Unit(benchmark::kMicrosecond);

// words=3: three drivers named; words=256: the most a filter may hold, most
// matching nothing.
void BM_DriverFilter(benchmark::State& state) {
    const GameTable& games = bench::CachedGames(state.range(0));
    QString text = QStringLiteral("DRV12  drv30 drv7");
    for (int i = 3; i < state.range(1); ++i)
        text += QStringLiteral(" drv%1").arg(i * 7);
    for (auto _ : state) {
        const Outcome<DriverSelection> outcome = selectDrivers(text, games);
        if (!outcome.ok() || outcome.value().rows.empty())
            state.SkipWithError("the filter matched nothing");
        else
            benchmark::DoNotOptimize(outcome.value().rows[0]);
    }
}
BENCHMARK(BM_DriverFilter)
    ->ArgNames({"games", "words"})
    ->ArgsProduct({bench::kSizes, {3, kMaxFilterWords}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
