#include "ScriptedSeam.h"
#include "ui/ListFont.h"
#include "ui/WindowCentring.h"
#include "ui/frmMain.h"

#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

class Layout : public ::testing::Test {
  protected:
    Layout() {
        form.CaptureDesignLayout();
        form.show(); // a hidden window gets its resize events only when shown
    }

    QRect Twips(const QWidget* w) const {
        return {w->x() * 15, w->y() * 15, w->width() * 15, w->height() * 15};
    }

    ScriptedSeam seam;
    frmMain form{seam};
};

} // namespace

TEST(WindowCentring, KeepsTheHalfPixelOfAnOddDifference) {
    const QPointF at = CentredPositionTwips(QRect(0, 0, 1024, 728), QRect(5, 5, 489, 334), 15, 15);
    EXPECT_EQ(at, QPointF(4012.5, 2955));
    // A panel at the top or left moves the work area; a larger window is not clamped.
    EXPECT_EQ(CentredPositionTwips(QRect(100, 30, 800, 600), QRect(0, 0, 1000, 600), 15, 15),
              QPointF(0, 450));
}

TEST(ListFont, HeightAsksForWholePointsRoundedToEven) {
    QFont font("Sans");
    const std::pair<double, int> cases[] = {{8.25, -11}, {12, -16}, {9.5, -13}, {8.5, -11}};
    for (const auto& [points, height] : cases) {
        font.setPointSizeF(points);
        EXPECT_EQ(FontRequestFor(font, 96).height, height) << points;
    }
    font.setBold(true);
    font.setItalic(true);
    const FontRequest request = FontRequestFor(font, 96);
    EXPECT_EQ(request.weight, 700);
    EXPECT_TRUE(request.italic);
    EXPECT_EQ(request.face, font.family());
}

TEST(ListFont, OnlyWeightSevenHundredIsBoldAndTenthsBecomePoints) {
    QFont start("Sans", 9);
    start.setBold(true);
    const QFont heavy = FontFromChoice(start, {"Serif", 800, false, 105});
    EXPECT_FALSE(heavy.bold());
    EXPECT_EQ(heavy.pointSizeF(), 10.5);
    EXPECT_EQ(heavy.family(), "Serif");
    const QFont bold = FontFromChoice(start, {"Serif", 700, true, 120});
    EXPECT_TRUE(bold.bold());
    EXPECT_TRUE(bold.italic());
}

TEST_F(Layout, DesignSizeGivesDesignPlacesAndGrowingKeepsTheMargins) {
    form.resize(473, 297);
    form.LayoutControls();
    EXPECT_EQ(Twips(form.lstGames), QRect(240, 240, 5295, 3705));
    EXPECT_EQ(Twips(form.txtSearch), QRect(240, 3930, 5295, 285));
    EXPECT_EQ(Twips(form.cmdAudit), QRect(5760, 3840, 1095, 375));

    form.resize(673, 497);
    EXPECT_EQ(Twips(form.lstGames), QRect(240, 240, 5295 + 3000, 3705 + 3000));
    EXPECT_EQ(Twips(form.txtSearch), QRect(240, 3930 + 3000, 5295 + 3000, 285));
    for (QPushButton* b : form.findChildren<QPushButton*>())
        EXPECT_EQ(b->x() * 15, 5760 + 3000) << b->objectName().toStdString();
}

TEST_F(Layout, BelowTheDesignSizeControlsStayWhereTheLastLayoutPutThem) {
    form.resize(673, 497);
    form.resize(300, 497); // narrower only: heights still follow
    EXPECT_EQ(form.cmdPlay->x() * 15, 5760 + 3000);
    EXPECT_EQ(form.lstGames->width() * 15, 5295 + 3000);
    form.resize(300, 200);
    EXPECT_EQ(form.lstGames->height() * 15, 3705 + 3000);
    form.resize(300, 397);
    EXPECT_EQ(form.lstGames->height() * 15, 3705 + 1500);
}

TEST_F(Layout, ResetFromMaximisedRestoresSizeFontAndCentres) {
    form.show();
    form.showMaximized();
    QFont big = form.lstGames->font();
    big.setPointSizeF(20);
    big.setBold(true);
    form.lstGames->setFont(big);

    form.mnuFormReset_Click();
    EXPECT_FALSE(form.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(form.size(), QSize(473, 297));
    EXPECT_EQ(form.lstGames->font().pointSizeF(), form.fntDefault.pointSizeF());
    EXPECT_FALSE(form.lstGames->font().bold());
    EXPECT_EQ(Twips(form.lstGames), QRect(240, 240, 5295, 3705));
    const QRect area = form.screen()->availableGeometry();
    const QRect frame = form.frameGeometry();
    EXPECT_LE(std::abs(frame.center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(frame.center().y() - area.center().y()), 1);
}

TEST_F(Layout, FontCommandGoesThroughTheChooserAndCancelChangesNothing) {
    QFont font = form.lstGames->font();
    font.setPointSizeF(8.25);
    form.lstGames->setFont(font);
    form.mnuListFont_Click(); // no answer: Cancel
    ASSERT_EQ(seam.fontRequests.size(), 1u);
    EXPECT_EQ(seam.fontRequests[0].height, -11);
    EXPECT_EQ(form.lstGames->font(), font);

    seam.fontAnswers = {FontChoice{font.family(), 700, true, 105}};
    form.mnuListFont_Click();
    EXPECT_TRUE(form.lstGames->font().bold());
    EXPECT_TRUE(form.lstGames->font().italic());
    EXPECT_EQ(form.lstGames->font().pointSizeF(), 10.5);
}
