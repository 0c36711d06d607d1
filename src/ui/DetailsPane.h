// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "frontend/SupportFiles.h"
#include "launch/ArtworkLookup.h"

#include <QCache>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

class FrontEnd;
class InfoRowsView;
class PictureLoader;
class QPlainTextEdit;
class QTabWidget;
class SnapshotView;
struct LoadedPicture;

// The details view's pane beside the table: for the selected game, without
// a click, its snapshot scaled to fit above its sections, the first of which,
// "Info", tells what the Info box tells, laid out as there. Then, for a game
// of a current MAME, "History" (its history, else its parent's, when
// history.xml has one) and a tab for each other kind of artwork found for it
// or its parent ("Title", "Flyer" ...), as Info finds them. It follows the
// selection, the facts and plays the store gives, and the snapshots MAME
// takes, while it is shown.
//
// Nothing is read on the GUI thread but the store: the history entry, the
// artwork lookup and the pictures are read and decoded on the worker of a
// PictureLoader and arrive when ready. A newer selection drops what is still
// asked for an older one, so that moving through the table never waits and
// always ends on the last game's. What was found for the games last shown is
// kept, until a game is played (MAME may have taken a snapshot). Where a
// current MAME keeps its snapshots is asked of it once, in the background;
// an old MAME's games have no snapshot here, as in the Info box.
//
// More sections may be added as tabs after these; the tabs show once there
// is more than one.
class DetailsPane : public QWidget {
    Q_OBJECT

  public:
    explicit DetailsPane(FrontEnd& frontEnd, QWidget* parent = nullptr);

    // Adds a section after those already there; the pane owns it.
    void addSection(QWidget* section, const QString& title);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // What was found for a game off the GUI thread.
    struct Found {
        std::optional<HistorySource> source; // what the history was read from
        bool withFolders = false;            // the artwork was looked up
        QString history;
        std::vector<FoundArtwork> artwork;
    };

    // Shows the selected game, when the pane is shown.
    void showGame();
    // Asks for the history and artwork of the game shown.
    void askDetails();
    void showFound(const Found& found);
    void showSnapshot(const LoadedPicture& picture);
    // The history and artwork tabs for `found`, after "Info".
    void setTabs(const Found& found);
    SnapshotView* artView(ArtKind kind);
    // Forgets what was found: it may have changed.
    void forgetFound();

    FrontEnd& m_frontEnd;
    SnapshotView* m_snapshot;
    QTabWidget* m_sections;
    InfoRowsView* m_information;
    QPlainTextEdit* m_history;
    std::array<SnapshotView*, kArtKinds> m_art{}; // made at need; none for the snapshot
    PictureLoader* m_loader;
    QCache<QString, Found> m_found; // by set
    QString m_set;                  // the game whose details the pane waits for or shows
    QString m_parent;
    bool m_withFacts = false;
    bool m_asked = false; // for m_set, since the last change of the folders
    QString m_chosenTab;  // the title of the tab the user chose last
    bool m_settingTabs = false;
};
