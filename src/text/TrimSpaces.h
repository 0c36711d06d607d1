// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// Blanks around a text: only the space character counts; tabs and every other
// character stay.

// `text` without its leading and trailing spaces.
QString trimSpaces(QStringView text);

// How many spaces `text` begins with, and ends with.
qsizetype leadingSpaces(QStringView text);
qsizetype trailingSpaces(QStringView text);
