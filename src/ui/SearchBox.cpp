// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/SearchBox.h"

#include <QLocale>
#include <QTimer>

void SearchBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // After the press that brought the focus has placed the cursor.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void SearchBox::showNoMatch(bool noMatch, qsizetype hiddenMatches) {
    if (noMatch) {
        setToolTip(hiddenMatches == 0   ? tr("No game matches this text.")
                   : hiddenMatches == 1 ? tr("No shown game matches this text; 1 game hidden by "
                                             "Show or the filter does.")
                                        : tr("No shown game matches this text; %1 games hidden by "
                                             "Show or the filter do.")
                                              .arg(QLocale().toString(hiddenMatches)));
    }
    if (noMatch == m_noMatch)
        return;
    m_noMatch = noMatch;
    if (!noMatch) {
        setPalette(m_normal);
        setToolTip({});
        return;
    }
    m_normal = palette();
    // The theme's red for errors: dark on a light box, light on a dark one.
    QPalette colours = m_normal;
    const bool light = colours.color(QPalette::Base).lightness() >= 128;
    colours.setColor(QPalette::Text, light ? QColor(0xc0, 0x1c, 0x28) : QColor(0xff, 0x7b, 0x63));
    setPalette(colours);
}
