// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QProgressBar>

// A progress bar that repaints at a human rate. A moving bar (no known
// total) is animated by the style, which asks for a repaint on every frame
// (60 a second in Fusion); this bar lets at most ten of those through a
// second, each showing the animation where it has got to by then.
class SteadyProgressBar : public QProgressBar {
    Q_OBJECT

  public:
    using QProgressBar::QProgressBar;

  protected:
    bool event(QEvent* event) override;

  private:
    QElapsedTimer m_sinceFrame;
};
