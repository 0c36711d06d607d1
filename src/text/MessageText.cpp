// SPDX-License-Identifier: GPL-2.0-or-later
#include "text/MessageText.h"

#include <QLocale>

QString formatCount(qint64 count) {
    return QLocale(QLocale::English).toString(count);
}

QString quoted(const QString& text) {
    constexpr qsizetype kLimit = 100;
    if (text.size() <= kLimit)
        return u'"' + text + u'"';
    return u'"' + text.left(kLimit) + QStringLiteral("...\"");
}
