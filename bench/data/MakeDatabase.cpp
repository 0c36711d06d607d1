// SPDX-License-Identifier: GPL-2.0-or-later
// Writes the databases the start-up and list measurements read:
//
//   coinslot_benchdata synthetic COUNT FILE   COUNT made-up games (bench/SyntheticGames.h)
//   coinslot_benchdata listxml FILE [STORE]   the games of the -listxml document on
//                                             standard input, as List builds them, and
//                                             with STORE their facts in that store
#include "../SyntheticGames.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueChange.h"
#include "database/DatabaseFile.h"
#include "database/ListXmlImport.h"
#include "database/MachineList.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // for Qt SQL
    Outcome<GameTable> games =
        Failure{QStringLiteral("usage: coinslot_benchdata "
                               "synthetic COUNT FILE | listxml FILE [STORE]")};
    QString file, store;
    MachineFactsTable facts;
    if (argc == 4 && std::strcmp(argv[1], "synthetic") == 0) {
        games = bench::SyntheticGames(std::atoi(argv[2]));
        file = QString::fromLocal8Bit(argv[3]);
    } else if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "listxml") == 0) {
        QFile in;
        ListXmlReader reader;
        if (in.open(stdin, QIODevice::ReadOnly)) {
            while (!in.atEnd())
                reader.addData(in.read(1 << 20));
            games = reader.finish(false);
        }
        if (games.ok())
            facts = reader.takeFacts();
        file = QString::fromLocal8Bit(argv[2]);
        store = argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString();
    }
    if (games.ok()) {
        if (const Outcome<Done> written = writeDatabase(file, games.value()); !written.ok())
            games = written.why();
    }
    if (games.ok() && !store.isEmpty()) {
        Catalogue catalogue(store);
        Outcome<Done> kept = Done{};
        if (const auto opened = catalogue.open(); !opened.ok())
            kept = opened.why();
        else {
            CatalogueChange change(store);
            change.replaceMachines(facts, machineListOf(games.value(), facts));
            kept = change.commit(stampOf(file));
        }
        if (!kept.ok())
            games = kept.why();
    }
    if (!games.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(games.failure()));
        return 1;
    }
    std::printf("%s: %lld games\n", qPrintable(file), static_cast<long long>(games.value().size()));
    return 0;
}
