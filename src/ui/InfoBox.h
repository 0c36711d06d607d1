// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "gamelist/GameInfo.h"

#include <QString>

class QWidget;

// The widest a picture in the Info box is shown; a larger one is scaled down.
inline constexpr int kInfoPictureWidth = 320;

// The Info box's text for a game without a current MAME's facts: the title,
// an empty line, then a line for each row, its label and value apart by a
// tab (a row without a label starts with the tab).
QString infoText(const GameInfo& info);

// The Info box of a game with a current MAME's facts: a modal information box
// with one OK button whose rows stand as a table, so that a long label
// ("Manufacturer") keeps its value in the column. The picture, when there is
// one, stands in place of the information icon, scaled down to at most
// kInfoPictureWidth pixels wide and half the screen's height.
void showInfoBox(QWidget* owner, const GameInfo& info, const QString& title);

// The box's text as rich text: the title as a paragraph, an empty one, and
// the rows as a table.
QString infoBoxHtml(const GameInfo& info);
