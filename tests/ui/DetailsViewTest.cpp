// SPDX-License-Identifier: GPL-2.0-or-later
// The details view through the window: the table and its sort, the pane
// beside it, the window's size, and the keys that reach the list's menu.
#include "ui/DetailsView.h"
#include "WindowTestFixture.h"
#include "gamelist/ColumnSort.h"
#include "ui/GameTableView.h"
#include "ui/InfoRowsView.h"
#include "ui/SnapshotView.h"

#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QScreen>
#include <QTest>

namespace {

class DetailsViewTest : public WindowTest {
  protected:
    // A current MAME's games, with their facts, and a snapshot of pacman.
    void listCurrentMame() {
        folder.set("FAKEMAME_MODERN", "1");
        folder.set("HOME", folder.filePath("home"));
        window.loadCatalogue();
        clickAndWait("listButton");
        ASSERT_TRUE(QDir().mkpath("home/.mame/snap"));
        QImage snapshot(224, 288, QImage::Format_RGB32);
        snapshot.fill(Qt::yellow);
        ASSERT_TRUE(snapshot.save("home/.mame/snap/pacman.png"));
    }
    void showWindow() {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void pressDetailsKey() { QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier); }
    GameTableView* table() { return window.findChild<GameTableView*>("gameTable"); }
    QWidget* pane() { return window.findChild<QWidget*>("detailsPane"); }
    QString paneText() { return window.findChild<InfoRowsView*>("detailsInformation")->text(); }
    const QImage& picture() { return window.findChild<SnapshotView*>("snapshot")->picture(); }
    QStringList shownHeaders() {
        QStringList all;
        for (int c = 0; c < table()->model()->columnCount(); ++c)
            if (!table()->isColumnHidden(c))
                all.append(table()->model()->headerData(c, Qt::Horizontal).toString());
        return all;
    }
    // The table's texts of `column`, top to bottom.
    QStringList tableColumn(GameColumn column) {
        QStringList all;
        for (int row = 0; row < table()->model()->rowCount(); ++row)
            all.append(table()->model()->index(row, int(column)).data().toString());
        return all;
    }
    void clickHeader(GameColumn column) {
        QHeaderView* header = table()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          {header->sectionViewportPosition(int(column)) + 4, 4});
    }
    QString selectedDescription() { return frontEnd.games().selectedGame()->description(); }
};

// Known years in `order`, then the unknown ones.
bool yearsSorted(const QStringList& years, Qt::SortOrder order) {
    const qsizetype known = years.indexOf(QString());
    const QStringList head = years.mid(0, known < 0 ? years.size() : known);
    if (known >= 0 && years.mid(known).join("") != "")
        return false;
    return order == Qt::AscendingOrder ? std::is_sorted(head.begin(), head.end())
                                       : std::is_sorted(head.rbegin(), head.rend());
}

} // namespace

TEST_F(DetailsViewTest, CtrlDShowsTheTableAndThePaneInAGrownWindowAndTheListAgainInTheOldOne) {
    listCurrentMame();
    showWindow();
    searchBox()->setText("[pacman]");
    const QSize plain = window.size();
    const size_t progressDialogs = seam.progressTitles.size();
    pressDetailsKey();
    ASSERT_TRUE(table() && table()->isVisible() && pane()->isVisible());
    EXPECT_FALSE(gameList()->isVisible());
    EXPECT_TRUE(item("detailsItem")->isChecked());
    EXPECT_EQ(shownHeaders(),
              QStringList({"Description", "Year", "Manufacturer", "Status", "Played", "\u2605"}));
    const QSize room = window.screen()->availableGeometry().size() -
                       (window.frameGeometry().size() - window.size());
    EXPECT_EQ(window.size(), kDetailsWindowSize.boundedTo(room).expandedTo(plain));
    EXPECT_GT(window.width(), plain.width());
    EXPECT_EQ(table()->selectedShownRow(), frontEnd.games().selectedRow());
    const int row = table()->currentIndex().row();
    EXPECT_EQ(tableColumn(GameColumn::Year)[row], "1980");
    EXPECT_EQ(tableColumn(GameColumn::Manufacturer)[row], "Namco (Midway license)");
    // The pane tells what Info tells, and shows the snapshot once decoded.
    EXPECT_TRUE(paneText().startsWith("Pac-Man (Midway)\n"));
    for (const char* row : {"Set\tpacman", "Parent\tpuckman", "Year\t1980",
                            "Manufacturer\tNamco (Midway license)", "Players\t2"})
        EXPECT_TRUE(paneText().contains(QString("\n") + row + "\n")) << row;
    ASSERT_TRUE(waitUntil([&] { return !picture().isNull(); }));
    EXPECT_EQ(picture().size(), QSize(224, 288));
    // Where the snapshots are was asked of MAME without a word to the user.
    EXPECT_EQ(seam.progressTitles.size(), progressDialogs);
    EXPECT_EQ(runs().filter("-showconfig").size(), 1);

    pressDetailsKey();
    EXPECT_TRUE(gameList()->isVisible());
    EXPECT_FALSE(table()->isVisible() || pane()->isVisible());
    EXPECT_EQ(window.size(), plain);
    EXPECT_EQ(gameList()->selectedRow(), frontEnd.games().selectedRow());
}

