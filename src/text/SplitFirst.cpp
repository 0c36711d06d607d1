// SPDX-License-Identifier: GPL-2.0-or-later
#include "text/SplitFirst.h"

QString splitFirst(QString& text, QChar separator) {
    const qsizetype at = text.indexOf(separator);
    if (at < 0) {
        QString head = std::move(text);
        text.clear();
        return head;
    }
    QString head = text.left(at);
    text.remove(0, at + 1);
    return head;
}
