// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QTableView>

class GameList;
class TableOrderModel;

// The details view's table of the shown games, over the list's own model in
// an order of its own (TableOrderModel): a click on a header sorts by that
// column, a second click reverses. Like the list, it keeps one game selected
// while there are games, asks to play on a double click and for the list's
// menu on a right press, the Menu key or Shift+F10, and shows a hint while
// empty. Rows are given and told as shown rows, whatever the table's order.
class GameTableView : public QTableView {
    Q_OBJECT

  public:
    GameTableView(const GameList& games, QAbstractItemModel* rows, QWidget* parent = nullptr);

    // The selected game's shown row, -1 when there is none.
    int selectedShownRow() const;
    // Selects the game of `shownRow` and scrolls to it; nothing changes for
    // a row that is not there.
    void selectShownRow(int shownRow);
    void setEmptyHint(const QString& text);
    TableOrderModel& order() const { return *m_order; }

  signals:
    void rowSelected(int shownRow);
    void playRequested();
    void menuRequested(const QPoint& globalPosition);

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Row heights and column widths for the font.
    void fitToFont();

    TableOrderModel* m_order;
    QString m_emptyHint;
};
