// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "gamelist/GameInfo.h"

#include <QWidget>
#include <optional>
#include <utility>
#include <vector>

class QGridLayout;
class QLabel;

// A game's information as the Info box lays it out: the title, then each
// row's label and value side by side, the values in one column. Plain labels,
// kept from one game to the next, so that moving through the games costs no
// more than new texts.
class InfoRowsView : public QWidget {
    Q_OBJECT

  public:
    explicit InfoRowsView(QWidget* parent = nullptr);

    // Nothing shows no game.
    void showInformation(const std::optional<GameInfo>& info);
    // What it shows, a line a row: the title, then each label TAB value.
    QString text() const;

  private:
    QGridLayout* m_grid;
    QLabel* m_title;
    std::vector<std::pair<QLabel*, QLabel*>> m_rows; // label, value
    qsizetype m_shown = 0;                           // rows in use
};
