// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/ResizeRule.h"

#include "ui/Twips.h"

#include <QEvent>
#include <cmath>

ResizeRule::ResizeRule(QWidget* window, QWidget* list, QWidget* search,
                       std::vector<QWidget*> buttons)
    : QObject(window), m_window(window), m_list(list), m_search(search),
      m_buttons(std::move(buttons)) {
    const TwipsPerPixel twips = TwipsPerPixel::of(window);
    auto x = [&](int pixels) { return static_cast<qint32>(std::nearbyint(pixels * twips.x)); };
    auto y = [&](int pixels) { return static_cast<qint32>(std::nearbyint(pixels * twips.y)); };
    m_design.formWidth = x(window->width());
    m_design.formHeight = y(window->height());
    m_design.listWidthGap = m_design.formWidth - x(list->width());
    m_design.listHeightGap = m_design.formHeight - y(list->height());
    m_design.searchWidthGap = m_design.formWidth - x(search->width());
    m_design.searchTopGap = m_design.formHeight - y(search->y());
    m_design.buttonLeftGap = m_design.formWidth - x(m_buttons.front()->x());
    window->installEventFilter(this);
}

void ResizeRule::apply() {
    if (m_window->windowState() & Qt::WindowMinimized)
        return;
    const TwipsPerPixel twips = TwipsPerPixel::of(m_window);
    const double width = m_window->width() * twips.x;
    const double height = m_window->height() * twips.y;
    auto px = [](double value, double perPixel) {
        return static_cast<int>(std::lround(value / perPixel));
    };
    if (width >= m_design.formWidth) {
        m_list->resize(px(width - m_design.listWidthGap, twips.x), m_list->height());
        m_search->resize(px(width - m_design.searchWidthGap, twips.x), m_search->height());
        const int left = px(width - m_design.buttonLeftGap, twips.x);
        for (QWidget* button : m_buttons)
            button->move(left, button->y());
    }
    if (height >= m_design.formHeight) {
        m_list->resize(m_list->width(), px(height - m_design.listHeightGap, twips.y));
        m_search->move(m_search->x(), px(height - m_design.searchTopGap, twips.y));
    }
}

bool ResizeRule::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window &&
        (event->type() == QEvent::Resize || event->type() == QEvent::WindowStateChange))
        apply();
    return QObject::eventFilter(watched, event);
}
