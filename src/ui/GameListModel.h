// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QAbstractListModel>

class GameList;

// The list's view of the game list's shown rows: row k shows the description
// of shownGame(k). It reads the games in place and resets on the game list's
// signals, so the list and the shown rows cannot drift apart.
class GameListModel : public QAbstractListModel {
    Q_OBJECT

  public:
    explicit GameListModel(const GameList& games, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    const GameList& m_games;
};
