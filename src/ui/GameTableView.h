// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "ui/GameViewBase.h"

#include <QTableView>

class GameList;
class TableOrderModel;

// The details view's table of the shown games, over the list's own model in
// an order of its own (TableOrderModel): a click on a header sorts by that
// column, a second click reverses. It does what the list does on a click or
// a key (GameViewBase). Rows are given and told as shown rows, whatever the
// table's order.
class GameTableView : public GameViewBase<QTableView> {
    Q_OBJECT

  public:
    GameTableView(const GameList& games, QAbstractItemModel* rows, QWidget* parent = nullptr);

    // The selected game's shown row, -1 when there is none.
    int selectedShownRow() const;
    // Selects the game of `shownRow` and scrolls to it; nothing changes for
    // a row that is not there.
    void selectShownRow(int shownRow);
    TableOrderModel& order() const { return *m_order; }

  signals:
    void rowSelected(int shownRow);
    void playRequested();
    void menuRequested(const QPoint& globalPosition);

  protected:
    void askForMenu(const QPoint& globalPosition) override { emit menuRequested(globalPosition); }
    void askToPlay(const QModelIndex& at) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void changeEvent(QEvent* event) override;

  private:
    // Row heights and column widths for the font.
    void fitToFont();

    TableOrderModel* m_order;
};
