// SPDX-License-Identifier: GPL-2.0-or-later
// The catalogue's timings: a Show choice or a favourite toggled through the
// list's menu in a shown window (the list reset and one paint included), at
// 39,372 games (0.251's machines; the target is one frame, 16 ms) and at
// 1,000,000 (the target is 100 ms); and the catalogue's read at start-up, its
// write at the end of a List and the check of the whole file after its
// opening, at 39,372 machines.
#include "BenchWindow.h"

#include "catalogue/CatalogueRescue.h"
#include "frontend/FrontEnd.h"
#include "ui/MainWindow.h"

#include <QAction>

namespace {

using namespace bench;

const std::vector<int64_t> kToggleSizes = {39'372, 1'000'000};

// A shown window over `games` games with their machine facts.
struct ShownWindow {
    explicit ShownWindow(int games, benchmark::State& state) : folder(games, state) {
        frontEnd.setProgramName("coinslot");
        frontEnd.configure({});
        if (!frontEnd.loadDatabase().ok() || !frontEnd.loadCatalogue().ok())
            state.SkipWithError("the database or the catalogue did not load");
        const GameTable& table = frontEnd.games().games();
        const MachineFactsTable facts = SyntheticFacts(table);
        frontEnd.games().setCatalogue(machineListOf(table, facts), {});
        window.show();
        PaintOnce(window);
    }
    QAction* item(const char* name) { return window.findChild<QAction*>(name); }

    QApplication& app = App(); // before any widget
    BenchFolder folder;
    SilentSeam seam;
    MameRunner runner;
    FrontEnd frontEnd{runner};
    MainWindow window{frontEnd, seam};
};

// Each iteration hides or shows again the clones (a third of the games).
void BM_ToggleShowChoice(benchmark::State& state) {
    ShownWindow shown(static_cast<int>(state.range(0)), state);
    QAction* clones = shown.item("showClonesItem");
    for (auto _ : state) {
        clones->trigger();
        PaintOnce(shown.window);
    }
    if (shown.frontEnd.games().showChoices().clones == (state.iterations() % 2 != 0))
        state.SkipWithError("the choice did not change");
}
BENCHMARK(BM_ToggleShowChoice)
    ->ArgName("games")
    ->ArgsProduct({kToggleSizes})
    ->Unit(benchmark::kMillisecond);

// Each iteration marks or unmarks the selected game, written to the catalogue;
// hidden=1 with the clones and the machines that do not work hidden.
void BM_ToggleFavourite(benchmark::State& state) {
    ShownWindow shown(static_cast<int>(state.range(0)), state);
    if (state.range(1) != 0)
        shown.frontEnd.applyShowChoices({false, false, true, true, false});
    QAction* favourite = shown.item("favouriteItem");
    for (auto _ : state) {
        favourite->trigger();
        PaintOnce(shown.window);
    }
    if (!favourite->isChecked() && state.iterations() % 2 != 0)
        state.SkipWithError("the favourite did not change");
}
BENCHMARK(BM_ToggleFavourite)
    ->ArgNames({"games", "hidden"})
    ->ArgsProduct({kToggleSizes, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// Start-up's read of the catalogue: its summaries and favourites.
void BM_ReadCatalogue(benchmark::State& state) {
    BenchFolder folder(static_cast<int>(state.range(0)), state, {}, true);
    for (auto _ : state) {
        Catalogue catalogue("coinslot.sqlite");
        const Outcome<CatalogueContents> contents = catalogue.open();
        if (!contents.ok() || contents.value().machines.size() != state.range(0))
            state.SkipWithError("the catalogue did not read");
    }
}
BENCHMARK(BM_ReadCatalogue)->ArgName("games")->Arg(39'372)->Unit(benchmark::kMillisecond);

// List's write of the machine facts into the catalogue, on its worker.
void BM_WriteMachines(benchmark::State& state) {
    BenchFolder folder(static_cast<int>(state.range(0)), state, {}, true);
    const GameTable& games = CachedGames(static_cast<int>(state.range(0)));
    const MachineFactsTable facts = SyntheticFacts(games);
    const MachineList list = machineListOf(games, facts);
    for (auto _ : state) {
        CatalogueChange change("coinslot.sqlite");
        change.replaceMachines(facts, list);
        if (!change.commit(stampOf("coinslot.dat")).ok())
            state.SkipWithError("the catalogue was not written");
    }
}
BENCHMARK(BM_WriteMachines)->ArgName("games")->Arg(39'372)->Unit(benchmark::kMillisecond);

// The check of the whole store once it is open (PRAGMA quick_check), which
// runs on the store's own thread, after the first paint.
void BM_CheckStore(benchmark::State& state) {
    BenchFolder folder(static_cast<int>(state.range(0)), state, {}, true);
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "check");
    database.setDatabaseName(QStringLiteral("coinslot.sqlite"));
    database.open();
    for (auto _ : state) {
        if (!checkStore(database).isEmpty())
            state.SkipWithError("the store is not whole");
    }
    database.close();
    database = {};
    QSqlDatabase::removeDatabase("check");
}
BENCHMARK(BM_CheckStore)->ArgName("games")->Arg(39'372)->Unit(benchmark::kMillisecond);

} // namespace
