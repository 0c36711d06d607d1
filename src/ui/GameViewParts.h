// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QItemSelectionModel>
#include <QPoint>

class QAbstractItemView;
class QKeyEvent;
class QString;

// What the game list and the details table do alike.

// The selection change a view makes for a click or key on `index`, given
// the one the view would make (`proposed`): neither a click beside the games
// nor Ctrl with a click or Space leaves the view without a selected game.
QItemSelectionModel::SelectionFlags keepOneSelected(const QModelIndex& index,
                                                    QItemSelectionModel::SelectionFlags proposed);

// Whether `event` asks for the view's menu from the keyboard: the Menu key,
// or Shift+F10.
bool isMenuKey(const QKeyEvent& event);

// Where the view's menu opens for the keyboard, on the screen: at the left
// of the current row, just below its top, or at the view's top left without one.
QPoint keyboardMenuPosition(const QAbstractItemView& view);

// Paints `hint` in the middle of the view's viewport while its model has no
// rows; the hint is no item, there is nothing to select. For paintEvent.
void paintEmptyHint(QAbstractItemView& view, const QString& hint);