TEST_F(DetailsViewTest, AHeaderSortsTheTableAloneAndTheSecondClickReversesIt) {
    listCurrentMame();
    showWindow();
    searchBox()->setText("Pac");
    const int found = frontEnd.games().selectedRow();
    const QStringList shown = shownNames();
    const QByteArray database = readAll("coinslot.dat");
    pressDetailsKey();
    EXPECT_EQ(tableColumn(GameColumn::Description).first(),
              frontEnd.games().shownGame(0).description());

    clickHeader(GameColumn::Year);
    EXPECT_TRUE(yearsSorted(tableColumn(GameColumn::Year), Qt::AscendingOrder));
    // The selected game stays selected, and in view.
    EXPECT_EQ(tableColumn(GameColumn::Description)[table()->currentIndex().row()],
              selectedDescription());
    EXPECT_TRUE(table()->viewport()->rect().contains(table()->visualRect(table()->currentIndex())));
    // The list's order, the database and the search are the rows' own.
    EXPECT_EQ(shownNames(), shown);
    EXPECT_EQ(readAll("coinslot.dat"), database);
    searchBox()->setText("");
    searchBox()->setText("Pac");
    EXPECT_EQ(frontEnd.games().selectedRow(), found);
    // The table shows the game where it sorts; the saved place is the list's.
    const int tableRow = table()->currentIndex().row();
    EXPECT_NE(tableRow, found);
    EXPECT_EQ(tableColumn(GameColumn::Description)[tableRow], selectedDescription());
    ASSERT_TRUE(frontEnd.saveSettings(window.windowSettings()).ok());
    EXPECT_TRUE(
        readAll("coinslot.ini").contains("lastgame = " + QByteArray::number(found) + "\r\n"));

    clickHeader(GameColumn::Year);
    EXPECT_TRUE(yearsSorted(tableColumn(GameColumn::Year), Qt::DescendingOrder));
    EXPECT_EQ(tableColumn(GameColumn::Description)[table()->currentIndex().row()],
              selectedDescription());
    clickHeader(GameColumn::Description);
    EXPECT_EQ(tableColumn(GameColumn::Description).first(),
              frontEnd.games().shownGame(0).description());
}

