// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QWidget>

class FrontEnd;
class QImage;
class InfoRowsView;
class QTabWidget;
class SnapshotLoader;
class SnapshotView;

// The details view's pane beside the table: for the selected game, without
// a click, its snapshot scaled to fit above its sections, the first of which,
// "Info", tells what the Info box tells, laid out as there. It follows the
// selection, the facts and plays the store gives, and the snapshots MAME
// takes, while it is shown; the picture is found and decoded off the GUI
// thread (SnapshotLoader) and arrives when it is ready. Where a current
// MAME keeps its snapshots is asked of it once, in the background; an old
// MAME's games have no snapshot here, as in the Info box.
//
// More sections (a history, more pictures) are added as tabs after "Info";
// the tabs show once there is more than one.
class DetailsPane : public QWidget {
    Q_OBJECT

  public:
    explicit DetailsPane(FrontEnd& frontEnd, QWidget* parent = nullptr);

    // Adds a section after those already there; the pane owns it.
    void addSection(QWidget* section, const QString& title);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // Shows the selected game, when the pane is shown.
    void showGame();
    void askPicture();
    void onPicture(const QString& set, const QImage& picture);

    FrontEnd& m_frontEnd;
    SnapshotView* m_snapshot;
    QTabWidget* m_sections;
    InfoRowsView* m_information;
    SnapshotLoader* m_snapshots;
    QString m_pictureSet;        // the set whose picture the pane waits for or shows
    bool m_pictureAsked = false; // of the snapshot loader, for m_pictureSet
};
