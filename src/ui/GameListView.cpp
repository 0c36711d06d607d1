// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/GameListView.h"

GameListView::GameListView(QWidget* parent) : GameViewBase<QListView>(parent) {
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

void GameListView::askToPlay(const QModelIndex& at) {
    if (at.isValid())
        selectRow(at.row());
    emit playRequested();
}

void GameListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QListView::currentChanged(current, previous);
    if (current.isValid())
        emit rowSelected(current.row());
}
