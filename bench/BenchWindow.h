// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// What the window benchmarks share: an offscreen application, a seam that
// answers nothing, a working folder with settings and a database, and one
// paint of the whole window.

#include "SilentSeam.h"
#include "SyntheticGames.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueChange.h"
#include "database/DatabaseFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace bench {

inline QApplication& App() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "coinslot";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// A working folder with a MAME, the settings (`extraSettings` added), a
// database of `games` games and, with `store`, a coinslot.sqlite holding
// their machine facts.
class BenchFolder {
  public:
    BenchFolder(int games, benchmark::State& state, const QByteArray& extraSettings = {},
                bool store = false)
        : m_previous(QDir::currentPath()) {
        QDir::setCurrent(m_dir.path());
        QFile mame("mame");
        mame.open(QIODevice::WriteOnly);
        mame.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile ini("coinslot.ini");
        ini.open(QIODevice::WriteOnly);
        ini.write("mameexe = mame\r\nlastgame = " + QByteArray::number(games / 10) + "\r\n" +
                  extraSettings);
        ini.close();
        const GameTable& table = CachedGames(games);
        if (!writeDatabase("coinslot.dat", table).ok())
            state.SkipWithError("cannot write the database");
        if (store) {
            Catalogue catalogue("coinslot.sqlite");
            (void)catalogue.open();
            const MachineFactsTable facts = SyntheticFacts(table);
            CatalogueChange change("coinslot.sqlite");
            change.replaceMachines(facts, machineListOf(table, facts));
            if (!change.commit(stampOf("coinslot.dat")).ok())
                state.SkipWithError("cannot write the store");
        }
    }
    ~BenchFolder() { QDir::setCurrent(m_previous); }

  private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// Paints the whole window once, the list's visible rows included.
inline void PaintOnce(QWidget& window) {
    benchmark::DoNotOptimize(window.grab().cacheKey());
}

} // namespace bench
