// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "launch/ArtworkLookup.h"

#include <QDialog>
#include <vector>

class PictureLoader;
class QLabel;
class QTabWidget;

// What Info shows of a game beyond its information text: its history from
// history.xml and the artwork found for it.
struct GameInfoExtras {
    QString history; // empty: none
    std::vector<FoundArtwork> artwork;
    bool operator==(const GameInfoExtras&) const = default;
    bool any() const { return !history.isEmpty() || !artwork.empty(); }
};

// Info for a game with history or artwork: a dialog with tabs ("infoTabs"):
// "Info" (the text laid out as the Info box lays it out, the snapshot beside
// it), "History" (scrollable, when there is one), then one tab per other kind
// of artwork found ("Title", "Flyer" ...). Ctrl+Tab goes to the next tab. The
// pictures are read and decoded off this thread; one too large or broken
// leaves a line saying so in its place.
class GameInfoDialog : public QDialog {
    Q_OBJECT

  public:
    GameInfoDialog(const QString& title, const QString& text, const GameInfoExtras& extras,
                   QWidget* parent = nullptr);

  private:
    QLabel* addPicture(const ArtworkFile& where, const QSize& largest);

    QTabWidget* m_tabs = nullptr;
    PictureLoader* m_loader = nullptr;
};
