// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/GameViewParts.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QPainter>

QItemSelectionModel::SelectionFlags keepOneSelected(const QModelIndex& index,
                                                    QItemSelectionModel::SelectionFlags proposed) {
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    if (proposed & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect | (proposed & QItemSelectionModel::Rows);
    if (proposed == QItemSelectionModel::Clear)
        return QItemSelectionModel::NoUpdate;
    return proposed;
}

bool isMenuKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Menu ||
           (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier);
}

QPoint keyboardMenuPosition(const QAbstractItemView& view) {
    const QRect row = view.visualRect(view.currentIndex());
    const QRect visible = view.viewport()->rect();
    const QPoint at = row.isValid() && visible.intersects(row)
                          ? QPoint(visible.left(), row.top() + row.height() / 2)
                          : visible.topLeft();
    return view.viewport()->mapToGlobal(at);
}

void paintEmptyHint(QAbstractItemView& view, const QString& hint) {
    if (hint.isEmpty() || !view.model() || view.model()->rowCount() > 0)
        return;
    QPainter painter(view.viewport());
    painter.setPen(view.palette().color(QPalette::PlaceholderText));
    const int margin = view.fontMetrics().averageCharWidth() * 2;
    painter.drawText(view.viewport()->rect().adjusted(margin, margin, -margin, -margin),
                     Qt::AlignCenter | Qt::TextWordWrap, hint);
}
