#pragma once

#include "database/GameRecord.h"

#include <QAbstractListModel>

// The list's view of the shown table: row k is record k, showing its
// description. The model reads the table in place, so the list and the
// table cannot drift apart; replacing the table is one model reset.
class GameListModel : public QAbstractListModel {
    Q_OBJECT

  public:
    GameListModel(const GameTable& shown, QObject* parent = nullptr)
        : QAbstractListModel(parent), shown_(shown) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Call around every change of the shown table.
    void BeginReplace() { beginResetModel(); }
    void EndReplace() { endResetModel(); }

  private:
    const GameTable& shown_;
};
