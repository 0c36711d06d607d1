// SPDX-License-Identifier: GPL-2.0-or-later
// Start-up and shutdown through the settings and database files.
#include "app/StartUp.h"
#include "FakeMame.h"
#include "ScriptedSeam.h"
#include "catalogue/Catalogue.h"
#include "frontend/FrontEnd.h"
#include "ui/GameListView.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QPushButton>
#include <memory>
#include <sys/time.h>

namespace {

QString value(const QByteArray& ini, const QString& key) {
    for (const QByteArray& line : ini.split('\n')) {
        const QString text = QString::fromLatin1(line).remove('\r');
        if (text.startsWith(key + " = "))
            return text.mid(key.size() + 3);
    }
    return "<absent>";
}

class StartUp : public ::testing::Test {
  protected:
    bool start() {
        window.reset();
        frontEnd = std::make_unique<FrontEnd>(runner);
        window = std::make_unique<MainWindow>(*frontEnd, seam);
        QObject::connect(window.get(), &MainWindow::closing,
                         [this] { shutDown(*window, *frontEnd, seam); });
        seam.messages.clear();
        return startUp(*window, *frontEnd, seam, "Coinslot.exe");
    }
    // Ends the run the way the close box does.
    void quit() {
        window->show();
        window->close();
    }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }
    GameListView* gameList() { return window->findChild<GameListView*>("gameList"); }
    QString onlyMessage() const {
        return seam.messages.size() == 1 ? seam.messages[0].text : "<not one message>";
    }

    FakeMameFolder folder;
    ScriptedSeam seam;
    MameRunner runner;
    std::unique_ptr<FrontEnd> frontEnd;
    std::unique_ptr<MainWindow> window;
};

const QByteArray kGoodIni = "mameexe = mame\r\n";

} // namespace

TEST_F(StartUp, FirstStartAsksForMameAndWritesSixteenSettingsOrEndsOnCancel) {
    writeAll("notes.txt", "not a program");
    seam.fileAnswers = {folder.filePath("notes.txt"), folder.path() + "/mame"};
    folder.set("PATH", folder.path()); // its "mame" is offered, chosen in the dialog
    ASSERT_TRUE(start());
    EXPECT_EQ(seam.fileTitles, std::vector<QString>(2, "Select MAME executable"));
    EXPECT_EQ(seam.fileFolders.front(), folder.filePath("mame"));
    EXPECT_EQ(onlyMessage(), folder.filePath("notes.txt") + " is not an executable file.");
    EXPECT_EQ(seam.messages[0].title, "Load");
    EXPECT_EQ(frontEnd->mame().executable(), "mame");
    EXPECT_FALSE(button("playButton")->isEnabled());

    quit();
    const QByteArray ini = readAll("coinslot.ini");
    QStringList keys;
    for (const QByteArray& line : ini.split('\n'))
        if (!line.isEmpty())
            keys.append(QString::fromLatin1(line.left(line.indexOf(" = "))));
    EXPECT_EQ(keys,
              QStringList({"left", "top", "width", "height", "windowstate", "fontname", "fontsize",
                           "fontbold", "fontitalic", "lastgame", "mameexe", "commandlineoptions",
                           "filter", "hideconsole", "noshortcuts", "caseinsensitive"}));
    EXPECT_TRUE(ini.endsWith("caseinsensitive = False\r\n"));
    EXPECT_EQ(value(ini, "lastgame"), "-1");
    EXPECT_EQ(value(ini, "mameexe"), "mame");

    // Cancelled, the dialog ends the start without touching the settings.
    const QByteArray gone = "mameexe = gone\r\nleft = 15\r\n";
    writeAll("coinslot.ini", gone);
    ASSERT_FALSE(start());                 // no answer prepared: Cancel
    EXPECT_EQ(seam.fileTitles.size(), 3u); // the saved executable no longer exists
    EXPECT_EQ(onlyMessage(), "Load failed, executable required.");
    EXPECT_EQ(readAll("coinslot.ini"), gone);
}

