// The window as the user meets it: its controls, menus, keys and layout.
#include "WindowTestFixture.h"

#include <QScreen>
#include <QTest>

namespace {

class Window : public WindowTest {};

} // namespace

TEST_F(Window, ControlsStandAtTheirDesignPlacesInTabOrder) {
    ASSERT_EQ(form.logicalDpiX(), 96);
    EXPECT_EQ(form.size(), QSize(473, 297)); // 7095 x 4455 twips
    EXPECT_EQ(Twips(List()), QRect(240, 240, 5295, 3705));
    EXPECT_EQ(Twips(Search()), QRect(240, 3930, 5295, 285));
    const std::pair<const char*, int> buttons[] = {
        {"cmdPlay", 240},    {"cmdQuit", 720}, {"cmdMame", 1320}, {"cmdDriver", 1800},
        {"cmdParent", 2280}, {"cmdSet", 2760}, {"cmdList", 3360}, {"cmdAudit", 3840}};
    QStringList controls = {"lstGames", "txtSearch"};
    for (const auto& [name, top] : buttons) {
        EXPECT_EQ(Twips(Button(name)), QRect(5760, top, 1095, 375)) << name;
        controls.append(name);
    }
    QStringList order;
    QWidget* w = List();
    do {
        if (controls.contains(w->objectName()))
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != List());
    EXPECT_EQ(order, controls);
    EXPECT_TRUE(Button("cmdPlay")->isDefault());
    EXPECT_FALSE(Button("cmdParent")->isEnabled());
    EXPECT_EQ(form.windowTitle(), "MAME");
    EXPECT_FALSE(form.windowIcon().isNull());
    EXPECT_EQ(Button("cmdAudit")->text(), "&Audit");
    EXPECT_EQ(Item("mnuListFont")->text(), "F&ont");

    form.applyPlainCaptions();
    QStringList captions;
    for (QPushButton* b : form.findChildren<QPushButton*>())
        captions.append(b->text());
    for (QMenu* menu : form.findChildren<QMenu*>())
        for (QAction* a : menu->actions())
            captions.append(a->text());
    EXPECT_EQ(captions.size(), 14);
    EXPECT_EQ(captions.filter("&").size(), 0);
    EXPECT_EQ(Item("mnuListPlay")->text(), "Play...");
    EXPECT_EQ(Item("mnuListFont")->text(), "Font");
}

TEST_F(Window, ResizeKeepsTheMarginsAndRestoringAMinimisedWindowLaysOut) {
    form.show();
    form.resize(673, 497);
    EXPECT_EQ(Twips(List()), QRect(240, 240, 5295 + 3000, 3705 + 3000));
    EXPECT_EQ(Twips(Search()), QRect(240, 3930 + 3000, 5295 + 3000, 285));
    for (QPushButton* b : form.findChildren<QPushButton*>())
        EXPECT_EQ(b->x() * 15, 5760 + 3000) << b->objectName().toStdString();
    form.resize(300, 497); // narrower only: heights still follow
    EXPECT_EQ(Button("cmdPlay")->x() * 15, 5760 + 3000);
    form.resize(300, 397);
    EXPECT_EQ(List()->height() * 15, 3705 + 1500);
    form.resize(473, 297);
    EXPECT_EQ(Twips(List()), QRect(240, 240, 5295, 3705));

    // Resized while minimised: nothing moves until the window is restored.
    form.setWindowState(Qt::WindowMinimized);
    form.resize(573, 397);
    EXPECT_EQ(Twips(List()), QRect(240, 240, 5295, 3705));
    form.setWindowState(Qt::WindowNoState);
    EXPECT_EQ(Twips(List()), QRect(240, 240, 5295 + 1500, 3705 + 1500));
}

