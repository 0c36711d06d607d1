// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/DetailsPane.h"

#include "frontend/FrontEnd.h"
#include "ui/InfoRowsView.h"
#include "ui/SnapshotLoader.h"
#include "ui/SnapshotView.h"

#include <QCoreApplication>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kNoSnapshot = QCoreApplication::translate(
    "DetailsPane", "No snapshot yet. Press F12 while the game runs to take one.");
const QString kLookingForSnapshot =
    QCoreApplication::translate("DetailsPane", "Looking for a snapshot\u2026");

} // namespace

DetailsPane::DetailsPane(FrontEnd& frontEnd, QWidget* parent)
    : QWidget(parent), m_frontEnd(frontEnd), m_snapshot(new SnapshotView),
      m_sections(new QTabWidget), m_information(new InfoRowsView),
      m_snapshots(new SnapshotLoader(this)) {
    setObjectName(QStringLiteral("detailsPane"));
    m_snapshot->setObjectName(QStringLiteral("snapshot"));
    m_sections->setObjectName(QStringLiteral("detailsSections"));
    m_sections->setTabBarAutoHide(true);
    m_sections->setDocumentMode(true);
    m_information->setObjectName(QStringLiteral("detailsInformation"));
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(m_information);
    m_sections->addTab(scroll, QCoreApplication::translate("DetailsPane", "Info"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_snapshot);
    layout->addWidget(m_sections, 1);

    const GameList& games = frontEnd.games();
    connect(&games, &GameList::selectionChanged, this, &DetailsPane::showGame);
    connect(&games, &GameList::showChoicesChanged, this, &DetailsPane::showGame);
    connect(&games, &GameList::playCounted, this, &DetailsPane::showGame);
    connect(&frontEnd, &FrontEnd::snapshotFoldersLearnt, this, &DetailsPane::askPicture);
    connect(&frontEnd, &FrontEnd::busyChanged, this, [this](Command command, bool busy) {
        // MAME may have taken a snapshot of the game just played.
        if (command == Command::Play && !busy) {
            m_snapshots->forgetAll();
            m_pictureAsked = false;
            showGame();
        }
    });
    connect(m_snapshots, &SnapshotLoader::loaded, this, &DetailsPane::onPicture);
}

void DetailsPane::addSection(QWidget* section, const QString& title) {
    m_sections->addTab(section, title);
}

void DetailsPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    showGame();
}

void DetailsPane::showGame() {
    if (!isVisible())
        return;
    const std::optional<GameInfo> info = m_frontEnd.selectedGameInfo();
    m_information->showInformation(info);
    const QString set = info ? m_frontEnd.games().selectedGame()->name() : QString();
    if (set != m_pictureSet) {
        m_pictureSet = set;
        m_pictureAsked = false;
    }
    if (!m_pictureAsked)
        askPicture();
}

void DetailsPane::askPicture() {
    if (!isVisible() || m_pictureSet.isEmpty()) {
        m_snapshot->setPicture({}, {});
        return;
    }
    const std::optional<QStringList> folders = m_frontEnd.snapshotFolders();
    if (!folders) {
        // A current MAME is asked where its snapshots are; an old one keeps
        // none to find.
        m_frontEnd.learnSnapshotFolders();
        m_snapshot->setPicture({}, m_frontEnd.games().hasMachineFacts() ? kLookingForSnapshot
                                                                        : QString());
        return;
    }
    m_pictureAsked = true;
    m_snapshots->request(m_pictureSet, *folders);
}

void DetailsPane::onPicture(const QString& set, const QImage& picture) {
    if (set == m_pictureSet)
        m_snapshot->setPicture(picture, kNoSnapshot);
}
