// SPDX-License-Identifier: GPL-2.0-or-later
// The window as the user meets it: its controls, menus, keys and layout.
#include "WindowTestFixture.h"

#include <QScreen>
#include <QTest>

namespace {

class Window : public WindowTest {};

const char* const kButtons[] = {"playButton",   "quitButton", "mameButton", "driverButton",
                                "parentButton", "setButton",  "listButton", "auditButton"};

} // namespace

TEST_F(Window, ControlsStandAtTheirDesignPlacesInTabOrder) {
    ASSERT_EQ(window.logicalDpiX(), 96);
    EXPECT_EQ(window.size(), QSize(473, 297)); // 7095 x 4455 twips
    EXPECT_EQ(twips(gameList()), QRect(240, 240, 5295, 3705));
    EXPECT_EQ(twips(searchBox()), QRect(240, 3930, 5295, 285));
    const int tops[] = {240, 720, 1320, 1800, 2280, 2760, 3360, 3840};
    QStringList controls = {"gameList", "searchBox"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(twips(button(kButtons[i])), QRect(5760, tops[i], 1095, 375)) << kButtons[i];
        controls.append(kButtons[i]);
    }
    QStringList order;
    QWidget* w = gameList();
    do {
        if (controls.contains(w->objectName()))
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != gameList());
    EXPECT_EQ(order, controls);
    EXPECT_TRUE(button("playButton")->isDefault());
    EXPECT_EQ(window.windowTitle(), "MAME");
    EXPECT_FALSE(window.windowIcon().isNull());
    // Without a database only Quit, Mame, List and Font work.
    for (const char* name : kButtons)
        EXPECT_EQ(button(name)->isEnabled(),
                  QStringList({"quitButton", "mameButton", "listButton"}).contains(name))
            << name;
    EXPECT_FALSE(item("infoItem")->isEnabled());
    EXPECT_TRUE(item("fontItem")->isEnabled());

    // Plain captions: every access key goes, from all eight buttons, the seven
    // items, Favourite, Show and Show's eight.
    Settings plain;
    plain.noShortcuts = true;
    configure(plain);
    ASSERT_TRUE(window.restoreSettings());
    QStringList captions;
    for (QPushButton* b : window.findChildren<QPushButton*>())
        captions.append(b->text());
    for (QMenu* m : window.findChildren<QMenu*>())
        for (QAction* a : m->actions())
            if (!a->isSeparator())
                captions.append(a->text());
    EXPECT_EQ(captions.size(), 25);
    EXPECT_EQ(captions.filter("&").size(), 0);
    EXPECT_TRUE(captions.contains("Play...") && captions.contains("MAME executable..."));
}

TEST_F(Window, ResizeKeepsTheMarginsAndRestoringAMinimisedWindowLaysOut) {
    window.show();
    window.resize(673, 497);
    EXPECT_EQ(twips(gameList()), QRect(240, 240, 5295 + 3000, 3705 + 3000));
    EXPECT_EQ(twips(searchBox()), QRect(240, 3930 + 3000, 5295 + 3000, 285));
    for (const char* name : kButtons)
        EXPECT_EQ(button(name)->x() * 15, 5760 + 3000) << name;
    // Never below the design size, where every control is inside the window.
    window.resize(1, 1);
    EXPECT_EQ(window.size(), QSize(473, 297));
    EXPECT_EQ(twips(gameList()), QRect(240, 240, 5295, 3705));
    for (const char* name : kButtons)
        EXPECT_TRUE(window.rect().contains(button(name)->geometry())) << name;
    EXPECT_TRUE(window.rect().contains(searchBox()->geometry()));

    // Resized while minimised: nothing moves until the window is restored.
    window.setWindowState(Qt::WindowMinimized);
    window.resize(573, 397);
    EXPECT_EQ(twips(gameList()), QRect(240, 240, 5295, 3705));
    window.setWindowState(Qt::WindowNoState);
    EXPECT_EQ(twips(gameList()), QRect(240, 240, 5295 + 1500, 3705 + 1500));
}

