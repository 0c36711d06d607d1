// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "ui/GameViewParts.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>

// What the game list and the details table do alike, on top of their Qt
// view (`View`, a QAbstractItemView): one game always selected while there
// are games; a right press (on the items or the frame), the Menu key or
// Shift+F10 ask for the list's menu, leaving the selection alone; a left
// double click selects the game under it and asks to play; a hint is drawn
// while there are no rows. The views tell of these through their signals.
template <class View> class GameViewBase : public View {
  public:
    using View::View;

    // The text drawn in the middle of the view while it has no rows; it is
    // no item: nothing to select.
    void setEmptyHint(const QString& text) {
        m_emptyHint = text;
        this->viewport()->update();
    }
    const QString& emptyHint() const { return m_emptyHint; }

  protected:
    virtual void askForMenu(const QPoint& globalPosition) = 0;
    // `at` is the item double-clicked; invalid beside the items.
    virtual void askToPlay(const QModelIndex& at) = 0;

    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override {
        return keepOneSelected(index, View::selectionCommand(index, event));
    }
    bool event(QEvent* event) override {
        // A right press on the view's frame, outside its items' area, is a
        // press on the view too.
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            askForMenu(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            return true;
        }
        return View::event(event);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::RightButton)
            return askForMenu(event->globalPosition().toPoint());
        View::mousePressEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton)
            return View::mouseDoubleClickEvent(event);
        askToPlay(this->indexAt(event->position().toPoint()));
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (isMenuKey(*event))
            return askForMenu(keyboardMenuPosition(*this));
        View::keyPressEvent(event);
    }
    void paintEvent(QPaintEvent* event) override {
        View::paintEvent(event);
        paintEmptyHint(*this, m_emptyHint);
    }

  private:
    QString m_emptyHint;
};
