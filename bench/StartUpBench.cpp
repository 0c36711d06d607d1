// SPDX-License-Identifier: GPL-2.0-or-later
// The window's own timings at each table size of bench::kSizes, inside one
// warm process (offscreen): the database read into a shown window (one list
// reset and one paint included); a new window's start-up from the settings
// and database files to its first paint, its tear-down not timed, with no
// Show choice (choices=0: the catalogue is read after that paint) and, at 39,372
// games (0.251's machines), with choices that hide games (choices=1: the
// catalogue is read before it); and a keystroke in the search box to the end of
// the repaint it causes. The seam answers nothing; no dialog opens. What a
// user waits for from the program's start, a whole cold process, is measured
// by bench/measure.sh against a bare Qt floor; these figures are for finding
// where the time goes.
#include "BenchWindow.h"

#include "app/StartUp.h"
#include "frontend/FrontEnd.h"
#include "ui/MainWindow.h"

#include <QLineEdit>

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

void BM_WarmWindowStartUp(benchmark::State& state) {
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
        // Not timed: the program's end, which closes the catalogue.
        state.PauseTiming();
        if (choices &&
            frontEnd->games().shownRows().size() == std::ssize(frontEnd->games().games()))
            state.SkipWithError("the choices hid nothing");
        form.reset();
        frontEnd.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WarmWindowStartUp)
    ->ArgNames({"games", "choices"})
    ->ArgsProduct({bench::kSizes, {0}})
    ->Args({39'372, 0})
    ->Args({39'372, 1})
    ->Unit(benchmark::kMillisecond);

// A keystroke in the search box to the end of its repaint, under the
// environment's locale as the program uses it. match=0: typing "q" after
// "qqq" and then Backspace, searches that find nothing, so every game is
// compared; match=1: typing "M" into an empty box and then Backspace, each
// of which selects a game and scrolls the list to it.
void BM_SearchKeystrokeToRepaint(benchmark::State& state) {
    App();
    BenchFolder folder(static_cast<int>(state.range(0)), state);
    StartedWindow started(state);
    auto* box = started.form.findChild<QLineEdit*>(QStringLiteral("searchBox"));
    const bool match = state.range(1) != 0;
    box->setText(match ? QString() : QStringLiteral("qqq"));
    Settle();
    for (auto _ : state) {
        if (box->text().size() == (match ? 0 : 3))
            TypeKey(*box, match ? Qt::Key_M : Qt::Key_Q, match ? "M" : "q");
        else
            TypeKey(*box, Qt::Key_Backspace, QString());
        Settle();
    }
    state.SetLabel(QLocale().name().toStdString());
}
BENCHMARK(BM_SearchKeystrokeToRepaint)
    ->ArgNames({"games", "match"})
    ->ArgsProduct({bench::kSizes, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
