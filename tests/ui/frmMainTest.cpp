#include "ui/frmMain.h"
#include "ScriptedSeam.h"

#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Window : public ::testing::Test {
  protected:
    ScriptedSeam seam;
    frmMain form{seam};
};

QRect Twips(const QWidget* w) {
    return {w->x() * 15, w->y() * 15, w->width() * 15, w->height() * 15};
}

} // namespace

TEST_F(Window, ControlsStandAtTheirDesignPlacesInTabOrder) {
    ASSERT_EQ(form.logicalDpiX(), 96);
    EXPECT_EQ(form.size(), QSize(473, 297)); // 7095 x 4455 twips
    EXPECT_EQ(Twips(form.lstGames), QRect(240, 240, 5295, 3705));
    EXPECT_EQ(Twips(form.txtSearch), QRect(240, 3930, 5295, 285));
    const std::pair<QPushButton*, int> tops[] = {
        {form.cmdPlay, 240},    {form.cmdQuit, 720}, {form.cmdMame, 1320}, {form.cmdDriver, 1800},
        {form.cmdParent, 2280}, {form.cmdSet, 2760}, {form.cmdList, 3360}, {form.cmdAudit, 3840}};
    for (const auto& [button, top] : tops)
        EXPECT_EQ(Twips(button), QRect(5760, top, 1095, 375)) << button->objectName().toStdString();

    const QStringList controls = {"lstGames",  "txtSearch", "cmdPlay", "cmdQuit", "cmdMame",
                                  "cmdDriver", "cmdParent", "cmdSet",  "cmdList", "cmdAudit"};
    QStringList order;
    QWidget* w = form.lstGames;
    do {
        if (controls.contains(w->objectName()))
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != form.lstGames);
    EXPECT_EQ(order, controls);
    EXPECT_TRUE(form.cmdPlay->isDefault());
    EXPECT_FALSE(form.cmdParent->isEnabled());
    EXPECT_EQ(form.windowTitle(), "MAME");
    EXPECT_FALSE(form.windowIcon().isNull());
    EXPECT_EQ(form.findChild<QPushButton*>("cmdAudit")->text(), "&Audit");
}

TEST_F(Window, DesignMeasurementsAreTakenInTwips) {
    form.CaptureDesignLayout();
    EXPECT_EQ(form.design.lngFormWidth, 7095);
    EXPECT_EQ(form.design.lngFormHeight, 4455);
    EXPECT_EQ(form.design.lngListWidthGap, 1800);
    EXPECT_EQ(form.design.lngListHeightGap, 750);
    EXPECT_EQ(form.design.lngSearchWidthGap, 1800);
    EXPECT_EQ(form.design.lngSearchTopGap, 525);
    EXPECT_EQ(form.design.lngButtonLeftGap, 1335);
}

TEST_F(Window, PlainCaptionsReplaceEveryAccessKey) {
    form.ApplyPlainCaptions();
    QStringList captions;
    for (QPushButton* b : form.findChildren<QPushButton*>())
        captions << b->text();
    for (QAction* a : form.mnuForm->actions() + form.mnuList->actions())
        captions << a->text();
    EXPECT_EQ(captions.size(), 14);
    for (const QString& caption : captions)
        EXPECT_FALSE(caption.contains('&')) << caption.toStdString();
    EXPECT_EQ(form.mnuListPlay->text(), "Play...");
}

TEST_F(Window, OnlyTheRightButtonOpensThePopUps) {
    form.show();
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(&form, Qt::MiddleButton, {}, QPoint(5, 5));
    EXPECT_FALSE(form.mnuForm->isVisible());
    QTest::mousePress(&form, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(form.mnuForm->isVisible());
    EXPECT_TRUE(form.mnuFormCentre->isEnabled());
    form.mnuForm->hide();

    QTest::mousePress(form.lstGames->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(form.mnuList->isVisible());
    QTest::mousePress(form.lstGames->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(form.mnuList->isVisible());
    form.mnuList->hide();

    form.showMaximized();
    QTest::mousePress(&form, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_FALSE(form.mnuFormCentre->isEnabled());
    EXPECT_TRUE(form.mnuFormReset->isEnabled());
    form.mnuForm->hide();
}

TEST_F(Window, EnterPressesPlayUnlessAnotherButtonHasTheFocus) {
    int plays = 0, quits = 0;
    QObject::connect(form.cmdPlay, &QPushButton::clicked, [&] { ++plays; });
    QObject::disconnect(form.cmdQuit, nullptr, nullptr, nullptr);
    QObject::connect(form.cmdQuit, &QPushButton::clicked, [&] { ++quits; });
    form.show();
    QTest::keyClick(form.txtSearch, Qt::Key_Return);
    QTest::keyClick(form.lstGames, Qt::Key_Enter);
    EXPECT_EQ(plays, 2);
    QTest::keyClick(form.cmdQuit, Qt::Key_Return);
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(plays, 2);
    form.DisableGameCommands();
    QTest::keyClick(form.txtSearch, Qt::Key_Return);
    EXPECT_EQ(plays, 2);
}