TEST_F(Window, PopUpsOpenOnTheRightButtonOverTheWindowOrTheListOnly) {
    loadDatabase(kSevenGames);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(&window, Qt::MiddleButton, {}, QPoint(5, 5));
    QTest::mouseClick(button("playButton"), Qt::RightButton);
    EXPECT_FALSE(menu("windowMenu")->isVisible());
    EXPECT_FALSE(menu("listMenu")->isVisible());

    QTest::mousePress(&window, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(menu("windowMenu")->isVisible());
    EXPECT_TRUE(item("centreItem")->isEnabled());
    menu("windowMenu")->hide();

    // Over the list, its frame included, the list's menu; the selection stays.
    frontEnd.games().select(2);
    QTest::mousePress(gameList(), Qt::RightButton, {}, QPoint(0, 0));
    EXPECT_TRUE(menu("listMenu")->isVisible());
    EXPECT_FALSE(menu("windowMenu")->isVisible());
    menu("listMenu")->hide();
    EXPECT_EQ(gameList()->selectedRow(), 2);

    window.showMaximized();
    QTest::mousePress(&window, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_FALSE(item("centreItem")->isEnabled());
    EXPECT_TRUE(item("resetItem")->isEnabled());
    menu("windowMenu")->hide();
}

TEST_F(Window, AListWithGamesAlwaysKeepsOneSelectedAndTheTitleFollows) {
    loadDatabase(kSevenGames, 1);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRect second = gameList()->visualRect(gameList()->model()->index(1, 0));
    QTest::mouseClick(gameList()->viewport(), Qt::LeftButton, {},
                      QPoint(5, gameList()->viewport()->height() - 3)); // below the last game
    QTest::mouseClick(gameList()->viewport(), Qt::LeftButton, Qt::ControlModifier, second.center());
    gameList()->setFocus();
    QTest::keyClick(gameList(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(gameList()->selectedRow(), 1);
    EXPECT_EQ(window.windowTitle(), "MAME: Final Fight (US) [ffightu]");
    EXPECT_TRUE(button("parentButton")->isEnabled());

    QTest::keyClick(gameList(), Qt::Key_Down);
    EXPECT_EQ(frontEnd.games().selectedRow(), 2);
    EXPECT_EQ(window.windowTitle(), "MAME: Metal Slug [mslug]");
    EXPECT_FALSE(button("parentButton")->isEnabled());
}

TEST_F(Window, TypingSearchesScrollsToTheGameAndTabSelectsTheSearchText) {
    QByteArray many;
    for (int i = 0; i < 500; ++i)
        many += "Game " + QByteArray::number(i).rightJustified(3, '0') + "|g" +
                QByteArray::number(i) + "||drv\r\n";
    loadDatabase(many + "Zaxxon|zaxxon||zaxxon\r\n");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    gameList()->setFocus();
    QTest::keyClick(gameList(), Qt::Key_Tab);
    ASSERT_TRUE(searchBox()->hasFocus());
    QTest::keyClicks(searchBox(), "zax");
    EXPECT_EQ(gameList()->selectedRow(), 500);
    EXPECT_TRUE(gameList()->viewport()->rect().intersects(
        gameList()->visualRect(gameList()->model()->index(500, 0))));

    button("playButton")->setFocus();
    QTest::keyClick(button("playButton"), Qt::Key_Backtab);
    ASSERT_TRUE(searchBox()->hasFocus());
    QTest::qWait(20);
    EXPECT_EQ(searchBox()->selectedText(), "zax");
}

TEST_F(Window, EnterPlaysAndAccessKeysPressButtonsUnlessShortcutsAreOff) {
    loadDatabase(kSevenGames);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    searchBox()->setFocus();
    QTest::keyClick(searchBox(), Qt::Key_D, Qt::AltModifier); // Driver, pressed after a moment
    ASSERT_TRUE(waitUntil([&] { return seam.opened == std::vector<QString>({"ini/cps1.ini"}); }));
    searchBox()->setFocus();
    QTest::keyClick(searchBox(), Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return folder.playLog().size() == 1; }));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    Settings plain = frontEnd.settings();
    plain.noShortcuts = true;
    configure(plain);
    ASSERT_TRUE(window.restoreSettings());
    searchBox()->setFocus();
    QTest::keyClick(searchBox(), Qt::Key_D, Qt::AltModifier); // types a "d" that finds nothing
    QTest::qWait(300);
    EXPECT_EQ(seam.opened.size(), 1u);
    QTest::keyClick(searchBox(), Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return folder.playLog().size() == 2; }));
    EXPECT_EQ(folder.playLog(), QStringList({"ffight", "ffight"}));
}

TEST_F(Window, CentreResetAndFontPlaceTheWindowAndDressTheList) {
    window.show();
    window.move(0, 0);
    item("centreItem")->trigger();
    const QRect area = window.screen()->availableGeometry();
    EXPECT_LE(std::abs(window.frameGeometry().center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(window.frameGeometry().center().y() - area.center().y()), 1);

    window.showMaximized();
    const QFont design = gameList()->font();
    QFont font = design;
    font.setPointSizeF(8.25);
    gameList()->setFont(font);
    item("fontItem")->trigger(); // no answer: Cancel
    ASSERT_EQ(seam.fontRequests.size(), 1u);
    EXPECT_EQ(seam.fontRequests[0].height, -11);
    EXPECT_EQ(gameList()->font(), font);
    seam.fontAnswers = {FontChoice{font.family(), 700, true, 105}};
    item("fontItem")->trigger();
    EXPECT_TRUE(gameList()->font().bold());
    EXPECT_EQ(gameList()->font().pointSizeF(), 10.5);

    item("resetItem")->trigger();
    EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(window.size(), QSize(473, 297));
    EXPECT_EQ(gameList()->font().pointSizeF(), design.pointSizeF());
    EXPECT_FALSE(gameList()->font().bold());
    EXPECT_LE(std::abs(window.frameGeometry().center().x() - area.center().x()), 1);
}
