#pragma once

#include <optional>

#include <QtGlobal>

// The window's design size and the gaps between it and the controls, in
// twips, measured once at start-up.
struct DesignLayout {
    qint32 lngFormWidth = 0;
    qint32 lngFormHeight = 0;
    qint32 lngListWidthGap = 0;   // form width - list width
    qint32 lngListHeightGap = 0;  // form height - list height
    qint32 lngSearchWidthGap = 0; // form width - search box width
    qint32 lngSearchTopGap = 0;   // form height - search box top
    qint32 lngButtonLeftGap = 0;  // form width - left of the buttons
};

// Where the resize rule puts the controls for a window of width by height
// twips. A window narrower than its design width moves nothing across, one
// lower than its design height nothing down: those parts stay unset.
struct ControlLayout {
    std::optional<double> listWidth, searchWidth, buttonLeft; // at or above design width
    std::optional<double> listHeight, searchTop;              // at or above design height
};

ControlLayout LayoutForSize(double width, double height, const DesignLayout& design);
