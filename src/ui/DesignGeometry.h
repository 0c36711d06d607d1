// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "ui/Twips.h"

#include <QRect>
#include <array>

// The window as designed, in twips: its client area and where each control
// stands in it at that size. The list and the search box share their left
// edge and width; the search box's top lies 15 twips above the list's
// bottom; the eight buttons (Play, Quit, Mame, Driver, Parent, Set, List,
// Audit) share one column.
namespace design {

inline constexpr QSize kClient{7095, 4455};
inline constexpr QRect kList{240, 240, 5295, 3705};
inline constexpr QRect kSearch{240, 3930, 5295, 285};
inline constexpr int kButtonLeft = 5760;
inline constexpr QSize kButton{1095, 375};
inline constexpr std::array<int, 8> kButtonTops = {240, 720, 1320, 1800, 2280, 2760, 3360, 3840};

} // namespace design

// The design in pixels at the window's resolution: each left, top, width and
// height rounded to the nearest pixel on its own, as the controls were placed.
struct DesignRects {
    QSize client;
    QRect list;
    QRect search;
    std::array<QRect, 8> buttons;

    static DesignRects at(TwipsPerPixel twips) {
        const auto x = [&](int value) { return qRound(value / twips.x); };
        const auto y = [&](int value) { return qRound(value / twips.y); };
        const auto rect = [&](const QRect& r) {
            return QRect(x(r.x()), y(r.y()), x(r.width()), y(r.height()));
        };
        DesignRects rects;
        rects.client = {x(design::kClient.width()), y(design::kClient.height())};
        rects.list = rect(design::kList);
        rects.search = rect(design::kSearch);
        for (size_t i = 0; i < rects.buttons.size(); ++i)
            rects.buttons[i] =
                rect(QRect({design::kButtonLeft, design::kButtonTops[i]}, design::kButton));
        return rects;
    }
};
