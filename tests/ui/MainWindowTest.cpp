// SPDX-License-Identifier: GPL-2.0-or-later
// The window as the user meets it: its controls, menus, keys and layout.
#include "WindowTestFixture.h"

#include "ui/DesignGeometry.h"

#include <QFontInfo>
#include <QScreen>
#include <QTest>

namespace {

const char* const kButtons[] = {"playButton",   "quitButton", "mameButton", "driverButton",
                                "parentButton", "setButton",  "listButton", "auditButton"};

// Where the list, the search box and the buttons stand.
struct Placement {
    QRect list, search;
    std::vector<QRect> buttons;
    bool operator==(const Placement&) const = default;
};

void PrintTo(const Placement& p, std::ostream* out) {
    *out << "list " << ::testing::PrintToString(p.list) << ", search "
         << ::testing::PrintToString(p.search) << ", buttons";
    for (const QRect& button : p.buttons)
        *out << " " << ::testing::PrintToString(button);
}

class Window : public WindowTest {
  protected:
    // Where the controls stand, in the window's coordinates.
    Placement placement() {
        const auto at = [&](const QWidget* w) {
            return QRect(w->mapTo(&window, QPoint()), w->size());
        };
        Placement p{at(gameList()), at(searchBox()), {}};
        for (const char* name : kButtons)
            p.buttons.push_back(at(button(name)));
        return p;
    }
    // Where they belong in a window of `size`: at their design rectangles,
    // the list and the search box wider, the list higher, the search box
    // lower and the buttons further right by as much as the window is larger.
    Placement designPlacement(QSize size) {
        const DesignRects design = DesignRects::at(TwipsPerPixel::of(&window));
        const QSize more = size - design.client;
        Placement p{design.list.adjusted(0, 0, more.width(), more.height()),
                    design.search.adjusted(0, more.height(), more.width(), more.height()),
                    {}};
        for (const QRect& button : design.buttons)
            p.buttons.push_back(button.translated(more.width(), 0));
        return p;
    }
};

} // namespace

TEST_F(Window, ControlsStandAtTheirDesignPlacesInTabOrder) {
    ASSERT_EQ(window.logicalDpiX(), 96);
    window.show();
    const DesignRects design = DesignRects::at(TwipsPerPixel::of(&window));
    EXPECT_EQ(window.size(), design.client);
    EXPECT_EQ(placement(), designPlacement(design.client));
    QStringList controls = {"gameList", "searchBox"};
    for (const char* name : kButtons)
        controls.append(name);
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

    // Plain captions: every access key goes, from all eight buttons, the eight
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
    EXPECT_EQ(captions.size(), 26);
    EXPECT_EQ(captions.filter("&").size(), 0);
    EXPECT_TRUE(captions.contains("Play...") && captions.contains("MAME executable...") &&
                captions.contains("Details"));
}

TEST_F(Window, LayoutKeepsTheMarginsAtAnySizeAndNothingMovesWhileMinimised) {
    window.show();
    const QSize design = window.size();
    window.resize(design + QSize(200, 135));
    EXPECT_EQ(placement(), designPlacement(window.size()));
    window.showMaximized();
    ASSERT_TRUE(waitUntil([&] { return window.size().width() > design.width() + 200; }));
    EXPECT_EQ(placement(), designPlacement(window.size()));
    window.showNormal();
    // Never below the design size, where every control is inside the window.
    window.resize(1, 1);
    EXPECT_EQ(window.size(), design);
    EXPECT_EQ(placement(), designPlacement(design));

    // Resized while minimised: nothing moves until the window is restored.
    window.setWindowState(Qt::WindowMinimized);
    window.resize(design + QSize(100, 100));
    EXPECT_EQ(placement(), designPlacement(design));
    window.setWindowState(Qt::WindowNoState);
    EXPECT_EQ(placement(), designPlacement(design + QSize(100, 100)));
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
    font.setPointSizeF(12);
    font.setItalic(true);
    gameList()->setFont(font);
    // The chooser opens on the list's font: its face, style and size.
    item("fontItem")->trigger(); // no answer: Cancel
    ASSERT_EQ(seam.fontRequests.size(), 1u);
    const FontRequest asked = seam.fontRequests[0];
    EXPECT_EQ(asked.face, font.family());
    EXPECT_EQ(asked.weight, 400);
    EXPECT_TRUE(asked.italic);
    EXPECT_EQ(-asked.height, QFontInfo(font).pixelSize()); // 12 points at the window's dpi
    EXPECT_EQ(gameList()->font(), font);
    // The list shows what is chosen, bold only for a bold choice.
    seam.fontAnswers = {FontChoice{"Serif", 700, false, 105}, FontChoice{"Serif", 400, true, 90}};
    item("fontItem")->trigger();
    EXPECT_EQ(gameList()->font().family(), "Serif");
    EXPECT_TRUE(gameList()->font().bold() && !gameList()->font().italic());
    EXPECT_EQ(gameList()->font().pointSizeF(), 10.5);
    item("fontItem")->trigger();
    EXPECT_EQ(seam.fontRequests.back().weight, 700); // it opened on the bold list
    EXPECT_TRUE(!gameList()->font().bold() && gameList()->font().italic());
    EXPECT_EQ(gameList()->font().pointSizeF(), 9);

    item("resetItem")->trigger();
    EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(window.size(), QSize(473, 297));
    EXPECT_EQ(gameList()->font().pointSizeF(), design.pointSizeF());
    EXPECT_FALSE(gameList()->font().bold());
    EXPECT_LE(std::abs(window.frameGeometry().center().x() - area.center().x()), 1);
}
