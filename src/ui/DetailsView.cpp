// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/DetailsView.h"

#include "frontend/FrontEnd.h"
#include "ui/DetailsPane.h"
#include "ui/GameListView.h"
#include "ui/GameTableView.h"
#include "ui/TableOrderModel.h"
#include "ui/Twips.h"
#include "ui/WindowLayout.h"

#include <QHeaderView>
#include <QLayout>
#include <QScreen>
#include <QSplitter>
#include <cmath>

namespace {

// The pane's width until the user sets one, in pixels at 96 dpi.
constexpr int kPaneWidth = 300;

qint32 toTwips(int pixels, double perPixel) {
    return static_cast<qint32>(std::lround(pixels * perPixel));
}

int toPixels(qint32 twips, double perPixel) {
    return static_cast<int>(std::lround(twips / perPixel));
}

} // namespace

DetailsView::DetailsView(QWidget* window, FrontEnd& frontEnd, QAbstractItemModel* rows,
                         GameListView* list, WindowLayout& layout)
    : QObject(window), m_window(window), m_frontEnd(frontEnd), m_rows(rows), m_list(list),
      m_layout(layout) {}

DetailsView::~DetailsView() = default;

void DetailsView::build() {
    if (m_table)
        return;
    const GameList& games = m_frontEnd.games();
    m_table = new GameTableView(games, m_rows);
    m_table->setObjectName(QStringLiteral("gameTable"));
    m_table->setEmptyHint(m_list->emptyHint());
    m_table->setFont(m_list->font());
    m_layout.addInListsPlace(m_table);
    QWidget::setTabOrder(m_list, m_table);
    m_pane = new DetailsPane(m_frontEnd);
    m_layout.addPane(m_pane);

    connect(m_table, &GameTableView::rowSelected, &m_frontEnd.games(), &GameList::select);
    connect(m_table, &GameTableView::playRequested, this, &DetailsView::playRequested);
    connect(m_table, &GameTableView::menuRequested, this, &DetailsView::menuRequested);
    connect(&games, &GameList::showChoicesChanged, this, &DetailsView::showColumns);
}

void DetailsView::setOn(bool on) {
    if (on == m_on)
        return;
    if (on) {
        build();
        grow();
        show(true);
        return;
    }
    const bool normal = !(m_window->windowState() &
                          (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
    m_paneWidth = m_pane->width();
    show(false);
    if (m_plainSize && normal)
        m_window->resize(*m_plainSize);
    m_plainSize.reset();
}

void DetailsView::growAgain() {
    m_plainSize.reset();
    if (m_on)
        grow();
}

void DetailsView::restore(const DetailsSettings& settings) {
    const TwipsPerPixel twips = TwipsPerPixel::of(m_window);
    if (settings.paneWidth)
        m_paneWidth = toPixels(*settings.paneWidth, twips.x);
    if (settings.on && settings.plainWidth && settings.plainHeight)
        m_plainSize = QSize(toPixels(*settings.plainWidth, twips.x),
                            toPixels(*settings.plainHeight, twips.y));
    if (settings.on && !m_on) {
        build();
        show(true);
    }
}

DetailsSettings DetailsView::settings() const {
    const TwipsPerPixel twips = TwipsPerPixel::of(m_window);
    DetailsSettings settings;
    settings.on = m_on;
    if (!m_on)
        return settings;
    settings.paneWidth =
        toTwips(m_pane->isVisible() ? m_pane->width() : m_paneWidth.value_or(0), twips.x);
    if (m_plainSize) {
        settings.plainWidth = toTwips(m_plainSize->width(), twips.x);
        settings.plainHeight = toTwips(m_plainSize->height(), twips.y);
    }
    return settings;
}

QAbstractItemView* DetailsView::gamesView() const {
    if (m_on)
        return m_table;
    return m_list;
}

void DetailsView::selectRow(int row) {
    if (m_table)
        m_table->selectShownRow(row);
}

void DetailsView::setFont(const QFont& font) {
    if (m_table)
        m_table->setFont(font);
}

void DetailsView::grow() {
    if (m_window->windowState() &
        (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))
        return;
    const QSize before = m_window->size();
    QSize wanted =
        before.expandedTo({qRound(kDetailsWindowSize.width() * m_window->logicalDpiX() / 96.0),
                           qRound(kDetailsWindowSize.height() * m_window->logicalDpiY() / 96.0)});
    const QRect frame = m_window->frameGeometry();
    const QSize frameExtra = frame.size() - before;
    const QScreen* screen = m_window->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    if (area.isValid())
        wanted = wanted.boundedTo(area.size() - frameExtra).expandedTo(before);
    if (wanted == before)
        return;
    m_plainSize = before;
    m_window->resize(wanted);
    if (!area.isValid())
        return;
    // Within the work area, as far as it goes.
    QRect grown(frame.topLeft(), wanted + frameExtra);
    grown.moveRight(std::min(grown.right(), area.right()));
    grown.moveBottom(std::min(grown.bottom(), area.bottom()));
    grown.moveLeft(std::max(grown.left(), area.left()));
    grown.moveTop(std::max(grown.top(), area.top()));
    if (grown.topLeft() != frame.topLeft())
        m_window->move(grown.topLeft());
}

void DetailsView::show(bool on) {
    m_on = on;
    QWidget* focused = m_window->focusWidget();
    const bool listFocused = focused == m_list || focused == m_table;
    QAbstractItemView* shown = gamesView();
    QAbstractItemView* hidden = on ? static_cast<QAbstractItemView*>(m_list) : m_table;
    shown->show();
    hidden->hide();
    m_pane->setVisible(on);
    if (on) {
        const int paneWidth =
            m_paneWidth.value_or(qRound(kPaneWidth * m_window->logicalDpiX() / 96.0));
        m_window->layout()->activate();
        QSplitter* splitter = m_layout.splitter();
        splitter->setSizes({std::max(splitter->width() - paneWidth, 1), paneWidth});
        showColumns();
        const int row = m_frontEnd.games().selectedRow();
        if (row >= 0)
            m_table->selectShownRow(row);
    } else if (m_frontEnd.games().selectedRow() >= 0) {
        m_list->selectRow(m_frontEnd.games().selectedRow());
    }
    // The selected game in the middle of the view that now shows the games.
    shown->scrollTo(shown->currentIndex(), QAbstractItemView::PositionAtCenter);
    if (listFocused)
        shown->setFocus();
}

void DetailsView::showColumns() {
    // Without a current MAME's facts, the year, maker and status are not known.
    const bool facts = !m_frontEnd.catalogueLoaded() || m_frontEnd.games().hasMachineFacts();
    for (GameColumn column : {GameColumn::Year, GameColumn::Manufacturer, GameColumn::Status})
        m_table->setColumnHidden(static_cast<int>(column), !facts);
}
