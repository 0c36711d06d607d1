// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "gamelist/GameInfo.h"
#include "launch/ArtworkLookup.h"

#include <QDialog>

class PictureLoader;
class QLabel;
class QTabWidget;

// Info for a game with history or artwork beyond its snapshot: a dialog with
// tabs ("infoTabs"): "Info" (the rows laid out as the Info box lays them out,
// the snapshot beside them), "History" (scrollable, when there is one), then
// one tab per other kind of artwork found ("Title", "Flyer" ...). Ctrl+Tab goes to the next tab.
// The pictures are read and decoded off this thread; one too large or broken leaves a line saying
// so in its place.
class GameInfoDialog : public QDialog {
    Q_OBJECT

  public:
    GameInfoDialog(const GameInfo& info, const QString& title, QWidget* parent = nullptr);

    // Whether `info` needs the dialog rather than the Info box.
    static bool wanted(const GameInfo& info);

  private:
    QLabel* addPicture(const ArtworkFile& where, const QSize& largest);

    QTabWidget* m_tabs = nullptr;
    PictureLoader* m_loader = nullptr;
};
