// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>

// Twips (1/1440 inch) per pixel along x and y, from the widget's screen.
struct TwipsPerPixel {
    double x = 15.0;
    double y = 15.0;

    static TwipsPerPixel of(const QWidget* widget) {
        return {1440.0 / widget->logicalDpiX(), 1440.0 / widget->logicalDpiY()};
    }
};
