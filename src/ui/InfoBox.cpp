// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/InfoBox.h"

#include "text/TextFile.h"

#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QStringList>
#include <QWidget>

QString infoBoxHtml(const QString& text) {
    QString html;
    bool inTable = false;
    for (const QString& line : text.split(u'\n')) {
        const qsizetype tab = line.indexOf(u'\t');
        if (tab < 0 && !inTable) {
            html += QStringLiteral("<p>") + line.toHtmlEscaped() + QStringLiteral("</p>");
            continue;
        }
        if (!inTable)
            html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"1\">");
        inTable = true;
        const QString label = tab < 0 ? line : line.left(tab);
        const QString value = tab < 0 ? QString() : line.mid(tab + 1);
        html += QStringLiteral("<tr><td style=\"padding-right: 12px\">") + label.toHtmlEscaped() +
                QStringLiteral("</td><td>") + value.toHtmlEscaped() + QStringLiteral("</td></tr>");
    }
    if (inTable)
        html += QStringLiteral("</table>");
    return html;
}

void showInfoBox(QWidget* owner, const QString& text, const QString& title,
                 const QString& picture) {
    QMessageBox box(QMessageBox::Information, title, infoBoxHtml(text), QMessageBox::Ok, owner);
    box.setTextFormat(Qt::RichText);
    QPixmap pixmap; // read by its path's own bytes (readFileBytes)
    pixmap.loadFromData(readFileBytes(picture).value_or(QByteArray()));
    if (!pixmap.isNull()) {
        const QScreen* screen = owner ? owner->screen() : nullptr;
        const int tallest = screen ? screen->availableGeometry().height() / 2 : kInfoPictureWidth;
        if (pixmap.width() > kInfoPictureWidth || pixmap.height() > tallest)
            pixmap = pixmap.scaled(kInfoPictureWidth, tallest, Qt::KeepAspectRatio,
                                   Qt::SmoothTransformation);
        box.setIconPixmap(pixmap);
    }
    box.exec();
}
