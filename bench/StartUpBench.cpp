// The window's own timings at each table size of bench::kSizes: the database
// read into a shown window (one list reset and one paint included), and the
// whole start-up of a new window from the settings and database files to its
// first paint, with no Show choice (choices=0: the store is read after that
// paint) and, at 39,372 games (0.251's machines), with choices that hide games
// (choices=1: the store is read before it). The seam answers nothing; no
// dialog opens.
#include "BenchWindow.h"

#include "app/StartUp.h"
#include "frontend/FrontEnd.h"
#include "ui/MainWindow.h"

namespace {

using namespace bench;

void BM_LoadAndShow(benchmark::State& state) {
    App();
    const int games = static_cast<int>(state.range(0));
    BenchFolder folder(games, state);
    SilentSeam seam;
    MameRunner runner;
    FrontEnd frontEnd(runner);
    frontEnd.setProgramName("coinslot");
    Settings settings;
    settings.lastGame = games / 2;
    frontEnd.configure(settings);
    MainWindow form(frontEnd, seam);
    form.show();
    for (auto _ : state) {
        if (!frontEnd.loadDatabase().ok())
            state.SkipWithError("the database did not load");
        PaintOnce(form);
    }
}
BENCHMARK(BM_LoadAndShow)
    ->ArgName("games")
    ->ArgsProduct({bench::kSizes})
    ->Unit(benchmark::kMillisecond);

void BM_StartUp(benchmark::State& state) {
    App();
    const bool choices = state.range(1) != 0;
    BenchFolder folder(static_cast<int>(state.range(0)), state,
                       choices ? "showclones = False\r\nshownotworking = False\r\n" : "", choices);
    SilentSeam seam;
    MameRunner runner;
    for (auto _ : state) {
        auto frontEnd = std::make_unique<FrontEnd>(runner);
        auto form = std::make_unique<MainWindow>(*frontEnd, seam);
        if (!startUp(*form, *frontEnd, seam, "coinslot"))
            state.SkipWithError("the start-up failed");
        form->show();
        PaintOnce(*form);
        // Not timed: the program's end, which closes the store.
        state.PauseTiming();
        if (choices &&
            frontEnd->games().shownRows().size() == std::ssize(frontEnd->games().games()))
            state.SkipWithError("the choices hid nothing");
        form.reset();
        frontEnd.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUp)
    ->ArgNames({"games", "choices"})
    ->ArgsProduct({bench::kSizes, {0}})
    ->Args({39'372, 0})
    ->Args({39'372, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace
