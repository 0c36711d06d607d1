// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "ui/DialogSeam.h"

#include <QFont>

// The font's size in points, also for a font whose size was given in pixels.
double pointSize(const QFont& font);

// What the font chooser is handed for the list's current font: its face,
// weight 700 when bold else 400, its italic flag, and the character height
// -(points * dpi / 72) with the points first made whole. Both roundings go to
// the nearest whole number, a tie to the even one.
FontRequest fontRequestFor(const QFont& font, int pixelsPerInchY);

// The list font after a confirmed choice: the chosen face, bold exactly when
// the weight is 700, italic, and the point size in tenths divided by ten.
QFont fontFromChoice(QFont font, const FontChoice& choice);
