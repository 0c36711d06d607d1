// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPointF>
#include <QRect>

// The left and top, in twips, that centre a window's outer rectangle on the
// desktop work area (both in pixels). The halving is a true division, so an
// odd difference keeps its half pixel; the result is not clamped.
QPointF centredPositionTwips(const QRect& workArea, const QRect& window, double twipsPerPixelX,
                             double twipsPerPixelY);
