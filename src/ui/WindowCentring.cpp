// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/WindowCentring.h"

QPointF centredPositionTwips(const QRect& workArea, const QRect& window, double twipsPerPixelX,
                             double twipsPerPixelY) {
    const qint32 workWidth = workArea.width();
    const qint32 workHeight = workArea.height();
    const qint32 windowWidth = window.width();
    const qint32 windowHeight = window.height();
    const double left = (workArea.left() + (workWidth - windowWidth) / 2.0) * twipsPerPixelX;
    const double top = (workArea.top() + (workHeight - windowHeight) / 2.0) * twipsPerPixelY;
    return {left, top};
}
