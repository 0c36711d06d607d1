// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// How messages write the counts and texts they name.

// A count in English digit groups: "39,372".
QString formatCount(qint64 count);

// A text in double quotes, cut short after 100 characters with "...":
// "Pac-Man", "a very long line...".
QString quoted(const QString& text);
