// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <vector>

class QGridLayout;
class QPushButton;
class QSplitter;
class QWidget;

// The window's controls in Qt layouts. At the design size every control
// stands at its design rectangle (DesignRects). A larger window gives its
// extra width and height to the list and the search box's width: the search
// box moves down with the bottom edge, the buttons move right with the right
// edge and keep their tops, and every margin to the right and bottom edges
// stays. The window cannot be made smaller than its layout's minimum: the
// design size, more while the details pane is shown.
//
// The list stands in the left part of a splitter whose right part, the
// details pane, is hidden until the details view shows it.
class WindowLayout {
  public:
    // Lays out `list`, `search` and `buttons` (top to bottom) in `window`,
    // sized for the window's resolution.
    WindowLayout(QWidget* window, QWidget* list, QWidget* search,
                 const std::vector<QPushButton*>& buttons);

    // Another view of the games in the list's place, shown instead of it.
    void addInListsPlace(QWidget* view);
    // The pane right of the list and the search box, across a splitter;
    // while the pane is hidden, the splitter shows the list alone.
    void addPane(QWidget* pane);
    QSplitter* splitter() const { return m_splitter; }

  private:
    QGridLayout* m_listCell;
    QSplitter* m_splitter;
    int m_listRows; // how many rows of the list's cell the list spans
};
