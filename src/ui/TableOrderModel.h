// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "gamelist/ColumnSort.h"

#include <QAbstractProxyModel>
#include <vector>

class GameList;

// The details table's own order over the views' model (GameListModel): the
// same rows and columns, sorted for the table alone when a header is
// clicked (sortByColumn), so that the list, the database, the search and the
// saved selection keep the shown rows' order. No row is copied: the order is
// a permutation of row numbers, and none at all while the table shows the
// rows' own order (by description, ascending). A new set of shown rows is
// sorted the same way; so are changed values of the column sorted by.
class TableOrderModel : public QAbstractProxyModel {
    Q_OBJECT

  public:
    TableOrderModel(const GameList& games, QAbstractItemModel* rows, QObject* parent = nullptr);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The shown row at table row `row`, and back; -1 for a row not there.
    int shownRow(int tableRow) const;
    int tableRow(int shownRow) const;
    GameColumn sortColumn() const { return m_column; }
    Qt::SortOrder sortOrder() const { return m_order; }

  private:
    // Sorts the rows anew, keeping the views' selection on its games.
    void resort();
    void reorder();
    void onDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                       const QList<int>& roles);

    const GameList& m_games;
    GameColumn m_column = GameColumn::Description;
    Qt::SortOrder m_order = Qt::AscendingOrder;
    std::vector<qint32> m_shownRowAt; // empty: the rows' own order
    std::vector<qint32> m_tableRowOf;
};
