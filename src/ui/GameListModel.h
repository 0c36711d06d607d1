// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QAbstractTableModel>

class GameList;
struct GameRecord;

// The views' model of the game list's shown rows: row k is shownGame(k).
// The list shows its first column, the description; the details view's
// table all of them (GameColumn): description, year, manufacturer, status,
// play count and a favourite mark. It reads the games and the game list's
// fact columns in place, resets on the game list's signals (so the views and
// the shown rows cannot drift apart), and tells of changed facts, plays and
// favourites as changed data.
class GameListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit GameListModel(const GameList& games, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QVariant cellText(const GameRecord& game, qint32 position, int column) const;
    void factsChanged();

    const GameList& m_games;
};
