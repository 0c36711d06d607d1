// Timings of the game list on 10,001 shown games.
#include "SyntheticGames.h"

#include "gamelist/DriverFilter.h"
#include "gamelist/GameSearch.h"

#include <QLocale>
#include <benchmark/benchmark.h>

namespace {

// One keystroke whose search matches nothing, so every game is compared.
// Arg 0: a text that differs from every description at its first letter;
// arg 1: a text that shares a long prefix with the first game's description.
void BM_SearchNoMatch(benchmark::State& state) {
    const GameTable shown = bench::SyntheticGames();
    const CaseInsensitiveCompare compare;
    state.SetLabel(QLocale().name().toStdString());
    const QString text =
        state.range(0) == 0 ? QStringLiteral("xylophone") : shown.front().strDescription + u'~';
    for (auto _ : state) {
        const qsizetype found = SearchGames(shown, text, compare);
        if (found != -1)
            state.SkipWithError("the search matched");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_SearchNoMatch)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_SearchShortName(benchmark::State& state) {
    const GameTable shown = bench::SyntheticGames();
    const CaseInsensitiveCompare compare;
    const QString text = QStringLiteral("[nosuchname]");
    for (auto _ : state)
        benchmark::DoNotOptimize(SearchGames(shown, text, compare));
}
BENCHMARK(BM_SearchShortName)->Unit(benchmark::kMicrosecond);

// Arg 0: three drivers named; arg 1: the full 256 words, most matching nothing.
void BM_DriverFilter(benchmark::State& state) {
    const GameTable games = bench::SyntheticGames();
    QString text = QStringLiteral("DRV12  drv300 drv7");
    if (state.range(0) == 1) {
        for (int i = 3; i < kMaxFilterWords; ++i)
            text += QStringLiteral(" drv%1").arg(i * 7);
    }
    for (auto _ : state) {
        const FilterOutcome outcome = ApplyDriverFilter(text, games);
        if (outcome.result != FilterResult::Shown)
            state.SkipWithError("the filter matched nothing");
        benchmark::DoNotOptimize(outcome.shown.data());
    }
}
BENCHMARK(BM_DriverFilter)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
