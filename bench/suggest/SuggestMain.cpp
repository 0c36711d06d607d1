// SPDX-License-Identifier: GPL-2.0-or-later
// The search suggestions on a real or made-up list, outside the window: how
// long the index takes to make, and for each query its first suggestions and
// the time they took (CPU time of the ranking alone).
//
//   coinslot_suggest LISTXML|COUNT [QUERY...]
//
// LISTXML is a file of a current MAME's -listxml (the facts come with it);
// COUNT makes that many games of bench/SyntheticGames.h with their made-up
// facts. Without queries, the table of the suggestions' specification and a
// few more are run.
#include "../SyntheticGames.h"

#include "database/ListXmlImport.h"
#include "database/MachineList.h"
#include "gamelist/SuggestionRanking.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <ctime>

namespace {

double cpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

const char* matchName(SuggestionMatch match) {
    static const char* const names[] = {"set name",    "title", "compact title", "start",
                                        "word starts", "words", "title typo",    "word typos"};
    return names[static_cast<int>(match)];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: coinslot_suggest LISTXML|COUNT [QUERY...]\n");
        return 2;
    }
    GameTable games;
    MachineFactsTable facts;
    const QString what = QString::fromLocal8Bit(argv[1]);
    bool isCount = false;
    const int count = what.toInt(&isCount);
    if (isCount) {
        games = bench::SyntheticGames(count);
        facts = bench::SyntheticFacts(games);
    } else {
        QFile file(what);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", argv[1]);
            return 1;
        }
        ListXmlReader reader;
        while (!file.atEnd())
            reader.addData(file.read(1 << 20));
        Outcome<GameTable> read = reader.finish(false);
        if (!read.ok()) {
            std::fprintf(stderr, "%s\n", qPrintable(read.failure()));
            return 1;
        }
        games = std::move(read).value();
        facts = reader.takeFacts();
    }
    const MachineList list = machineListOf(games, facts);
    const GameFacts aligned = alignFacts(games, list, {});
    MachineColumns machines;
    for (const MachineFacts& machine : facts) {
        machines.names.push_back(machine.name);
        machines.years.push_back(machine.year);
        machines.statuses.push_back(machine.status);
        machines.players.push_back(static_cast<quint8>(machine.players));
        machines.coins.push_back(static_cast<quint8>(machine.coins));
    }
    double start = cpuMilliseconds();
    SuggestionSource source =
        suggestionSource(games, aligned, alignedManufacturers(aligned, list, std::ssize(games)),
                         alignColumns(games, machines, {}));
    const double sourced = cpuMilliseconds() - start;
    start = cpuMilliseconds();
    const SuggestionIndex index = buildSuggestionIndex(std::move(source));
    std::printf("%zu games: source %.1f ms, index %.1f ms (%lld words, %lld titles)\n",
                games.size(), sourced, cpuMilliseconds() - start,
                static_cast<long long>(index.words.size()),
                static_cast<long long>(index.titles.size()));

    QStringList queries;
    for (int i = 2; i < argc; ++i)
        queries.append(QString::fromLocal8Bit(argv[i]));
    if (queries.isEmpty())
        queries = {"pacman",     "pac-man",           "galaga",  "galagga",       "donkey kong",
                   "donky kong", "street fighter ii", "rally-x", "puzzle bobble", "metal slug"};
    const ShownRows all = ShownRows::all(std::ssize(games));
    for (const QString& query : queries) {
        start = cpuMilliseconds();
        const auto ranked = rankSuggestions(index, query, all, {}, 10);
        const double spent = cpuMilliseconds() - start;
        std::printf("\n%s  (%.2f ms)\n", qPrintable(query), spent);
        for (const RankedGame& game : ranked.value()) {
            const auto at = static_cast<size_t>(game.position);
            std::printf(
                "  %-13s %d  %s [%s]  %s %s\n", matchName(game.match), game.typos,
                qPrintable(index.source.descriptions[at]), qPrintable(index.source.names[at]),
                at < index.source.years.size() ? qPrintable(index.source.years[at]) : "",
                at < index.source.manufacturers.size() ? qPrintable(index.source.manufacturers[at])
                                                       : "");
        }
    }
    return 0;
}
