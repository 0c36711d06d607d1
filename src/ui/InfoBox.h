#pragma once

#include <QString>

class QWidget;

// The widest a picture in the Info box is shown; a larger one is scaled down.
inline constexpr int kInfoPictureWidth = 320;

// A modal information box with one OK button that shows the picture in the
// file `picture` in place of the information icon, scaled down to at most
// kInfoPictureWidth pixels wide and half the screen's height. A file that does
// not load as a picture leaves the icon.
void showInfoBox(QWidget* owner, const QString& text, const QString& title, const QString& picture);
