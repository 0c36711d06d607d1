// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// What the window benchmarks share: an offscreen application, a seam that
// answers nothing, a working folder with settings and a database, and one
// paint of the whole window.

#include "SilentSeam.h"
#include "SyntheticGames.h"

#include "app/StartUp.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueChange.h"
#include "database/DatabaseFile.h"
#include "frontend/FrontEnd.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace bench {

// Made once and never destroyed: at the process's end Qt SQL's own statics
// are gone before an application object would be, and its clean-up would
// touch them.
inline QApplication& App() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "coinslot";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// A working folder with a MAME, the settings (`extraSettings` added), a
// database of `games` games and, with `catalogue`, a coinslot.sqlite holding
// their machine facts.
class BenchFolder {
  public:
    BenchFolder(int games, benchmark::State& state, const QByteArray& extraSettings = {},
                bool catalogue = false)
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
        if (catalogue) {
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

// A window started from the working folder's files as the program starts
// it, and shown.
struct StartedWindow {
    explicit StartedWindow(benchmark::State& state) {
        if (!startUp(form, frontEnd, seam, "coinslot"))
            state.SkipWithError("the start-up failed");
        form.show();
    }
    SilentSeam seam;
    MameRunner runner;
    FrontEnd frontEnd{runner};
    MainWindow form{frontEnd, seam};
};

// Delivers everything pending, the repaints included.
inline void Settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// A key pressed and released on `widget`, as the keyboard sends it.
inline void TypeKey(QWidget& widget, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &press);
    QApplication::sendEvent(&widget, &release);
}

} // namespace bench
