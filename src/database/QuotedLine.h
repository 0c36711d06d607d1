#pragma once

#include <QString>

// A line of MAME's output as quoted in a message: in double quotes, cut
// short after 100 characters.
inline QString quotedLine(const QString& line) {
    constexpr qsizetype kLimit = 100;
    if (line.size() <= kLimit)
        return u'"' + line + u'"';
    return u'"' + line.left(kLimit) + QStringLiteral("...\"");
}