TEST_F(StartUp, ABrokenSettingOrDatabaseFailsTheStartAndOnlyItsFileIsMovedAside) {
    // The message's second line says where the file went, which holds it whole.
    const auto expectMovedAside = [this](const QString& file, const QByteArray& bytes) {
        const QString reset = file.endsWith(".ini") ? "options" : "database";
        const QString start = "Load failed, " + reset + " reset.\nThe old file was moved to " +
                              folder.filePath(file) + ".broken-";
        const QString text = onlyMessage();
        EXPECT_TRUE(text.startsWith(start) && text.endsWith('.')) << text;
        EXPECT_EQ(readAll(text.mid(text.indexOf(" to ") + 4).chopped(1)), bytes) << text;
        EXPECT_FALSE(QFile::exists(file));
    };
    for (const char* line : {"left = word", "windowstate = 3", "width = -15", "fontsize = 1e-300",
                             "width = 600000\r\nheight = 600000", "top = 2147483647"}) {
        writeAll("coinslot.dat", "Game|g||drv\r\n");
        writeAll("coinslot.ini", kGoodIni + line + "\r\n");
        EXPECT_FALSE(start()) << line;
        expectMovedAside("coinslot.ini", kGoodIni + line + "\r\n");
        EXPECT_EQ(readAll("coinslot.dat"), "Game|g||drv\r\n");
    }
    const QByteArray ini = kGoodIni + "left = 15\r\n";
    for (const QByteArray dat : {"", "Game|g|drv\r\n"}) {
        writeAll("coinslot.ini", ini);
        writeAll("coinslot.dat", dat);
        EXPECT_FALSE(start());
        expectMovedAside("coinslot.dat", dat);
        EXPECT_EQ(readAll("coinslot.ini"), ini);
    }
    ASSERT_TRUE(start()); // the next start has no database
    EXPECT_FALSE(button("playButton")->isEnabled());
}

TEST_F(StartUp, WhatKilledWritesLeftBesideTheProgramsFilesIsRemovedAndNothingElse) {
    writeAll("coinslot.ini", kGoodIni);
    const QStringList left = {"coinslot.ini.0badc0de", "coinslot.dat.12345678",
                              "coinslot-audit.txt.9abcdef0", "coinslot-changes.txt.5eed1234"};
    // The last is being written by the front end that runs now.
    const QStringList kept = {"coinslot-audit.txt.notahex0", "coinslot-audit.txt.0123456",
                              "other.txt.0badc0de", "coinslot-audit.txt.fe5f0000"};
    for (const QString& name : left + kept) {
        writeAll(name, "partial");
        const time_t when = time(nullptr) + (name.endsWith("fe5f0000") ? 60 : -3600);
        const timeval times[2] = {{when, 0}, {when, 0}};
        ASSERT_EQ(utimes(name.toLatin1().constData(), times), 0);
    }
    ASSERT_TRUE(start());
    for (const QString& name : left)
        EXPECT_FALSE(QFile::exists(name)) << name.toStdString();
    for (const QString& name : kept)
        EXPECT_TRUE(QFile::exists(name)) << name.toStdString();
}

TEST_F(StartUp, SettingsTheFilterAndTheGameAreAppliedAndWrittenBackSoTheyLoadAgain) {
    writeAll("coinslot.dat", "A|a||cps1\r\nB|b|a|neogeo\r\nC|c||cps1\r\n");
    writeAll("coinslot.ini", "left = 1200\ntop = 900\nwidth = 7500\nheight = 4800\nfontsize = 12\n"
                             "fontbold = true\nfontitalic = 1\nmameexe = mame\nfilter = cps1\n"
                             "lastgame = 1\ncommandlineoptions = -window\nnoshortcuts = True\n");
    ASSERT_TRUE(start());
    EXPECT_TRUE(seam.fileTitles.empty());
    EXPECT_EQ(gameList()->model()->rowCount(), 2);
    EXPECT_EQ(window->windowTitle(), "MAME: C [c]");
    EXPECT_EQ(window->geometry().topLeft(), QPoint(80, 60)); // 15 twips a pixel here
    EXPECT_EQ(window->size(), QSize(500, 320));
    EXPECT_EQ(gameList()->font().pointSizeF(), 12.0);
    EXPECT_TRUE(gameList()->font().bold() && gameList()->font().italic());
    EXPECT_EQ(frontEnd->playOptions(), "-window");
    EXPECT_EQ(button("playButton")->text(), "Play");

    quit();
    const QByteArray ini = readAll("coinslot.ini");
    EXPECT_EQ(ini.count('\n'), 16);
    for (const auto& [key, expected] :
         {std::pair{"left", "1200"}, {"width", "7500"}, {"fontsize", "12"}, {"fontbold", "True"}})
        EXPECT_EQ(value(ini, key), expected) << key;
    ASSERT_TRUE(start());
    quit();
    EXPECT_EQ(readAll("coinslot.ini"), ini);
}

TEST_F(StartUp, AMaximisedOrMinimisedCloseSavesTheNormalRectangleAndTheState) {
    writeAll("coinslot.ini", "mameexe = mame\r\nleft = 1500\r\ntop = 1500\r\n");
    ASSERT_TRUE(start());
    window->show();
    const QRect normal = window->geometry();
    window->showMaximized();
    QCoreApplication::processEvents();
    ASSERT_NE(window->geometry(), normal); // the offscreen screen is larger than the window
    quit();
    QByteArray ini = readAll("coinslot.ini");
    EXPECT_EQ(value(ini, "windowstate"), "2");
    EXPECT_EQ(value(ini, "left"), "1500");
    EXPECT_EQ(value(ini, "width"), QString::number(normal.width() * 15));
    ASSERT_TRUE(start());
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);

    window->show();
    window->setWindowState(Qt::WindowMinimized);
    quit();
    EXPECT_EQ(value(readAll("coinslot.ini"), "windowstate"), "1");
    EXPECT_EQ(value(readAll("coinslot.ini"), "left"), "1500");
    ASSERT_TRUE(start());
    EXPECT_TRUE(window->windowState() & Qt::WindowMinimized);
}

