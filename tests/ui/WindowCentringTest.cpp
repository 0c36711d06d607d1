// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/WindowCentring.h"

#include <gtest/gtest.h>

TEST(WindowCentring, KeepsTheHalfPixelOfAnOddDifference) {
    const QPointF at = centredPositionTwips(QRect(0, 0, 1024, 728), QRect(5, 5, 489, 334), 15, 15);
    EXPECT_EQ(at, QPointF(4012.5, 2955));
    // A panel at the top or left moves the work area; a larger window is not clamped.
    EXPECT_EQ(centredPositionTwips(QRect(100, 30, 800, 600), QRect(0, 0, 1000, 600), 15, 15),
              QPointF(0, 450));
}
