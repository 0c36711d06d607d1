// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/SnapshotView.h"

#include <QPainter>

SnapshotView::SnapshotView(QWidget* parent) : QWidget(parent) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void SnapshotView::setPicture(const QImage& picture, const QString& missing) {
    m_picture = picture;
    m_missing = missing;
    update();
}

void SnapshotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_picture.isNull()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_missing);
        return;
    }
    // The game's screen, 4:3, or 3:4 when it stands upright: MAME saves the
    // pixels its screen has, seldom in the screen's own shape.
    const QSize screen = m_picture.width() >= m_picture.height() ? QSize(4, 3) : QSize(3, 4);
    const QSize size = screen.scaled(this->size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_picture);
}
