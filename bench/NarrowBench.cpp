// SPDX-License-Identifier: GPL-2.0-or-later
// The narrowing choices and MAME's support files: applying a Manufacturer,
// Year and Category choice, the counts and the dialog that offers them, a
// 3 MB catver.ini read, and a game's history text once the index exists.
#include "BenchWindow.h"
#include "SyntheticGames.h"

#include "catalogue/Catalogue.h"
#include "catalogue/SupportTables.h"
#include "database/CategoryFiles.h"
#include "database/HistoryFile.h"
#include "frontend/SupportFiles.h"
#include "gamelist/NarrowOffer.h"
#include "ui/NarrowDialog.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Facts for `games` as MAME 0.251 spreads them: about 1,500 manufacturers
// (one game in five Namco's or a licence of it), years 1971-2022 with one in
// twenty uncertain, about 300 categories, one game in forty for adults.
struct Facts {
    std::vector<QString> makers;
    std::vector<QString> years;
    CategoryTable categories;
};

const Facts& CachedFacts(const GameTable& games) {
    static std::unique_ptr<Facts> facts;
    if (facts && std::ssize(facts->makers) == std::ssize(games))
        return *facts;
    facts = std::make_unique<Facts>();
    for (size_t i = 0; i < games.size(); ++i) {
        facts->makers.push_back(i % 5 == 0 ? QStringLiteral("Namco")
                                : i % 5 == 1
                                    ? QStringLiteral("Namco (Maker %1 license)").arg(i % 40)
                                    : QStringLiteral("Maker %1").arg(i % 1500));
        facts->years.push_back(i % 20 == 0 ? QStringLiteral("198?")
                                           : QString::number(1971 + int(i % 52)));
        facts->categories.insert(
            games[static_cast<qsizetype>(i)].name(),
            {QStringLiteral("Genre %1 / Sub %2").arg(i % 30).arg(i % 10), i % 40 == 0, QString()});
    }
    return *facts;
}

ShowChoices NamcoEighties(const NarrowColumns& narrow) {
    ShowChoices choices;
    for (const QString& name : narrow.makerNames) {
        if (name.startsWith(QLatin1String("Namco")))
            choices.makers.append(name);
    }
    choices.yearFrom = 1980;
    choices.yearTo = 1989;
    choices.unknownYears = false;
    // Genre 0 is every thirtieth game, Namco's (every fifth) among them.
    for (int sub = 0; sub < 10; ++sub)
        choices.categories.append(QStringLiteral("Genre 0 / Sub %1").arg(sub));
    return choices;
}

