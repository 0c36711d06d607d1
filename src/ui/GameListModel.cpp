// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/GameListModel.h"

#include "frontend/GameList.h"

GameListModel::GameListModel(const GameList& games, QObject* parent)
    : QAbstractListModel(parent), m_games(games) {
    connect(&games, &GameList::shownAboutToChange, this, &GameListModel::beginResetModel);
    connect(&games, &GameList::shownChanged, this, &GameListModel::endResetModel);
}

int GameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_games.shownRows().size());
}

QVariant GameListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    return m_games.shownGame(index.row()).description();
}
