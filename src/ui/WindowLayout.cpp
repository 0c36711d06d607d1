#include "ui/WindowLayout.h"

ControlLayout LayoutForSize(double width, double height, const DesignGaps& gaps) {
    ControlLayout layout;
    if (width >= gaps.formWidth) {
        layout.listWidth = width - gaps.listWidthGap;
        layout.searchWidth = width - gaps.searchWidthGap;
        layout.buttonLeft = width - gaps.buttonLeftGap;
    }
    if (height >= gaps.formHeight) {
        layout.listHeight = height - gaps.listHeightGap;
        layout.searchTop = height - gaps.searchTopGap;
    }
    return layout;
}
