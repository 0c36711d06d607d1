// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QListView>

// The game list: one game always selected while there are games, a double
// click that asks to play, a right press, the Menu key or Shift+F10 that ask
// for the list's menu, and a hint while it is empty.
class GameListView : public QListView {
    Q_OBJECT

  public:
    explicit GameListView(QWidget* parent = nullptr);

    // The selected row, -1 when the list is empty.
    int selectedRow() const;
    // Selects `row` and scrolls to it; nothing changes for a row that is not there.
    void selectRow(int row);
    // The text drawn in the middle of the list while it has no rows; it is
    // no item: nothing to select.
    void setEmptyHint(const QString& text);
    const QString& emptyHint() const { return m_emptyHint; }

  signals:
    void rowSelected(int row);
    void playRequested();
    void menuRequested(const QPoint& globalPosition);

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QString m_emptyHint;
};
