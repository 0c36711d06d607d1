// SPDX-License-Identifier: GPL-2.0-or-later
// Writes the databases the start-up and list measurements read:
//
//   coinslot_benchdata synthetic COUNT FILE   COUNT made-up games (bench/SyntheticGames.h)
//   coinslot_benchdata listxml FILE           the games of the -listxml document on
//                                             standard input, as List builds them
#include "../SyntheticGames.h"

#include "database/DatabaseFile.h"
#include "database/ListXmlImport.h"

#include <QFile>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    Outcome<GameTable> games = Failure{QStringLiteral("usage: coinslot_benchdata "
                                                      "synthetic COUNT FILE | listxml FILE")};
    QString file;
    if (argc == 4 && std::strcmp(argv[1], "synthetic") == 0) {
        games = bench::SyntheticGames(std::atoi(argv[2]));
        file = QString::fromLocal8Bit(argv[3]);
    } else if (argc == 3 && std::strcmp(argv[1], "listxml") == 0) {
        QFile in;
        if (in.open(stdin, QIODevice::ReadOnly))
            games = importListXml(in, false);
        file = QString::fromLocal8Bit(argv[2]);
    }
    if (games.ok()) {
        if (const Outcome<Done> written = writeDatabase(file, games.value()); !written.ok())
            games = written.why();
    }
    if (!games.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(games.failure()));
        return 1;
    }
    std::printf("%s: %lld games\n", qPrintable(file), static_cast<long long>(games.value().size()));
    return 0;
}
