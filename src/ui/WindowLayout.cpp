// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/WindowLayout.h"

#include "ui/DesignGeometry.h"

#include <QGridLayout>
#include <QPushButton>
#include <QSplitter>

WindowLayout::WindowLayout(QWidget* window, QWidget* list, QWidget* search,
                           const std::vector<QPushButton*>& buttons) {
    const DesignRects design = DesignRects::at(TwipsPerPixel::of(window));
    const QRect& column = design.buttons.front();

    // Left: the list over the search box, which overlaps its bottom edge by
    // `overlap` pixels: the list spans rows 0 and 1, the search box rows 1
    // and 2. Only row 0 grows.
    auto* listArea = new QWidget;
    listArea->setObjectName(QStringLiteral("listArea"));
    m_listCell = new QGridLayout(listArea);
    m_listCell->setContentsMargins(0, 0, 0, 0);
    m_listCell->setSpacing(0);
    const int overlap = design.list.bottom() - design.search.top() + 1;
    const int shared = std::max(overlap, 0);
    m_listRows = overlap > 0 ? 2 : 1;
    m_listCell->setRowStretch(0, 1);
    m_listCell->setRowMinimumHeight(1, overlap > 0 ? overlap : -overlap);
    m_listCell->setRowMinimumHeight(2, design.search.height() - shared);
    list->setMinimumSize(design.list.size());
    m_listCell->addWidget(list, 0, 0, m_listRows, 1);
    search->setFixedHeight(design.search.height());
    m_listCell->addWidget(search, overlap > 0 ? 1 : 2, 0, overlap > 0 ? 2 : 1, 1);

    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->setObjectName(QStringLiteral("detailsSplitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(listArea);
    m_splitter->setStretchFactor(0, 1);

    // Right: the buttons at their design tops, from the top down.
    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->setSpacing(0);
    int below = design.list.top();
    for (size_t i = 0; i < buttons.size(); ++i) {
        const QRect& place = design.buttons[i];
        buttonColumn->addSpacing(place.top() - below);
        buttons[i]->setFixedSize(place.size());
        buttonColumn->addWidget(buttons[i]);
        below = place.top() + place.height();
    }
    buttonColumn->addStretch(1);

    auto* whole = new QHBoxLayout(window);
    whole->setSpacing(0);
    whole->setContentsMargins(design.list.left(), design.list.top(),
                              design.client.width() - column.left() - column.width(),
                              design.client.height() - design.search.top() -
                                  design.search.height());
    whole->addWidget(m_splitter, 1);
    whole->addSpacing(column.left() - design.list.left() - design.list.width());
    whole->addLayout(buttonColumn);
}

void WindowLayout::addInListsPlace(QWidget* view) {
    view->hide();
    m_listCell->addWidget(view, 0, 0, m_listRows, 1);
}

void WindowLayout::addPane(QWidget* pane) {
    pane->hide();
    m_splitter->addWidget(pane);
    m_splitter->setStretchFactor(1, 0);
}