TEST_F(StartUp, AnExecutableElsewhereIsKeptByItsPathAndAFailedSaveIsTold) {
    QTemporaryDir elsewhere;
    const QString exe = elsewhere.filePath("it's my mame");
    ASSERT_TRUE(QFile::copy(QStringLiteral(COINSLOT_FAKEMAME), exe));
    seam.fileAnswers = {exe};
    ASSERT_TRUE(start());
    EXPECT_EQ(frontEnd->mame().playCommandPrefix(), "'" + elsewhere.path() + "/it'\\''s my mame'");
    quit();
    EXPECT_EQ(value(readAll("coinslot.ini"), "mameexe"), exe);
    ASSERT_TRUE(start()); // found again without asking
    EXPECT_EQ(seam.fileTitles.size(), 1u);

    QFile::remove("coinslot.ini");
    QDir().mkdir("coinslot.ini"); // a folder in the way: the file cannot be replaced
    quit();
    EXPECT_TRUE(onlyMessage().startsWith("The settings could not be saved to coinslot.ini: "));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(StartUp, SavedShowChoicesReadTheCatalogueFirstAndADamagedOneIsMovedAsideWithAWord) {
    writeAll("coinslot.ini", kGoodIni + "lastgame = 1\r\nfavouritesonly = True\r\n");
    writeAll("coinslot.dat", kSevenGames);
    {
        Catalogue catalogue("coinslot.sqlite");
        (void)catalogue.open();
        ASSERT_TRUE(catalogue.setFavourite("mslug", true).ok() &&
                    catalogue.setFavourite("sfa", true).ok());
    }
    ASSERT_TRUE(start());
    EXPECT_TRUE(seam.messages.empty());
    // The favourites were at hand before the saved place was taken.
    EXPECT_EQ(frontEnd->games().shownRows().size(), 2);
    EXPECT_EQ(frontEnd->games().selectedGame()->name(), "sfa");
    quit();
    EXPECT_TRUE(readAll("coinslot.ini").endsWith("favouritesonly = True\r\n"));

    // Damaged: told and moved aside; with no favourite left, all games show.
    QFile::remove("coinslot.sqlite-wal");
    writeAll("coinslot.sqlite", "damaged beyond reading, and long enough to tell");
    ASSERT_TRUE(start());
    EXPECT_TRUE(onlyMessage().contains("so it was moved to coinslot.sqlite.broken-"))
        << onlyMessage().toStdString();
    EXPECT_EQ(seam.messages[0].title, "Load");
    EXPECT_EQ(frontEnd->games().shownRows().size(), 7);
}

TEST_F(StartUp, TheDetailsViewIsRememberedOnlyWhileOnWithItsPaneAndTheSizeToGoBackTo) {
    writeAll("coinslot.ini", kGoodIni);
    writeAll("coinslot.dat", kSevenGames);
    ASSERT_TRUE(start());
    window->show();
    const QSize plain = window->size();
    window->findChild<QAction*>("detailsItem")->trigger();
    const QSize grown = window->size();
    ASSERT_NE(grown, plain);
    quit();
    const QByteArray on = readAll("coinslot.ini");
    EXPECT_EQ(value(on, "details"), "True");
    EXPECT_EQ(value(on, "plainwidth"), QString::number(plain.width() * 15));
    EXPECT_EQ(value(on, "plainheight"), QString::number(plain.height() * 15));
    const int pane = value(on, "detailspane").toInt();
    EXPECT_GT(pane, 0);

    // The next start shows the view as it was left, and off, the window goes back.
    ASSERT_TRUE(start());
    window->show();
    ASSERT_TRUE(window->findChild<QWidget*>("gameTable")->isVisible());
    EXPECT_EQ(window->size(), grown);
    EXPECT_EQ(window->findChild<QWidget*>("detailsPane")->width() * 15, pane);
    window->findChild<QAction*>("detailsItem")->trigger();
    EXPECT_EQ(window->size(), plain);
    quit();
    const QByteArray off = readAll("coinslot.ini");
    EXPECT_EQ(off.count("\r\n"), 16);
    for (const char* key : {"details", "detailspane", "plainwidth", "plainheight"})
        EXPECT_EQ(value(off, key), "<absent>") << key;
}