TEST_F(DetailsViewTest, ThePaneFollowsTheKeyboardAndTheMenuKeyAndShiftF10OpenTheListMenu) {
    listCurrentMame();
    showWindow();
    searchBox()->setText("[pacman]");
    pressDetailsKey();
    clickHeader(GameColumn::Year);
    table()->setFocus();
    ASSERT_TRUE(waitUntil([&] { return !picture().isNull(); }));
    for (int step = 0; step < 3; ++step) {
        QTest::keyClick(table(), Qt::Key_Down);
        EXPECT_TRUE(paneText().startsWith(selectedDescription() + "\n")) << step;
        EXPECT_TRUE(window.windowTitle().contains(selectedDescription())) << step;
        EXPECT_EQ(tableColumn(GameColumn::Description)[table()->currentIndex().row()],
                  selectedDescription());
    }
    // The games further down the years have no snapshot.
    EXPECT_TRUE(waitUntil([&] { return picture().isNull(); }));

    const int selected = frontEnd.games().selectedRow();
    const auto opensMenu = [&](QWidget* view, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(view, key, modifiers);
        const bool opened = menu("listMenu")->isVisible();
        menu("listMenu")->hide();
        return opened && frontEnd.games().selectedRow() == selected;
    };
    EXPECT_TRUE(opensMenu(table(), Qt::Key_Menu, {}));
    EXPECT_TRUE(opensMenu(table(), Qt::Key_F10, Qt::ShiftModifier));
    pressDetailsKey();
    EXPECT_TRUE(opensMenu(gameList(), Qt::Key_Menu, {}));
    EXPECT_TRUE(opensMenu(gameList(), Qt::Key_F10, Qt::ShiftModifier));
    EXPECT_FALSE(opensMenu(gameList(), Qt::Key_F10, {}));
    // Open, the menu answers its access keys: I is Info.
    QTest::keyClick(gameList(), Qt::Key_Menu);
    QTest::keyClick(menu("listMenu"), Qt::Key_I);
    ASSERT_TRUE(waitUntil([&] { return !seam.infos.empty(); }));
    EXPECT_EQ(seam.infos[0].title, selectedDescription());
}

TEST_F(DetailsViewTest, AnOldMamesTableHidesTheFactColumnsAndThePaneTellsWhatInfoTells) {
    loadDatabase(kSevenGames);
    window.loadCatalogue();
    showWindow();
    pressDetailsKey();
    EXPECT_EQ(shownHeaders(), QStringList({"Description", "Played", "\u2605"}));
    EXPECT_EQ(paneText(), "Final Fight (World)\nSet\tffight\nClone\tffightu\nDriver\tcps1");
    EXPECT_TRUE(picture().isNull());

    // The ini buttons say which file each opens for the selected game.
    EXPECT_EQ(button("mameButton")->toolTip(), "Edit MAME's own options (mame.ini)");
    EXPECT_EQ(button("driverButton")->toolTip(), "Edit the options of driver cps1 (ini/cps1.ini)");
    EXPECT_EQ(button("parentButton")->toolTip(),
              "Edit the options of the selected game's parent set");
    QTest::keyClick(table(), Qt::Key_Down);
    EXPECT_EQ(button("parentButton")->toolTip(),
              "Edit the options of parent set ffight (ini/ffight.ini)");
    EXPECT_EQ(button("setButton")->toolTip(), "Edit the options of set ffightu (ini/ffightu.ini)");
    EXPECT_TRUE(button("playButton")->toolTip().isEmpty());

    // Ctrl+F goes to the search box; F1 does nothing.
    QTest::keyClick(table(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(searchBox()->hasFocus());
    QTest::keyClick(searchBox(), Qt::Key_F1);
    EXPECT_TRUE(searchBox()->hasFocus() && seam.messages.empty() && seam.prompts.empty());
    EXPECT_EQ(frontEnd.games().selectedRow(), 1);
}

TEST_F(DetailsViewTest, AfterAFontChangeTheSelectedGameStaysInView) {
    QByteArray many;
    for (int i = 0; i < 300; ++i)
        many += "Game " + QByteArray::number(i).rightJustified(3, '0') + "|g" +
                QByteArray::number(i) + "||drv\r\n";
    loadDatabase(many, 150);
    showWindow();
    const auto inView = [](QAbstractItemView* view) {
        return view->viewport()->rect().contains(view->visualRect(view->currentIndex()));
    };
    for (int size : {20, 8}) {
        seam.fontAnswers = {FontChoice{gameList()->font().family(), 400, false, size * 10}};
        item("fontItem")->trigger();
        EXPECT_TRUE(inView(gameList())) << size;
    }
    pressDetailsKey();
    seam.fontAnswers = {FontChoice{gameList()->font().family(), 400, false, 200}};
    item("fontItem")->trigger();
    EXPECT_EQ(table()->font().pointSize(), 20);
    EXPECT_TRUE(inView(table()));
}
