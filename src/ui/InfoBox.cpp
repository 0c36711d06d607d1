// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/InfoBox.h"

#include "text/TextFile.h"

#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QStringList>
#include <QWidget>

QString infoText(const GameInfo& info) {
    QString text = info.title + QStringLiteral("\n");
    for (const InfoRow& row : info.rows)
        text += u'\n' + row.label + u'\t' + row.value;
    return text;
}

QString infoBoxHtml(const GameInfo& info) {
    QString html = QStringLiteral("<p>") + info.title.toHtmlEscaped() +
                   QStringLiteral("</p><p></p><table cellspacing=\"0\" cellpadding=\"1\">");
    for (const InfoRow& row : info.rows)
        html += QStringLiteral("<tr><td style=\"padding-right: 12px\">") +
                row.label.toHtmlEscaped() + QStringLiteral("</td><td>") +
                row.value.toHtmlEscaped() + QStringLiteral("</td></tr>");
    return html + QStringLiteral("</table>");
}

void showInfoBox(QWidget* owner, const GameInfo& info, const QString& title) {
    QMessageBox box(QMessageBox::Information, title, infoBoxHtml(info), QMessageBox::Ok, owner);
    box.setTextFormat(Qt::RichText);
    QPixmap pixmap; // read by its path's own bytes (readFileBytes)
    pixmap.loadFromData(readFileBytes(info.picture).value_or(QByteArray()));
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
