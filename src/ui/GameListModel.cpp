#include "ui/GameListModel.h"

#include "frontend/FrontEnd.h"

GameListModel::GameListModel(const FrontEnd& frontEnd, QObject* parent)
    : QAbstractListModel(parent), m_frontEnd(frontEnd) {
    connect(&frontEnd, &FrontEnd::shownAboutToChange, this, &GameListModel::beginResetModel);
    connect(&frontEnd, &FrontEnd::shownChanged, this, &GameListModel::endResetModel);
}

int GameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_frontEnd.state().shown.size());
}

QVariant GameListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    return m_frontEnd.state().shown[static_cast<size_t>(index.row())].description;
}
