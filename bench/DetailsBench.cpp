// SPDX-License-Identifier: GPL-2.0-or-later
// The details view's own timings: the table's order by a column (the
// permutation alone, as sortByColumn makes it from the game list's aligned
// columns) at 39,372 games (0.251's machines) and 1,000,000, by year
// (column=1) and by manufacturer (column=2); and an arrow key in the table to
// the end of the repaint it causes, the pane's new text included, at 39,372
// games with their facts in the store (the snapshot arrives later, from a
// worker, and is not timed). bench/measure.sh runs them in its details part.
#include "BenchWindow.h"

#include "gamelist/ColumnSort.h"

#include <QAbstractItemView>
#include <QLocale>

namespace {

using namespace bench;

// What the game list's columns hold for `count` games of a current MAME, as
// many distinct texts as 0.251 has: 98 years ("198?" among them) and 3,250
// manufacturers, each text a string of its own as the store gives them.
struct Columns {
    explicit Columns(qsizetype count) {
        facts.years.reserve(static_cast<size_t>(count));
        makers.reserve(static_cast<size_t>(count));
        for (qsizetype i = 0; i < count; ++i) {
            facts.years.push_back(i % 23 == 0 ? QStringLiteral("19%1?").arg(7 + i % 3)
                                              : QString::number(1971 + i % 95));
            makers.push_back(QStringLiteral("Maker %1 (licence)").arg(i % 3250));
        }
        facts.statuses.assign(static_cast<size_t>(count), DriverStatus::Good);
        facts.playCounts.assign(static_cast<size_t>(count), 0);
        flags.assign(static_cast<size_t>(count), 0);
    }
    FactColumns facts;
    std::vector<QString> makers;
    GameFlags flags;
};

void BM_SortTableByColumn(benchmark::State& state) {
    const qsizetype count = state.range(0);
    const Columns columns(count);
    const ShownRows shown = ShownRows::all(count);
    const auto column = static_cast<GameColumn>(state.range(1));
    Qt::SortOrder order = Qt::AscendingOrder;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            sortByColumn(shown, column, order, {columns.facts, columns.makers, columns.flags}));
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    }
    state.SetLabel(QLocale().name().toStdString());
}
BENCHMARK(BM_SortTableByColumn)
    ->ArgNames({"games", "column"})
    ->ArgsProduct({{39'372, 1'000'000}, {int(GameColumn::Year), int(GameColumn::Manufacturer)}})
    ->Unit(benchmark::kMillisecond);

// Down and Up in turn, in the middle of the table.
void BM_DetailsArrowKeyToRepaint(benchmark::State& state) {
    App();
    BenchFolder folder(static_cast<int>(state.range(0)), state, "details = True\r\n", true);
    StartedWindow started(state);
    started.form.loadCatalogue();
    auto* table = started.form.findChild<QAbstractItemView*>(QStringLiteral("gameTable"));
    if (!table || !table->isVisible())
        return state.SkipWithError("the details view is not on");
    table->setFocus();
    Settle();
    bool down = true;
    for (auto _ : state) {
        TypeKey(*table, down ? Qt::Key_Down : Qt::Key_Up);
        down = !down;
        Settle();
    }
}
BENCHMARK(BM_DetailsArrowKeyToRepaint)
    ->ArgName("games")
    ->Arg(39'372)
    ->Unit(benchmark::kMillisecond);

} // namespace