TEST_F(Window, PopUpsOpenOnTheRightButtonOverTheWindowOrTheListOnly) {
    loadDatabase(kSevenGames);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(&form, Qt::MiddleButton, {}, QPoint(5, 5));
    QTest::mouseClick(Button("cmdPlay"), Qt::RightButton);
    QTest::mouseClick(Button("cmdAudit"), Qt::RightButton);
    EXPECT_FALSE(Menu("mnuForm")->isVisible());
    EXPECT_FALSE(Menu("mnuList")->isVisible());

    QTest::mousePress(&form, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(Menu("mnuForm")->isVisible());
    EXPECT_TRUE(Item("mnuFormCentre")->isEnabled());
    Menu("mnuForm")->hide();

    // Over the list, its frame included, the list's menu; the selection stays.
    frontEnd.select(2);
    QTest::mousePress(List()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(Menu("mnuList")->isVisible());
    Menu("mnuList")->hide();
    QTest::mousePress(List(), Qt::RightButton, {}, QPoint(0, 0));
    EXPECT_TRUE(Menu("mnuList")->isVisible());
    EXPECT_FALSE(Menu("mnuForm")->isVisible());
    Menu("mnuList")->hide();
    EXPECT_EQ(List()->selectedRow(), 2);

    form.showMaximized();
    QTest::mousePress(&form, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_FALSE(Item("mnuFormCentre")->isEnabled());
    EXPECT_TRUE(Item("mnuFormReset")->isEnabled());
    Menu("mnuForm")->hide();
}

TEST_F(Window, AListWithGamesAlwaysKeepsOneSelected) {
    loadDatabase(kSevenGames, 1);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QRect second = List()->visualRect(List()->model()->index(1, 0));
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      QPoint(5, List()->viewport()->height() - 3)); // below the last game
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::ControlModifier, second.center());
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(List()->selectedRow(), 1);
    EXPECT_EQ(frontEnd.state().selectedRow, 1);
    EXPECT_EQ(form.windowTitle(), "MAME: Final Fight (US) [ffightu]");
    EXPECT_TRUE(Button("cmdParent")->isEnabled());

    QTest::keyClick(List(), Qt::Key_Down);
    EXPECT_EQ(frontEnd.state().selectedRow, 2);
    EXPECT_EQ(form.windowTitle(), "MAME: Metal Slug [mslug]");
    EXPECT_FALSE(Button("cmdParent")->isEnabled());
}

TEST_F(Window, TypingSearchesScrollsToTheGameAndTabSelectsTheSearchText) {
    QByteArray many;
    for (int i = 0; i < 500; ++i)
        many += "Game " + QByteArray::number(i).rightJustified(3, '0') + "|g" +
                QByteArray::number(i) + "||drv\r\n";
    loadDatabase(many + "Zaxxon|zaxxon||zaxxon\r\n");
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Tab);
    ASSERT_TRUE(Search()->hasFocus());
    QTest::keyClicks(Search(), "zax");
    EXPECT_EQ(List()->selectedRow(), 500);
    EXPECT_TRUE(
        List()->viewport()->rect().intersects(List()->visualRect(List()->model()->index(500, 0))));
    EXPECT_EQ(form.windowTitle(), "MAME: Zaxxon [zaxxon]");

    Button("cmdPlay")->setFocus();
    QTest::keyClick(Button("cmdPlay"), Qt::Key_Backtab);
    ASSERT_TRUE(Search()->hasFocus());
    QTest::qWait(20);
    EXPECT_EQ(Search()->selectedText(), "zax");
}

TEST_F(Window, EnterPlaysAndAccessKeysPressButtonsUnlessShortcutsAreOff) {
    loadDatabase(kSevenGames);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    int plays = 0;
    QObject::connect(&frontEnd, &FrontEnd::playFinished, [&] { ++plays; });
    Search()->setFocus();
    QTest::keyClick(Search(), Qt::Key_D, Qt::AltModifier); // Driver, pressed after a moment
    ASSERT_TRUE(WaitUntil([&] { return seam.opened == std::vector<QString>({"ini/cps1.ini"}); }));
    Search()->setFocus();
    QTest::keyClick(Search(), Qt::Key_Return);
    ASSERT_TRUE(WaitUntil([&] { return plays == 1; }));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    form.applyPlainCaptions();
    Search()->setFocus();
    QTest::keyClick(Search(), Qt::Key_D, Qt::AltModifier); // types a "d" that finds nothing
    QTest::qWait(300);
    EXPECT_EQ(seam.opened.size(), 1u);
    QTest::keyClick(Search(), Qt::Key_Return);
    ASSERT_TRUE(WaitUntil([&] { return plays == 2; }));
    EXPECT_EQ(folder.PlayLog(), QStringList({"ffight", "ffight"}));
}

TEST_F(Window, CentreAndResetPlaceTheWindowOnTheWorkArea) {
    form.show();
    form.move(0, 0);
    form.centreForm();
    const QRect area = form.screen()->availableGeometry();
    EXPECT_LE(std::abs(form.frameGeometry().center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(form.frameGeometry().center().y() - area.center().y()), 1);

    form.showMaximized();
    QFont big = List()->font();
    const QFont design = big;
    big.setPointSizeF(20);
    big.setBold(true);
    List()->setFont(big);
    form.mnuFormReset_Click();
    EXPECT_FALSE(form.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(form.size(), QSize(473, 297));
    EXPECT_EQ(List()->font().pointSizeF(), design.pointSizeF());
    EXPECT_FALSE(List()->font().bold());
    EXPECT_EQ(Twips(List()), QRect(240, 240, 5295, 3705));
    EXPECT_LE(std::abs(form.frameGeometry().center().x() - area.center().x()), 1);
}

TEST_F(Window, FontCommandGoesThroughTheChooserAndCancelChangesNothing) {
    QFont font = List()->font();
    font.setPointSizeF(8.25);
    List()->setFont(font);
    form.mnuListFont_Click(); // no answer: Cancel
    ASSERT_EQ(seam.fontRequests.size(), 1u);
    EXPECT_EQ(seam.fontRequests[0].height, -11);
    EXPECT_EQ(List()->font(), font);

    seam.fontAnswers = {FontChoice{font.family(), 700, true, 105}};
    form.mnuListFont_Click();
    EXPECT_TRUE(List()->font().bold());
    EXPECT_TRUE(List()->font().italic());
    EXPECT_EQ(List()->font().pointSizeF(), 10.5);
}
