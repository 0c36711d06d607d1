// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "settings/Settings.h"

#include <QObject>
#include <QPointer>
#include <QSize>
#include <optional>

class DetailsPane;
class FrontEnd;
class GameListView;
class GameTableView;
class QAbstractItemModel;
class QAbstractItemView;
class QFont;
class QWidget;
class WindowLayout;

// The smallest window, in pixels at 96 dpi, that the details view grows to
// when it is switched on (within the screen's work area).
inline constexpr QSize kDetailsWindowSize{960, 600};

// The details view, switched on and off in the window: while on, a table of
// the shown games with their facts (GameTableView) takes the list's place
// and a pane (DetailsPane) beside it shows the selected game's information
// and snapshot, following the selection without a click. Switched on, a
// window smaller than kDetailsWindowSize grows (within the screen's work
// area); switched off, a window that grew goes back to its size before.
// With an old MAME's games (no facts) the table hides the columns it has no
// values for. The table and the pane are made when first switched on, so a
// window that never shows them never pays for them.
class DetailsView : public QObject {
    Q_OBJECT

  public:
    DetailsView(QWidget* window, FrontEnd& frontEnd, QAbstractItemModel* rows, GameListView* list,
                WindowLayout& layout);
    ~DetailsView() override;

    bool isOn() const { return m_on; }
    void setOn(bool on);
    // After the window went back to its design size (Reset): while on, the
    // view grows it again, and switched off it goes back to that size.
    void growAgain();
    // At start-up: the view as the settings left it; the window keeps the
    // size it was given.
    void restore(const DetailsSettings& settings);
    // What the settings keep of the view (written only while it is on).
    DetailsSettings settings() const;

    // The view that shows the games now: the list, or the table.
    QAbstractItemView* gamesView() const;
    // Selects shown row `row` in the table, when there is one.
    void selectRow(int row);
    void setFont(const QFont& font);

  signals:
    void playRequested();
    void menuRequested(const QPoint& globalPosition);

  private:
    void build();
    void show(bool on);
    void grow();
    void showColumns();

    QWidget* m_window;
    FrontEnd& m_frontEnd;
    QAbstractItemModel* m_rows;
    GameListView* m_list;
    WindowLayout& m_layout;
    GameTableView* m_table = nullptr;
    DetailsPane* m_pane = nullptr;
    bool m_on = false;
    std::optional<QSize> m_plainSize; // the window's before it grew for the view
    std::optional<int> m_paneWidth;   // to give the pane when it is next shown
};
