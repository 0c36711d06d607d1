#include "ui/ResizeRule.h"

#include "ui/Twips.h"

#include <QEvent>
#include <cmath>

ResizeRule::ResizeRule(QWidget* window, QWidget* list, QWidget* search,
                       std::vector<QWidget*> buttons)
    : QObject(window), m_window(window), m_list(list), m_search(search),
      m_buttons(std::move(buttons)) {
    const TwipsPerPixel twips = TwipsPerPixel::Of(window);
    auto x = [&](int pixels) { return static_cast<qint32>(std::nearbyint(pixels * twips.x)); };
    auto y = [&](int pixels) { return static_cast<qint32>(std::nearbyint(pixels * twips.y)); };
    m_design.lngFormWidth = x(window->width());
    m_design.lngFormHeight = y(window->height());
    m_design.lngListWidthGap = m_design.lngFormWidth - x(list->width());
    m_design.lngListHeightGap = m_design.lngFormHeight - y(list->height());
    m_design.lngSearchWidthGap = m_design.lngFormWidth - x(search->width());
    m_design.lngSearchTopGap = m_design.lngFormHeight - y(search->y());
    m_design.lngButtonLeftGap = m_design.lngFormWidth - x(m_buttons.front()->x());
    window->installEventFilter(this);
}

void ResizeRule::Apply() {
    if (m_window->windowState() & Qt::WindowMinimized)
        return;
    const TwipsPerPixel twips = TwipsPerPixel::Of(m_window);
    const double width = m_window->width() * twips.x;
    const double height = m_window->height() * twips.y;
    auto px = [](double value, double perPixel) {
        return static_cast<int>(std::lround(value / perPixel));
    };
    if (width >= m_design.lngFormWidth) {
        m_list->resize(px(width - m_design.lngListWidthGap, twips.x), m_list->height());
        m_search->resize(px(width - m_design.lngSearchWidthGap, twips.x), m_search->height());
        const int left = px(width - m_design.lngButtonLeftGap, twips.x);
        for (QWidget* button : m_buttons)
            button->move(left, button->y());
    }
    if (height >= m_design.lngFormHeight) {
        m_list->resize(m_list->width(), px(height - m_design.lngListHeightGap, twips.y));
        m_search->move(m_search->x(), px(height - m_design.lngSearchTopGap, twips.y));
    }
}

bool ResizeRule::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window &&
        (event->type() == QEvent::Resize || event->type() == QEvent::WindowStateChange))
        Apply();
    return QObject::eventFilter(watched, event);
}
