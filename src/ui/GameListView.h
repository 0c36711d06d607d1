// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "ui/GameViewBase.h"

#include <QListView>

// The game list (see GameViewBase for what it does on a click or a key).
class GameListView : public GameViewBase<QListView> {
    Q_OBJECT

  public:
    explicit GameListView(QWidget* parent = nullptr);

    // The selected row, -1 when the list is empty.
    int selectedRow() const;
    // Selects `row` and scrolls to it; nothing changes for a row that is not there.
    void selectRow(int row);

  signals:
    void rowSelected(int row);
    void playRequested();
    void menuRequested(const QPoint& globalPosition);

  protected:
    void askForMenu(const QPoint& globalPosition) override { emit menuRequested(globalPosition); }
    void askToPlay(const QModelIndex& at) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};
