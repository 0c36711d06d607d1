// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

// How the messages about MAME's listings and reports quote what MAME printed.

// A line of MAME's output in double quotes, cut short after 100 characters.
inline QString quotedLine(const QString& line) {
    constexpr qsizetype kLimit = 100;
    if (line.size() <= kLimit)
        return u'"' + line + u'"';
    return u'"' + line.left(kLimit) + QStringLiteral("...\"");
}

// "Line N of MAME's <output> <fault>: "<line>"".
inline QString lineFault(const QString& output, qsizetype lineNumber, const QString& fault,
                         const QString& line) {
    return QCoreApplication::translate("ListingFaults", "Line %1 of MAME's %2 %3: %4")
        .arg(QString::number(lineNumber), output, fault, quotedLine(line));
}
