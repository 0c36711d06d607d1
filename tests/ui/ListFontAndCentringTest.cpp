// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/ListFont.h"
#include "ui/WindowCentring.h"

#include <gtest/gtest.h>

TEST(WindowCentring, KeepsTheHalfPixelOfAnOddDifference) {
    const QPointF at = centredPositionTwips(QRect(0, 0, 1024, 728), QRect(5, 5, 489, 334), 15, 15);
    EXPECT_EQ(at, QPointF(4012.5, 2955));
    // A panel at the top or left moves the work area; a larger window is not clamped.
    EXPECT_EQ(centredPositionTwips(QRect(100, 30, 800, 600), QRect(0, 0, 1000, 600), 15, 15),
              QPointF(0, 450));
}

TEST(ListFont, HeightAsksForWholePointsRoundedToEvenAndOnlyWeightSevenHundredIsBold) {
    QFont font("Sans");
    const std::pair<double, int> cases[] = {{8.25, -11}, {12, -16}, {9.5, -13}, {8.5, -11}};
    for (const auto& [points, height] : cases) {
        font.setPointSizeF(points);
        EXPECT_EQ(fontRequestFor(font, 96).height, height) << points;
    }
    font.setBold(true);
    font.setItalic(true);
    const FontRequest request = fontRequestFor(font, 96);
    EXPECT_EQ(request.weight, 700);
    EXPECT_TRUE(request.italic);
    EXPECT_EQ(request.face, font.family());

    const QFont heavy = fontFromChoice(font, {"Serif", 800, false, 105});
    EXPECT_FALSE(heavy.bold() || heavy.italic());
    EXPECT_EQ(heavy.pointSizeF(), 10.5);
    EXPECT_EQ(heavy.family(), "Serif");
    EXPECT_TRUE(fontFromChoice(heavy, {"Serif", 700, true, 120}).bold());
}
