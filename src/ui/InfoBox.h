// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

class QWidget;

// The widest a picture in the Info box is shown; a larger one is scaled down.
inline constexpr int kInfoPictureWidth = 320;

// The Info box of a game with a current MAME's facts: a modal information box
// with one OK button whose "label TAB value" lines stand as a table, so that
// a long label ("Manufacturer") keeps its value in the column; a line that
// starts with TAB continues the label above. The picture in the file
// `picture`, when there is one, stands in place of the information icon,
// scaled down to at most kInfoPictureWidth pixels wide and half the screen's
// height. Lines end with LF.
void showInfoBox(QWidget* owner, const QString& text, const QString& title, const QString& picture);

// The box's text as rich text: the lines before the first "label TAB value"
// line as paragraphs, those lines as the rows of a table.
QString infoBoxHtml(const QString& text);
