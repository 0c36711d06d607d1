// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Readable gtest output for the Qt types the tests compare.

#include <QPointF>
#include <QRect>
#include <QString>
#include <QStringList>
#include <ostream>

// For a QString after << in an assertion's message.
inline std::ostream& operator<<(std::ostream& os, const QString& text) {
    return os << text.toStdString();
}

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i)
        *os << (i ? ", \"" : "\"") << list[i].toStdString() << '"';
    *os << '}';
}

inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << '(' << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ')';
}

inline void PrintTo(const QPointF& p, std::ostream* os) {
    *os << '(' << p.x() << ", " << p.y() << ')';
}
