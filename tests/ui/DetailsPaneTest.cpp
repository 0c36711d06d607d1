// SPDX-License-Identifier: GPL-2.0-or-later
// The details pane's history and artwork, from support files where MAME's
// defaults look for them: the game's own or its parent's, a tab for each
// kind found, and the last selection's, whatever arrives late.
#include "ui/DetailsPane.h"
#include "WindowTestFixture.h"
#include "frontend/SupportFiles.h"
#include "ui/PictureLoader.h"
#include "ui/SnapshotView.h"

#include <QDir>
#include <QImage>
#include <QPlainTextEdit>
#include <QSemaphore>
#include <QTabWidget>
#include <QTest>

namespace {

const QString kFixtures = QStringLiteral(COINSLOT_FIXTURES "/support/");

class DetailsPaneTest : public WindowTest {
  protected:
    // A current MAME's games, with history.xml and artwork in MAME's default
    // folders: pacman's snapshot and snap.zip (Galaga.png, a broken
    // puckman.jpg) in the snapshot folder, puckman's flyer and an oversized
    // title.
    void SetUp() override {
        folder.set("FAKEMAME_MODERN", "1");
        folder.set("HOME", folder.filePath("home"));
        for (const char* path : {"history", "flyers", "titles", "home/.mame/snap"})
            ASSERT_TRUE(QDir().mkpath(path));
        ASSERT_TRUE(QFile::copy(kFixtures + "history/history.xml", "history/history.xml"));
        ASSERT_TRUE(QFile::copy(kFixtures + "red.png", "flyers/puckman.png"));
        ASSERT_TRUE(QFile::copy(kFixtures + "huge.png", "titles/puckman.png"));
        ASSERT_TRUE(QFile::copy(kFixtures + "snap.zip", "home/.mame/snap.zip"));
        QImage snapshot(224, 288, QImage::Format_RGB32);
        snapshot.fill(Qt::yellow);
        ASSERT_TRUE(snapshot.save("home/.mame/snap/pacman.png"));
        window.loadCatalogue();
        clickAndWait("listButton");
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
        ASSERT_TRUE(pane() && pane()->isVisible());
        // MAME is asked where its snapshots are, in the background.
        ASSERT_TRUE(waitUntil([&] { return frontEnd.snapshotFolders().has_value(); }));
    }
    QWidget* pane() { return window.findChild<QWidget*>("detailsPane"); }
    QTabWidget* sections() { return window.findChild<QTabWidget*>("detailsSections"); }
    SnapshotView* snapshot() { return window.findChild<SnapshotView*>("snapshot"); }
    QString history() { return window.findChild<QPlainTextEdit*>("detailsHistory")->toPlainText(); }
    QStringList tabs() {
        QStringList titles;
        for (int i = 0; i < sections()->count(); ++i)
            titles.append(sections()->tabText(i));
        return titles;
    }
    SnapshotView* tab(const QString& title) {
        const int at = tabs().indexOf(title);
        return at < 0 ? nullptr : qobject_cast<SnapshotView*>(sections()->widget(at));
    }
    // Selects `set` and waits until the pane has shown all it found for it.
    bool showSet(const QString& set) {
        searchBox()->setText("[" + set + "]");
        return workerDone();
    }
    // Waits until the pane's worker has done what the pane asked of it: the
    // lookup, then the pictures it asks for once the lookup answers.
    bool workerDone() {
        for (int round = 0; round < 2; ++round) {
            bool done = false;
            window.findChild<PictureLoader*>()->run([&done] { return [&done] { done = true; }; });
            if (!waitUntil([&] { return done; }))
                return false;
        }
        return true;
    }
};

} // namespace

TEST_F(DetailsPaneTest, TheHistoryAndEachKindOfArtworkFoundAreTabsOfTheGameOrItsParent) {
    ASSERT_TRUE(showSet("puckman"));
    EXPECT_EQ(tabs(), QStringList({"Info", "History", "Title", "Flyer"}));
    EXPECT_TRUE(history().startsWith("Puck Man (c) 1980 Namco.\n\n- TECHNICAL -\nZ80 & a Namco"));
    EXPECT_EQ(tab("Flyer")->picture().size(), QSize(4, 3));
    // Neither an oversized picture nor a broken one is decoded: each says so.
    EXPECT_TRUE(tab("Title")->picture().isNull());
    EXPECT_EQ(tab("Title")->missing(),
              "The picture has more than 16 megapixels (5000 \u00d7 4000) and is not shown.");
    EXPECT_TRUE(snapshot()->picture().isNull());
    EXPECT_EQ(snapshot()->missing(), "The picture could not be decoded.");

    // A clone without its own: the parent's history and flyer, its own snapshot.
    sections()->setCurrentIndex(tabs().indexOf("Flyer"));
    ASSERT_TRUE(showSet("pacman"));
    EXPECT_EQ(tabs(), QStringList({"Info", "History", "Title", "Flyer"}));
    EXPECT_TRUE(history().startsWith("Puck Man (c) 1980 Namco."));
    EXPECT_EQ(snapshot()->picture().size(), QSize(224, 288));
    EXPECT_EQ(sections()->tabText(sections()->currentIndex()), "Flyer"); // the tab chosen stays

    // Its own history, no flyer or title; the snapshot from snap.zip.
    ASSERT_TRUE(showSet("galaga"));
    EXPECT_EQ(tabs(), QStringList({"Info", "History"}));
    EXPECT_EQ(history(), "Galaga (c) 1981 Namco.");
    EXPECT_EQ(snapshot()->picture().size(), QSize(4, 3));

    ASSERT_TRUE(showSet("dkong"));
    EXPECT_EQ(tabs(), QStringList({"Info"}));
    EXPECT_TRUE(sections()->tabBar()->isHidden());
    EXPECT_EQ(snapshot()->missing(), "No snapshot yet. Press F12 while the game runs to take one.");
}

TEST_F(DetailsPaneTest, WhatArrivesForAnEarlierSelectionNeverReplacesTheLastOnes) {
    ASSERT_TRUE(showSet("galaga"));
    ASSERT_EQ(history(), "Galaga (c) 1981 Namco.");

    // The worker is held while pacman is selected and galaga again, which
    // the pane still holds: pacman's lookup, asked first, answers last.
    QSemaphore started;
    QSemaphore release;
    window.findChild<PictureLoader*>()->run([&]() -> std::function<void()> {
        started.release();
        release.acquire();
        return [] {};
    });
    started.acquire();
    searchBox()->setText("[pacman]");
    searchBox()->setText("[galaga]");
    release.release();
    ASSERT_TRUE(workerDone());
    EXPECT_EQ(tabs(), QStringList({"Info", "History"}));
    EXPECT_EQ(history(), "Galaga (c) 1981 Namco.");
    EXPECT_EQ(snapshot()->picture().size(), QSize(4, 3));

    // Moving down through the table ends on the last game's.
    QWidget* table = window.findChild<QWidget*>("gameTable");
    searchBox()->setText("[puckman]");
    table->setFocus();
    for (int step = 0; step < 5; ++step)
        QTest::keyClick(table, Qt::Key_Down);
    ASSERT_TRUE(workerDone());
    // What the pane shows is what the last game has.
    const std::optional<GameRecord> last = frontEnd.games().selectedGame();
    ASSERT_TRUE(last);
    const QString expected =
        historyText(frontEnd.catalogue(), last->name(), last->parent()).value_or(QString());
    EXPECT_EQ(history(), expected) << last->name().toStdString();
    EXPECT_EQ(tabs().contains("History"), !expected.isEmpty());
}
