// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/SteadyProgressBar.h"

#include <QEvent>

namespace {

constexpr qint64 kFrameMilliseconds = 100;

} // namespace

bool SteadyProgressBar::event(QEvent* event) {
    if (event->type() == QEvent::StyleAnimationUpdate) {
        if (m_sinceFrame.isValid() && m_sinceFrame.elapsed() < kFrameMilliseconds)
            return true; // this frame is skipped
        m_sinceFrame.start();
    }
    return QProgressBar::event(event);
}
