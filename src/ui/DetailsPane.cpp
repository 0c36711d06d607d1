// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/DetailsPane.h"

#include "frontend/FrontEnd.h"
#include "ui/InfoRowsView.h"
#include "ui/PictureLoader.h"
#include "ui/SnapshotView.h"

#include <QCoreApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kNoSnapshot = QCoreApplication::translate(
    "DetailsPane", "No snapshot yet. Press F12 while the game runs to take one.");
const QString kLookingForSnapshot =
    QCoreApplication::translate("DetailsPane", "Looking for a snapshot\u2026");
const QString kLoading = QCoreApplication::translate("DetailsPane", "Loading\u2026");
const QString kHistory = QCoreApplication::translate("DetailsPane", "History");

// The games whose findings the pane keeps.
constexpr int kGamesKept = 64;
// The largest picture the pane keeps, in pixels.
constexpr QSize kLargestPicture{1024, 1024};

} // namespace

DetailsPane::DetailsPane(FrontEnd& frontEnd, QWidget* parent)
    : QWidget(parent), m_frontEnd(frontEnd), m_snapshot(new SnapshotView),
      m_sections(new QTabWidget), m_information(new InfoRowsView), m_history(new QPlainTextEdit),
      m_loader(new PictureLoader(this)), m_found(kGamesKept) {
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
    m_history->setObjectName(QStringLiteral("detailsHistory"));
    m_history->setReadOnly(true);
    m_history->setFrameShape(QFrame::NoFrame);
    m_history->setParent(this);
    m_history->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_snapshot);
    layout->addWidget(m_sections, 1);

    const GameList& games = frontEnd.games();
    connect(&games, &GameList::selectionChanged, this, &DetailsPane::showGame);
    connect(&games, &GameList::showChoicesChanged, this, &DetailsPane::showGame);
    connect(&games, &GameList::playCounted, this, &DetailsPane::showGame);
    connect(&frontEnd, &FrontEnd::snapshotFoldersLearnt, this, [this] {
        m_asked = false;
        showGame();
    });
    connect(&frontEnd, &FrontEnd::busyChanged, this, [this](Command command, bool busy) {
        // MAME may have taken a snapshot of the game just played.
        if (command == Command::Play && !busy) {
            forgetFound();
            showGame();
        }
    });
    connect(m_sections, &QTabWidget::currentChanged, this, [this](int index) {
        if (!m_settingTabs && index >= 0)
            m_chosenTab = m_sections->tabText(index);
    });
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
    const std::optional<GameRecord> game =
        info ? m_frontEnd.games().selectedGame() : std::optional<GameRecord>();
    const QString set = game ? game->name() : QString();
    if (set != m_set) {
        m_set = set;
        m_parent = game ? game->parent() : QString();
        m_asked = false;
    }
    if (const bool withFacts = info && info->withFacts; withFacts != m_withFacts) {
        m_withFacts = withFacts; // the history is looked up with the facts
        m_asked = false;
    }
    if (!m_asked)
        askDetails();
}

void DetailsPane::askDetails() {
    // What was asked for another game is of no use any more.
    m_loader->dropWaiting();
    if (m_set.isEmpty()) {
        m_snapshot->setPicture({}, {});
        setTabs({});
        return;
    }
    m_asked = true;
    const std::optional<QStringList> snapshots = m_frontEnd.snapshotFolders();
    if (!snapshots)
        // A current MAME is asked where its snapshots are; an old one keeps
        // none to find.
        m_frontEnd.learnSnapshotFolders();
    const std::optional<HistorySource> source =
        m_withFacts ? historySource(m_frontEnd.catalogue(), m_set, m_parent) : std::nullopt;
    if (const Found* kept = m_found.object(m_set);
        kept && kept->source == source && kept->withFolders == snapshots.has_value())
        return showFound(*kept);

    // Until the worker answers, nothing of the game shown before.
    m_history->clear();
    for (SnapshotView* view : m_art) {
        if (view)
            view->setPicture({}, kLoading);
    }
    const QStringList iniFolders = m_frontEnd.mame().iniFolders().value_or(QStringList());
    const QString set = m_set;
    const QString parent = m_parent;
    m_loader->run([this, set, parent, source, snapshots, iniFolders, home = QDir::homePath(),
                   working = QDir::currentPath()]() -> std::function<void()> {
        Found found;
        found.source = source;
        if (source)
            found.history = readHistory(*source).value_or(QString());
        if (snapshots) {
            found.withFolders = true;
            found.artwork = findGameArtwork(
                readSupportFolders(iniFolders, *snapshots, home, working), set, parent);
        }
        return [this, set, found = std::move(found)] {
            m_found.insert(set, new Found(found));
            showFound(found);
        };
    });
}

void DetailsPane::showFound(const Found& found) {
    setTabs(found);
    m_history->setPlainText(found.history);
    bool snapshot = false;
    for (const FoundArtwork& art : found.artwork) {
        if (art.kind == ArtKind::Snapshot) {
            snapshot = true;
            m_loader->load(
                art.where, [this](const LoadedPicture& picture) { showSnapshot(picture); },
                kLargestPicture);
            continue;
        }
        SnapshotView* view = artView(art.kind);
        m_loader->load(
            art.where,
            [view](const LoadedPicture& picture) {
                view->setPicture(picture.image, picture.problem);
            },
            kLargestPicture);
    }
    if (!found.withFolders)
        m_snapshot->setPicture({}, m_frontEnd.games().hasMachineFacts() ? kLookingForSnapshot
                                                                        : QString());
    else if (!snapshot)
        m_snapshot->setPicture({}, kNoSnapshot);
}

void DetailsPane::showSnapshot(const LoadedPicture& picture) {
    m_snapshot->setPicture(picture.image,
                           picture.problem.isEmpty() ? kNoSnapshot : picture.problem);
}

void DetailsPane::setTabs(const Found& found) {
    std::vector<std::pair<QWidget*, QString>> wanted;
    if (!found.history.isEmpty())
        wanted.emplace_back(m_history, kHistory);
    for (const FoundArtwork& art : found.artwork) {
        if (art.kind != ArtKind::Snapshot)
            wanted.emplace_back(artView(art.kind), artKindCaption(art.kind));
    }
    m_settingTabs = true;
    // The tabs after "Info" that are the pane's own, as they stand.
    int at = 1;
    while (at < m_sections->count()) {
        QWidget* tab = m_sections->widget(at);
        const bool own =
            tab == m_history || std::find(m_art.begin(), m_art.end(), tab) != m_art.end();
        if (!own)
            break;
        m_sections->removeTab(at);
        tab->hide();
    }
    for (const auto& [tab, title] : wanted) {
        m_sections->insertTab(at, tab, title);
        if (title == m_chosenTab)
            m_sections->setCurrentIndex(at);
        ++at;
    }
    m_settingTabs = false;
}

SnapshotView* DetailsPane::artView(ArtKind kind) {
    SnapshotView*& view = m_art[static_cast<size_t>(kind)];
    if (!view) {
        view = new SnapshotView(this, false);
        view->setObjectName(QStringLiteral("detailsArt") +
                            artKindCaption(kind).remove(u' ').toLower());
        view->hide();
    }
    return view;
}

void DetailsPane::forgetFound() {
    m_found.clear();
    m_loader->forgetAll();
    m_asked = false;
}
