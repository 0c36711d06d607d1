// SPDX-License-Identifier: GPL-2.0-or-later
#include "text/TrimSpaces.h"

qsizetype leadingSpaces(QStringView text) {
    qsizetype count = 0;
    while (count < text.size() && text[count] == u' ')
        ++count;
    return count;
}

qsizetype trailingSpaces(QStringView text) {
    qsizetype count = 0;
    while (count < text.size() && text[text.size() - 1 - count] == u' ')
        ++count;
    return count;
}

QString trimSpaces(QStringView text) {
    const qsizetype lead = leadingSpaces(text);
    if (lead == text.size())
        return {};
    return text.sliced(lead, text.size() - lead - trailingSpaces(text)).toString();
}
