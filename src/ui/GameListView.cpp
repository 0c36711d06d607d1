// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/GameListView.h"

#include "ui/GameViewParts.h"

#include <QKeyEvent>
#include <QMouseEvent>

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
    return keepOneSelected(index, QListView::selectionCommand(index, event));
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

void GameListView::keyPressEvent(QKeyEvent* event) {
    if (isMenuKey(*event)) {
        emit menuRequested(keyboardMenuPosition(*this));
        return;
    }
    QListView::keyPressEvent(event);
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
    paintEmptyHint(*this, m_emptyHint);
}
