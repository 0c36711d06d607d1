// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/GameListModel.h"

#include "frontend/GameList.h"
#include "gamelist/ColumnSort.h"

#include <QCoreApplication>

namespace {

QString statusText(DriverStatus status) {
    switch (status) {
    case DriverStatus::Good:
        return QCoreApplication::translate("GameListModel", "Good");
    case DriverStatus::Imperfect:
        return QCoreApplication::translate("GameListModel", "Imperfect");
    case DriverStatus::Preliminary:
        return QCoreApplication::translate("GameListModel", "Preliminary");
    case DriverStatus::Unknown:
        break;
    }
    return {};
}

const QString kFavouriteMark = QStringLiteral("\u2605");

// The entry of `column` for master position `at`, or nothing when the
// column is empty (no facts read) or short.
template <class T> const T* entry(const std::vector<T>& column, qint32 at) {
    return at >= 0 && static_cast<size_t>(at) < column.size() ? &column[static_cast<size_t>(at)]
                                                              : nullptr;
}

} // namespace

GameListModel::GameListModel(const GameList& games, QObject* parent)
    : QAbstractTableModel(parent), m_games(games) {
    connect(&games, &GameList::shownAboutToChange, this, &GameListModel::beginResetModel);
    connect(&games, &GameList::shownChanged, this, &GameListModel::endResetModel);
    connect(&games, &GameList::showChoicesChanged, this, &GameListModel::factsChanged);
    connect(&games, &GameList::playCounted, this, &GameListModel::factsChanged);
}

int GameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_games.shownRows().size());
}

int GameListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kGameColumnCount;
}

QVariant GameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const qint32 position = m_games.shownRows()[index.row()];
    const auto column = static_cast<GameColumn>(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return cellText(m_games.games()[static_cast<size_t>(position)], position, index.column());
    case Qt::TextAlignmentRole:
        if (column == GameColumn::Year || column == GameColumn::Played ||
            column == GameColumn::Favourite)
            return QVariant::fromValue(Qt::AlignCenter);
        return {};
    case Qt::ToolTipRole:
        if (column == GameColumn::Played) {
            const QDateTime* last = entry(m_games.factColumns().lastPlayed, position);
            if (last && last->isValid())
                return QCoreApplication::translate("GameListModel", "Last played %1")
                    .arg(last->toString(QStringLiteral("yyyy-MM-dd HH:mm")));
        }
        return {};
    default:
        return {};
    }
}

QVariant GameListModel::cellText(const GameRecord& game, qint32 position, int column) const {
    // The list asks for descriptions only, and never reads the facts.
    if (static_cast<GameColumn>(column) == GameColumn::Description)
        return game.description();
    const FactColumns& facts = m_games.factColumns();
    switch (static_cast<GameColumn>(column)) {
    case GameColumn::Description:
        break;
    case GameColumn::Year:
        if (const QString* year = entry(facts.years, position))
            return *year;
        return {};
    case GameColumn::Manufacturer:
        if (const QString* maker = entry(m_games.manufacturers(), position))
            return *maker;
        return {};
    case GameColumn::Status:
        if (const DriverStatus* status = entry(facts.statuses, position))
            return statusText(*status);
        return {};
    case GameColumn::Played:
        if (const int* count = entry(facts.playCounts, position); count && *count > 0)
            return *count;
        return {};
    case GameColumn::Favourite:
        return m_games.isFavourite(position) ? kFavouriteMark : QString();
    }
    return {};
}

QVariant GameListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kGameColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QString titles[kGameColumnCount] = {
        QCoreApplication::translate("GameListModel", "Description"),
        QCoreApplication::translate("GameListModel", "Year"),
        QCoreApplication::translate("GameListModel", "Manufacturer"),
        QCoreApplication::translate("GameListModel", "Status"),
        QCoreApplication::translate("GameListModel", "Played"),
        kFavouriteMark};
    if (role == Qt::DisplayRole)
        return titles[section];
    // A first click on a header sorts ascending, whatever the last column's order.
    if (role == Qt::InitialSortOrderRole)
        return QVariant::fromValue(Qt::AscendingOrder);
    if (role == Qt::ToolTipRole && static_cast<GameColumn>(section) == GameColumn::Favourite)
        return QCoreApplication::translate("GameListModel", "Favourite");
    return {};
}

void GameListModel::factsChanged() {
    // The description never changes here; the columns beside it may.
    if (rowCount() > 0)
        emit dataChanged(index(0, 1), index(rowCount() - 1, kGameColumnCount - 1));
}
