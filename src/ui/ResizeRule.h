// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QWidget;

// The window's design size and the gaps between it and the controls, in
// twips, measured once at start-up.
struct DesignLayout {
    qint32 formWidth = 0;
    qint32 formHeight = 0;
    qint32 listWidthGap = 0;   // form width - list width
    qint32 listHeightGap = 0;  // form height - list height
    qint32 searchWidthGap = 0; // form width - search box width
    qint32 searchTopGap = 0;   // form height - search box top
    qint32 buttonLeftGap = 0;  // form width - left of the buttons
};

// Keeps the controls in step with the window: the list and the search box
// stretch, the search box and the buttons move, and every margin to the right
// and bottom edges stays as designed. A window narrower than its design width
// moves nothing across, one lower than its design height nothing down, and a
// minimised one nothing at all. It lays out on every resize and every change
// of the window's state.
class ResizeRule : public QObject {
    Q_OBJECT

  public:
    // Measures the design layout from the controls as they stand now.
    ResizeRule(QWidget* window, QWidget* list, QWidget* search, std::vector<QWidget*> buttons);

    const DesignLayout& design() const { return m_design; }
    void apply();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* m_window;
    QWidget* m_list;
    QWidget* m_search;
    std::vector<QWidget*> m_buttons;
    DesignLayout m_design;
};
