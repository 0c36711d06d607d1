// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/GameListView.h"

#include <QMouseEvent>
#include <QPainter>

GameListView::GameListView(QWidget* parent) : QListView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
}

int GameListView::selectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void GameListView::selectRow(int row) {
    const QModelIndex item = model()->index(row, 0);
    if (!item.isValid())
        return;
    if (selectedRow() != row || currentIndex() != item)
        selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
    scrollTo(item);
}

QItemSelectionModel::SelectionFlags GameListView::selectionCommand(const QModelIndex& index,
                                                                   const QEvent* event) const {
    // Neither a click beside the games nor Ctrl with a click or Space may
    // leave the list without a selected game.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    const QItemSelectionModel::SelectionFlags flags = QListView::selectionCommand(index, event);
    if (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect;
    if (flags == QItemSelectionModel::Clear)
        return QItemSelectionModel::NoUpdate;
    return flags;
}

bool GameListView::event(QEvent* event) {
    // A right press on the list's frame, outside its items' area, is a press
    // on the list too.
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            emit menuRequested(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QListView::event(event);
}

void GameListView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        // The menu leaves the selection alone.
        emit menuRequested(event->globalPosition().toPoint());
        return;
    }
    QListView::mousePressEvent(event);
}

void GameListView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QListView::mouseDoubleClickEvent(event);
        return;
    }
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid())
        selectRow(at.row());
    emit playRequested();
}

void GameListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QListView::currentChanged(current, previous);
    if (current.isValid())
        emit rowSelected(current.row());
}

void GameListView::setEmptyHint(const QString& text) {
    m_emptyHint = text;
    viewport()->update();
}

void GameListView::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
    if (m_emptyHint.isEmpty() || !model() || model()->rowCount() > 0)
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const int margin = fontMetrics().averageCharWidth() * 2;
    painter.drawText(viewport()->rect().adjusted(margin, margin, -margin, -margin),
                     Qt::AlignCenter | Qt::TextWordWrap, m_emptyHint);
}
