// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/GameTableView.h"

#include "ui/TableOrderModel.h"

#include <QHeaderView>

GameTableView::GameTableView(const GameList& games, QAbstractItemModel* rows, QWidget* parent)
    : GameViewBase<QTableView>(parent), m_order(new TableOrderModel(games, rows, this)) {
    // Hidden before the rows come, the row numbers are never measured; every
    // row as high as the font needs, no row is measured either.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setModel(m_order);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the table for the search box, as it leaves the list.
    setTabKeyNavigation(false);
    setShowGrid(false);
    setWordWrap(false);
    setAlternatingRowColors(true);
    QHeaderView* header = horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(static_cast<int>(GameColumn::Description), QHeaderView::Stretch);
    header->setStretchLastSection(false);
    header->setSortIndicator(static_cast<int>(GameColumn::Description), Qt::AscendingOrder);
    setSortingEnabled(true);
    fitToFont();
    // Sorted anew, the table shows the selected game where it now stands.
    connect(m_order, &QAbstractItemModel::layoutChanged, this, [this] {
        if (currentIndex().isValid())
            scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
    });
}

int GameTableView::selectedShownRow() const {
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : m_order->shownRow(selected.first().row());
}

void GameTableView::selectShownRow(int shownRow) {
    const int row = m_order->tableRow(shownRow);
    if (row < 0)
        return;
    const QModelIndex item = m_order->index(row, std::max(currentIndex().column(), 0));
    if (selectedShownRow() != shownRow || currentIndex().row() != row)
        selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect |
                                                    QItemSelectionModel::Rows);
    scrollTo(item);
}

void GameTableView::askToPlay(const QModelIndex& at) {
    if (at.isValid())
        selectShownRow(m_order->shownRow(at.row()));
    emit playRequested();
}

void GameTableView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    // Left and Right move between the cells of one game.
    if (current.isValid() && (!previous.isValid() || current.row() != previous.row()))
        emit rowSelected(m_order->shownRow(current.row()));
}

void GameTableView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToFont();
}

void GameTableView::fitToFont() {
    const QFontMetrics metrics = fontMetrics();
    verticalHeader()->setMinimumSectionSize(metrics.height());
    verticalHeader()->setDefaultSectionSize(metrics.height() + metrics.height() / 3);
    // Each column as wide as its header, or as what it shows, whichever is more.
    const int pad = metrics.averageCharWidth() * 2;
    const std::pair<GameColumn, int> widths[] = {
        {GameColumn::Year, metrics.horizontalAdvance(QStringLiteral("8888?")) + pad},
        {GameColumn::Manufacturer, metrics.averageCharWidth() * 18 + pad},
        {GameColumn::Status, metrics.horizontalAdvance(QStringLiteral("Preliminary")) + pad},
        {GameColumn::Played, metrics.horizontalAdvance(QStringLiteral("9999")) + pad},
        {GameColumn::Favourite, metrics.horizontalAdvance(QStringLiteral("\u2605")) + pad}};
    QHeaderView* header = horizontalHeader();
    for (const auto& [column, width] : widths)
        header->resizeSection(static_cast<int>(column),
                              std::max(width, header->sectionSizeHint(static_cast<int>(column))));
}
