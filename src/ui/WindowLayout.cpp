#include "ui/WindowLayout.h"

ControlLayout LayoutForSize(double width, double height, const DesignLayout& design) {
    ControlLayout layout;
    if (width >= design.lngFormWidth) {
        layout.listWidth = width - design.lngListWidthGap;
        layout.searchWidth = width - design.lngSearchWidthGap;
        layout.buttonLeft = width - design.lngButtonLeftGap;
    }
    if (height >= design.lngFormHeight) {
        layout.listHeight = height - design.lngListHeightGap;
        layout.searchTop = height - design.lngSearchTopGap;
    }
    return layout;
}
