#pragma once

#include <QString>
#include <QStringView>

// Blanks around a text: only the space character counts; tabs and every other
// character stay.

// `text` without its leading and trailing spaces.
QString TrimSpaces(QStringView text);

// How many spaces `text` begins with, and ends with.
qsizetype LeadingSpaces(QStringView text);
qsizetype TrailingSpaces(QStringView text);
