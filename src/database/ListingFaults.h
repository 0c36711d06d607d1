// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "text/MessageText.h"

#include <QCoreApplication>
#include <QString>

// How the messages about MAME's listings and reports name a faulty line.

// "Line N of MAME's <output> <fault>: "<line>"".
inline QString lineFault(const QString& output, qsizetype lineNumber, const QString& fault,
                         const QString& line) {
    return QCoreApplication::translate("ListingFaults", "Line %1 of MAME's %2 %3: %4")
        .arg(QString::number(lineNumber), output, fault, quoted(line));
}
