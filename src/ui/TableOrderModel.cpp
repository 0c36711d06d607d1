// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/TableOrderModel.h"

#include "frontend/GameList.h"

TableOrderModel::TableOrderModel(const GameList& games, QAbstractItemModel* rows, QObject* parent)
    : QAbstractProxyModel(parent), m_games(games) {
    setSourceModel(rows);
    connect(rows, &QAbstractItemModel::modelAboutToBeReset, this,
            &TableOrderModel::beginResetModel);
    connect(rows, &QAbstractItemModel::modelReset, this, [this] {
        reorder();
        endResetModel();
    });
    connect(rows, &QAbstractItemModel::dataChanged, this, &TableOrderModel::onDataChanged);
    connect(rows, &QAbstractItemModel::headerDataChanged, this,
            &TableOrderModel::headerDataChanged);
}

QModelIndex TableOrderModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return createIndex(row, column);
}

QModelIndex TableOrderModel::parent(const QModelIndex&) const {
    return {};
}

int TableOrderModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : sourceModel()->rowCount();
}

int TableOrderModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : sourceModel()->columnCount();
}

int TableOrderModel::shownRow(int tableRow) const {
    if (tableRow < 0 || tableRow >= rowCount())
        return -1;
    return m_shownRowAt.empty() ? tableRow : m_shownRowAt[static_cast<size_t>(tableRow)];
}

int TableOrderModel::tableRow(int shownRow) const {
    if (shownRow < 0 || shownRow >= rowCount())
        return -1;
    return m_tableRowOf.empty() ? shownRow : m_tableRowOf[static_cast<size_t>(shownRow)];
}

QModelIndex TableOrderModel::mapToSource(const QModelIndex& proxyIndex) const {
    if (!proxyIndex.isValid())
        return {};
    return sourceModel()->index(shownRow(proxyIndex.row()), proxyIndex.column());
}

QModelIndex TableOrderModel::mapFromSource(const QModelIndex& sourceIndex) const {
    if (!sourceIndex.isValid())
        return {};
    return index(tableRow(sourceIndex.row()), sourceIndex.column());
}

QVariant TableOrderModel::headerData(int section, Qt::Orientation orientation, int role) const {
    // The columns are the rows' own; only the rows are ordered anew.
    if (orientation == Qt::Horizontal)
        return sourceModel()->headerData(section, orientation, role);
    return QAbstractProxyModel::headerData(section, orientation, role);
}

void TableOrderModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= kGameColumnCount)
        return;
    m_column = static_cast<GameColumn>(column);
    m_order = order;
    resort();
}

void TableOrderModel::reorder() {
    m_shownRowAt.clear();
    m_tableRowOf.clear();
    if (m_column == GameColumn::Description && m_order == Qt::AscendingOrder)
        return;
    m_shownRowAt =
        sortByColumn(m_games.shownRows(), m_column, m_order,
                     {m_games.factColumns(), m_games.manufacturers(), m_games.facts().flags});
    m_tableRowOf.resize(m_shownRowAt.size());
    for (size_t at = 0; at < m_shownRowAt.size(); ++at)
        m_tableRowOf[static_cast<size_t>(m_shownRowAt[at])] = static_cast<qint32>(at);
}

void TableOrderModel::resort() {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> shown;
    shown.reserve(static_cast<size_t>(before.size()));
    for (const QModelIndex& index : before)
        shown.push_back(shownRow(index.row()));
    reorder();
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        after.append(index(tableRow(shown[static_cast<size_t>(i)]), before[i].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TableOrderModel::onDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                    const QList<int>& roles) {
    const int column = static_cast<int>(m_column);
    if (m_column != GameColumn::Description && topLeft.column() <= column &&
        column <= bottomRight.column())
        resort();
    // Which rows changed is of no matter to the table: it repaints the ones it shows.
    if (rowCount() > 0)
        emit dataChanged(index(0, topLeft.column()), index(rowCount() - 1, bottomRight.column()),
                         roles);
}
