// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/AppIcon.h"

#include <QPainter>
#include <QPixmap>

QIcon appIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40), 1.5));
    painter.setBrush(QColor(200, 40, 40));
    painter.drawRoundedRect(QRectF(3.5, 2.5, 25, 27), 4, 4);
    painter.setBrush(QColor(240, 200, 60));
    painter.drawRoundedRect(QRectF(9.5, 7.5, 13, 17), 3, 3);
    painter.setBrush(QColor(30, 30, 30));
    painter.drawRect(QRectF(15, 10, 2, 12));
    return QIcon(pixmap);
}