// Applying the three choices at once to every game (what GameList does on
// OK of a dialog, the columns made).
void BM_ApplyNarrowing(benchmark::State& state) {
    const GameTable& games = bench::CachedGames(state.range(0));
    const Facts& facts = CachedFacts(games);
    const NarrowColumns narrow = narrowColumns(games, facts.makers, facts.years, facts.categories);
    const GameFlags flags(games.size());
    const ShowChoices choices = NamcoEighties(narrow);
    for (auto _ : state) {
        const ShownRows shown =
            showThrough(ShownRows::all(std::ssize(games)), flags, choices, narrow);
        if (shown.empty())
            return state.SkipWithError("nothing shown");
        benchmark::DoNotOptimize(shown.size());
    }
    state.counters["shown"] = static_cast<double>(
        showThrough(ShownRows::all(std::ssize(games)), flags, choices, narrow).size());
}
BENCHMARK(BM_ApplyNarrowing)
    ->ArgName("games")
    ->Arg(39'372)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

// The columns, made once per change of the table or the categories.
void BM_NarrowColumns(benchmark::State& state) {
    const GameTable& games = bench::CachedGames(state.range(0));
    const Facts& facts = CachedFacts(games);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            narrowColumns(games, facts.makers, facts.years, facts.categories).size());
}
BENCHMARK(BM_NarrowColumns)->ArgName("games")->Arg(39'372)->Unit(benchmark::kMillisecond);

// Opening a dialog: the offer counted and the dialog built and laid out, on
// a list that nothing narrows yet, so that every value is offered (the
// largest dialog). kind: 0 Manufacturer, 1 Year, 2 Category.
void BM_OpenNarrowDialog(benchmark::State& state) {
    bench::App();
    const GameTable& games = bench::CachedGames(39'372);
    const Facts& facts = CachedFacts(games);
    const NarrowColumns narrow = narrowColumns(games, facts.makers, facts.years, facts.categories);
    const auto kind = static_cast<NarrowKind>(state.range(0));
    const ShowChoices choices;
    const GameFlags flags(games.size());
    for (auto _ : state) {
        const ShownRows rows = showThrough(ShownRows::all(std::ssize(games)), flags,
                                           withoutChoice(choices, kind), narrow);
        const NarrowOffer offer{kind, choices, countValues(kind, rows, narrow)};
        NarrowDialog dialog(offer);
        dialog.adjustSize();
        if (offer.values.size() < 2)
            return state.SkipWithError("nothing to offer");
        benchmark::DoNotOptimize(dialog.total());
        state.counters["values"] = static_cast<double>(offer.values.size());
    }
}
BENCHMARK(BM_OpenNarrowDialog)->ArgName("kind")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// A catver.ini of 3 MB, read and parsed (off the GUI thread in the program).
void BM_ReadCatver3MB(benchmark::State& state) {
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("catver.ini"));
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(";; CatVer ;;\n[Category]\n");
        for (int n = 1; file.size() < 2'700'000; ++n)
            file.write(QStringLiteral("set%1=Genre %2 / Subgenre %3%4\n")
                           .arg(n - 1)
                           .arg(n % 30)
                           .arg(n % 10)
                           .arg(n % 40 == 0 ? QStringLiteral(" * Mature *") : QString())
                           .toUtf8());
        file.write("[VerAdded]\n");
        for (int i = 0; file.size() < 3'000'000; ++i)
            file.write(QStringLiteral("set%1=.%2\n").arg(i).arg(i % 250).toUtf8());
    }
    const std::vector<FileStamp> files = {stampOf(QFileInfo(path))};
    for (auto _ : state) {
        const CategoryTable table = readCategoryFiles(files);
        if (table.isEmpty())
            state.SkipWithError("nothing read");
        benchmark::DoNotOptimize(table.size());
    }
    state.counters["bytes"] = static_cast<double>(files[0].size);
}
BENCHMARK(BM_ReadCatver3MB)->Unit(benchmark::kMillisecond);

// A history.xml of about 40 MB (40,000 entries): indexing it, and one game's
// text on selection once the store holds the index.
class HistoryFixture {
  public:
    HistoryFixture() {
        m_path = m_dir.filePath(QStringLiteral("history.xml"));
        QFile file(m_path);
        file.open(QIODevice::WriteOnly);
        file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<history>\n");
        const QByteArray body = QByteArray("A line of history &amp; trivia. ").repeated(30);
        for (int i = 0; i < 40'000; ++i)
            file.write("\t<entry>\n\t\t<systems>\n\t\t\t<system name=\"set" +
                       QByteArray::number(i) + "\" />\n\t\t</systems>\n\t\t<text>\n" + body +
                       "\n\n- TECHNICAL -\n\n" + body + "\n\t\t</text>\n\t</entry>\n");
        file.write("</history>\n");
    }
    const QString& path() const { return m_path; }
    QString store() const { return m_dir.filePath(QStringLiteral("coinslot.sqlite")); }

  private:
    QTemporaryDir m_dir;
    QString m_path;
};

void BM_IndexHistory(benchmark::State& state) {
    const HistoryFixture history;
    for (auto _ : state)
        benchmark::DoNotOptimize(indexHistoryFile(history.path())->size());
    state.counters["bytes"] = static_cast<double>(QFileInfo(history.path()).size());
}
BENCHMARK(BM_IndexHistory)->Unit(benchmark::kMillisecond);

void BM_HistoryTextOnSelection(benchmark::State& state) {
    const HistoryFixture history;
    Catalogue catalogue(history.store());
    if (!catalogue.open().ok() ||
        !refreshSupportFiles(history.store(), {}, {QFileInfo(history.path()).path()}, true)
             .failure.isEmpty())
        return state.SkipWithError("no store");
    int i = 0;
    for (auto _ : state) {
        const std::optional<QString> text =
            historyText(catalogue, QStringLiteral("set%1").arg(i++ * 7919 % 40'000), QString());
        if (!text)
            return state.SkipWithError("no text");
        benchmark::DoNotOptimize(text->size());
    }
}
BENCHMARK(BM_HistoryTextOnSelection)->Unit(benchmark::kMicrosecond);

} // namespace
