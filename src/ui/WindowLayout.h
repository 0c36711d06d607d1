#pragma once

#include <optional>

// The design gaps, in twips, between the window's size and its controls.
struct DesignGaps {
    int formWidth = 0;
    int formHeight = 0;
    int listWidthGap = 0;
    int listHeightGap = 0;
    int searchWidthGap = 0;
    int searchTopGap = 0;
    int buttonLeftGap = 0;
};

// Where the resize rule puts the controls for a window of width by height
// twips. A window narrower than its design width moves nothing across, one
// lower than its design height nothing down: those parts stay unset.
struct ControlLayout {
    std::optional<double> listWidth, searchWidth, buttonLeft; // at or above design width
    std::optional<double> listHeight, searchTop;              // at or above design height
};

ControlLayout LayoutForSize(double width, double height, const DesignGaps& gaps);
