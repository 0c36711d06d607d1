// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/MainWindow.h"

#include "ui/AppIcon.h"
#include "ui/DesignGeometry.h"
#include "ui/DetailsView.h"
#include "ui/GameListModel.h"
#include "ui/GameListView.h"
#include "ui/InfoBox.h"
#include "ui/ListFont.h"
#include "ui/SearchBox.h"
#include "ui/ShowMenu.h"
#include "ui/SuggestionDropDown.h"
#include "ui/WindowCentring.h"
#include "ui/WindowLayout.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

namespace {

const char* const kFilterPrompt = QT_TRANSLATE_NOOP(
    "MainWindow",
    "Enter driver name(s). To specify multiple drivers separate each with a space. Clear filter "
    "and click OK to reset.\n\neg. cps1 cps2, neogeo");

const char* const kPlayPrompt = QT_TRANSLATE_NOOP(
    "MainWindow",
    "Enter additional command line options. Specifying an invalid option will cause MAME to exit "
    "prematurely.\n\neg. -window");

} // namespace

MainWindow::MainWindow(FrontEnd& frontEnd, DialogSeam& seam, QWidget* parent)
    : QWidget(parent), m_frontEnd(frontEnd), m_seam(seam),
      m_model(new GameListModel(frontEnd.games(), this)) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(tr("MAME"));
    setWindowIcon(appIcon());
    createControls();
    createMenus();
    connectCommands();
    connectFrontEnd();
    m_layout = std::make_unique<WindowLayout>(this, m_gameList, m_searchBox, buttons());
    resize(DesignRects::at(TwipsPerPixel::of(this)).client);
    layout()->activate();
    createDetailsView();
    // The design font, before any saved font.
    m_designFont = m_gameList->font();
    // Until a database is read, there is no game to act on.
    enableGameCommands(false);
    showIniTips();
}

MainWindow::~MainWindow() = default;

QPushButton* MainWindow::addButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    // Enter presses a focused button itself; elsewhere it presses Play.
    button->setAutoDefault(true);
    return button;
}

void MainWindow::createControls() {
    m_gameList = new GameListView(this);
    m_gameList->setObjectName(QStringLiteral("gameList"));
    m_gameList->setModel(m_model);
    m_gameList->setEmptyHint(tr("No games yet. Press List to read them from MAME."));

    m_searchBox = new SearchBox(this);
    m_searchBox->setObjectName(QStringLiteral("searchBox"));
    m_suggestions = new SuggestionDropDown(m_searchBox, m_frontEnd.games());

    m_playButton = addButton("playButton", tr("&Play"));
    m_playButton->setDefault(true);
    m_quitButton = addButton("quitButton", tr("&Quit"));
    m_mameButton = addButton("mameButton", tr("&Mame"));
    m_driverButton = addButton("driverButton", tr("&Driver"));
    m_parentButton = addButton("parentButton", tr("&Parent"));
    m_setButton = addButton("setButton", tr("&Set"));
    m_listButton = addButton("listButton", tr("&List"));
    m_auditButton = addButton("auditButton", tr("&Audit"));

    QWidget* previous = m_searchBox;
    setTabOrder(m_gameList, m_searchBox);
    for (QPushButton* button : buttons()) {
        setTabOrder(previous, button);
        previous = button;
    }
}

void MainWindow::createMenus() {
    auto addItem = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    m_windowMenu = new QMenu(tr("Form"), this);
    m_windowMenu->setObjectName(QStringLiteral("windowMenu"));
    m_centreItem = addItem(m_windowMenu, "centreItem", tr("&Centre"));
    m_resetItem = addItem(m_windowMenu, "resetItem", tr("&Reset"));
    m_mameExecutableItem = addItem(m_windowMenu, "mameExecutableItem", tr("&MAME executable..."));
    m_detailsItem = addItem(m_windowMenu, "detailsItem", tr("&Details"));
    m_detailsItem->setCheckable(true);
    m_detailsItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    addAction(m_detailsItem); // its shortcut works while the menu is closed

    m_listMenu = new QMenu(tr("List"), this);
    m_listMenu->setObjectName(QStringLiteral("listMenu"));
    m_playWithOptionsItem = addItem(m_listMenu, "playWithOptionsItem", tr("&Play..."));
    m_infoItem = addItem(m_listMenu, "infoItem", tr("&Info"));
    m_filterItem = addItem(m_listMenu, "filterItem", tr("&Filter"));
    m_fontItem = addItem(m_listMenu, "fontItem", tr("F&ont"));
    m_showMenu = new ShowMenu(m_listMenu, m_frontEnd, m_seam, this);
}

void MainWindow::createDetailsView() {
    m_details = new DetailsView(this, m_frontEnd, m_model, m_gameList, *m_layout);
    connect(m_detailsItem, &QAction::triggered, m_details, &DetailsView::setOn);
    connect(m_details, &DetailsView::playRequested, this, &MainWindow::onPlayClicked);
    connect(m_details, &DetailsView::menuRequested, this,
            [this](const QPoint& at) { m_listMenu->popup(at); });
}

void MainWindow::connectCommands() {
    GameList& games = m_frontEnd.games();
    connect(m_searchBox, &QLineEdit::textChanged, this, [this](const QString& text) {
        const bool found = m_frontEnd.games().search(text);
        m_searchBox->showNoMatch(!found, found ? 0 : m_frontEnd.games().hiddenMatches(text));
    });
    connect(m_suggestions, &SuggestionDropDown::chosen, this, [this](qint32 position) {
        m_frontEnd.games().select(m_frontEnd.games().rowOfGame(position));
    });
    connect(m_playButton, &QPushButton::clicked, this, &MainWindow::onPlayClicked);
    connect(m_quitButton, &QPushButton::clicked, this, &QWidget::close);
    // While MAME runs, the front end starts nothing.
    connect(m_mameButton, &QPushButton::clicked, this,
            [this] { m_frontEnd.editIni(IniFile::Mame); });
    connect(m_driverButton, &QPushButton::clicked, this,
            [this] { m_frontEnd.editIni(IniFile::Driver); });
    connect(m_parentButton, &QPushButton::clicked, this,
            [this] { m_frontEnd.editIni(IniFile::Parent); });
    connect(m_setButton, &QPushButton::clicked, this, [this] { m_frontEnd.editIni(IniFile::Set); });
    connect(m_listButton, &QPushButton::clicked, &m_frontEnd, &FrontEnd::list);
    // Shift held down asks for a full audit.
    connect(m_auditButton, &QPushButton::clicked, this, [this] {
        m_frontEnd.audit(QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
    });
    connect(m_playWithOptionsItem, &QAction::triggered, this, &MainWindow::onPlayWithOptions);
    connect(m_infoItem, &QAction::triggered, this, &MainWindow::onInfo);
    connect(m_filterItem, &QAction::triggered, this, &MainWindow::onFilter);
    connect(m_fontItem, &QAction::triggered, this, &MainWindow::onFont);
    connect(m_centreItem, &QAction::triggered, this, &MainWindow::centre);
    connect(m_resetItem, &QAction::triggered, this, &MainWindow::onReset);
    connect(m_mameExecutableItem, &QAction::triggered, this, &MainWindow::onMameExecutable);
    connect(m_gameList, &GameListView::rowSelected, &games, &GameList::select);
    // A double click plays like the Play button, even while that is disabled.
    connect(m_gameList, &GameListView::playRequested, this, &MainWindow::onPlayClicked);
    connect(m_gameList, &GameListView::menuRequested, this,
            [this](const QPoint& at) { m_listMenu->popup(at); });
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, m_searchBox,
            [this] { m_searchBox->setFocus(Qt::ShortcutFocusReason); });
}

void MainWindow::connectFrontEnd() {
    connect(&m_frontEnd.games(), &GameList::selectionChanged, this, &MainWindow::showSelection);
    connect(&m_frontEnd.games(), &GameList::gamesChanged, this, &MainWindow::enableGameCommands);
    connect(&m_frontEnd.games(), &GameList::shownChanged, this,
            [this] { m_searchBox->setPlaceholderText(searchPlaceholder(m_frontEnd.games())); });
    // The last search's miss says nothing about new games.
    connect(&m_frontEnd.games(), &GameList::gamesChanged, m_searchBox,
            [this] { m_searchBox->showNoMatch(false); });
    connect(&m_frontEnd, &FrontEnd::busyChanged, this, &MainWindow::showBusy);
    connect(&m_frontEnd, &FrontEnd::progressChanged, this,
            [this](const QString& text, qint64 value, qint64 total) {
                m_seam.updateProgress(text, value, total);
            });
    connect(&m_frontEnd, &FrontEnd::commandFinished, this, &MainWindow::showOutcome);
    // Which ini file a button opens follows the game and what MAME told.
    connect(&m_frontEnd.games(), &GameList::showChoicesChanged, this, &MainWindow::showIniTips);
    connect(&m_frontEnd, &FrontEnd::commandFinished, this, &MainWindow::showIniTips);
    // What befell the catalogue is told as its reading at start-up is.
    connect(&m_frontEnd, &FrontEnd::catalogueNotice, this, [this](const QString& text) {
        m_seam.showMessage(this, text, tr("Load"), DialogSeam::Icon::Error);
    });
}

std::vector<QPushButton*> MainWindow::buttons() const {
    return {m_playButton,   m_quitButton, m_mameButton, m_driverButton,
            m_parentButton, m_setButton,  m_listButton, m_auditButton};
}

void MainWindow::enableGameCommands(bool enabled) {
    // Parent follows the selection; List, Mame, Quit and Font always work.
    for (QPushButton* button : {m_playButton, m_driverButton, m_setButton, m_auditButton})
        button->setEnabled(enabled);
    if (!enabled)
        m_parentButton->setEnabled(false);
    for (QAction* item : {m_playWithOptionsItem, m_infoItem, m_filterItem})
        item->setEnabled(enabled);
    m_showMenu->enable(enabled);
}

void MainWindow::usePlainCaptions() {
    for (QPushButton* button : buttons())
        button->setText(button->text().remove(u'&'));
    for (QMenu* menu : {m_windowMenu, m_listMenu}) {
        for (QAction* item : menu->actions())
            item->setText(item->text().remove(u'&'));
    }
    m_showMenu->usePlainCaptions();
}

void MainWindow::showSelection(int row) {
    // The list tells the game list of the row it is given here, which comes
    // back: that echo is shown by the call that made it.
    if (m_showingSelection)
        return;
    if (row >= 0) {
        const QScopedValueRollback<bool> showing(m_showingSelection, true);
        m_gameList->selectRow(row);
        m_details->selectRow(row);
    }
    showIniTips();
    const std::optional<GameRecord> game = m_frontEnd.games().selectedGame();
    if (!game) {
        setWindowTitle(tr("MAME"));
        m_parentButton->setEnabled(false);
        return;
    }
    setWindowTitle(tr("MAME: %1 [%2]").arg(game->description(), game->name()));
    m_parentButton->setEnabled(!game->parent().isEmpty());
}

QString MainWindow::titleOf(Command command) const {
    switch (command) {
    case Command::List:
        return tr("List");
    case Command::Audit:
        return tr("Audit");
    case Command::MameIni:
        return tr("Mame");
    case Command::DriverIni:
        return tr("Driver");
    case Command::ParentIni:
        return tr("Parent");
    case Command::SetIni:
        return tr("Set");
    case Command::Info:
        return tr("Info");
    case Command::Play:
        break;
    }
    return tr("Play");
}

void MainWindow::showBusy(Command command, bool busy) {
    if (command == Command::Play) {
        // The window and its taskbar entry go while MAME runs.
        if (busy)
            m_seam.hideWindow(this);
        else
            m_seam.showWindow(this);
        return;
    }
    QPushButton* own = command == Command::List    ? m_listButton
                       : command == Command::Audit ? m_auditButton
                                                   : nullptr;
    if (busy) {
        setCursor(Qt::WaitCursor);
        if (own)
            own->setEnabled(false);
        m_seam.beginProgress(this, titleOf(command), [this] { m_frontEnd.cancel(); });
        return;
    }
    m_seam.endProgress();
    unsetCursor();
    if (command == Command::List)
        m_listButton->setEnabled(true);
    else if (command == Command::Audit)
        m_auditButton->setEnabled(!m_frontEnd.games().games().empty());
}

void MainWindow::showOutcome(Command command, const Outcome<JobResult>& outcome) {
    const QString title = titleOf(command);
    if (!outcome.ok()) {
        // The user's own Cancel wants no message; the rest say why. A game
        // that did not run is a warning: nothing was lost.
        if (!outcome.cancelled())
            m_seam.showMessage(this, outcome.failure(), title,
                               command == Command::Play ? DialogSeam::Icon::Warning
                                                        : DialogSeam::Icon::Error);
        return;
    }
    std::visit(
        Overloaded{
            [&](const ListDone& done) {
                // Built, with something lost on the way (the machine facts not
                // kept), or with what a new MAME changed, or both.
                QStringList parts;
                if (!done.warning.isEmpty())
                    parts.append(done.warning);
                if (!done.changes.isEmpty())
                    parts += {done.changes, done.changesSaved};
                if (!parts.isEmpty())
                    m_seam.showMessage(this, parts.join(QStringLiteral("\n\n")), title,
                                       done.warning.isEmpty() ? DialogSeam::Icon::Information
                                                              : DialogSeam::Icon::Error,
                                       done.changesReport.join(u'\n'));
            },
            [&](const AuditSummary& audit) {
                m_seam.showMessage(this, audit.summary + QStringLiteral("\n\n") + audit.reportSaved,
                                   title, DialogSeam::Icon::Information, audit.report.join(u'\n'));
            },
            [&](const IniFileReady& ini) {
                if (!m_seam.openInEditor(ini.path))
                    m_seam.showMessage(this, tr("No editor could be started for %1.").arg(ini.path),
                                       title, DialogSeam::Icon::Error);
            },
            [&](const GameInfo& info) {
                // A game with a current MAME's facts gets the box laid
                // out for them, with its snapshot when there is one.
                if (info.withFacts)
                    m_seam.showGameInfo(this, info, title);
                else
                    m_seam.showMessage(this, infoText(info), title, DialogSeam::Icon::Information);
            },
            [](const Played&) {},
            [](const FoldersAsked&) {},
        },
        outcome.value());
}

// Commands of the window's own.

void MainWindow::onPlayClicked() {
    m_frontEnd.play(std::nullopt);
}

void MainWindow::onPlayWithOptions() {
    if (m_frontEnd.busy() || !m_frontEnd.games().selectedGame())
        return;
    const std::optional<QString> answer =
        m_seam.askText(this, tr(kPlayPrompt), tr("Play..."), m_frontEnd.playOptions());
    if (answer)
        m_frontEnd.play(*answer);
}

void MainWindow::onInfo() {
    m_frontEnd.info();
}

void MainWindow::loadCatalogue() {
    if (m_frontEnd.catalogueLoaded())
        return;
    const Outcome<Done> loaded = m_frontEnd.loadCatalogue();
    if (!loaded.ok())
        m_seam.showMessage(this, loaded.failure(), tr("Load"), DialogSeam::Icon::Error);
}

void MainWindow::onFilter() {
    if (m_frontEnd.busy())
        return;
    QString text = m_frontEnd.games().driverFilter();
    for (;;) {
        const std::optional<QString> answer =
            m_seam.askText(this, tr(kFilterPrompt), tr("Filter"), text);
        if (!answer)
            return;
        text = *answer;
        const Outcome<bool> shown = m_frontEnd.games().applyDriverFilter(text);
        if (shown.ok() && shown.value())
            return;
        if (!shown.ok())
            m_seam.showMessage(this, shown.failure(), tr("Filter"), DialogSeam::Icon::Error);
    }
}

void MainWindow::onFont() {
    const std::optional<FontChoice> choice =
        m_seam.chooseFont(this, fontRequestFor(m_gameList->font(), logicalDpiY()));
    if (choice)
        setListFont(fontFromChoice(m_gameList->font(), *choice));
}

void MainWindow::setListFont(const QFont& font) {
    m_gameList->setFont(font);
    m_details->setFont(font);
    QAbstractItemView* view = m_details->gamesView();
    view->doItemsLayout();
    view->scrollTo(view->currentIndex());
}

void MainWindow::onReset() {
    setWindowState(Qt::WindowNoState);
    resize(DesignRects::at(TwipsPerPixel::of(this)).client);
    // The details view grows it again, to go back to the design size.
    m_details->growAgain();
    QFont font = m_gameList->font();
    font.setFamily(m_designFont.family());
    font.setPointSizeF(m_designFont.pointSizeF());
    font.setBold(m_designFont.bold());
    font.setItalic(m_designFont.italic());
    setListFont(font);
    centre();
}

void MainWindow::centre() {
    const QScreen* where = screen();
    if (!where)
        return;
    const TwipsPerPixel twips = TwipsPerPixel::of(this);
    const QPointF at =
        centredPositionTwips(where->availableGeometry(), frameGeometry(), twips.x, twips.y);
    move(qRound(at.x() / twips.x), qRound(at.y() / twips.y));
}

// Events.

void MainWindow::closeEvent(QCloseEvent* event) {
    emit closing();
    event->accept();
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window that is not painted soon (a minimised start) reads it anyway.
    QTimer::singleShot(1000, this, &MainWindow::afterFirstPaint);
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // A minimised window lays nothing out; restored, it fits its size again.
    if (event->type() == QEvent::WindowStateChange && layout()) {
        const bool minimised = windowState() & Qt::WindowMinimized;
        layout()->setEnabled(!minimised);
        if (!minimised) {
            layout()->invalidate();
            layout()->activate();
        }
    }
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // The first paint never waits for the catalogue: it is read right after it.
    if (!std::exchange(m_painted, true))
        QTimer::singleShot(0, this, &MainWindow::afterFirstPaint);
}

void MainWindow::afterFirstPaint() {
    loadCatalogue();
    // MAME's category and history files, off this thread.
    m_frontEnd.refreshSupportFiles();
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    // The window's own menu opens only over its own area, not over a control.
    if (event->button() != Qt::RightButton || childAt(event->position().toPoint())) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_centreItem->setEnabled(!(windowState() & Qt::WindowMaximized));
    m_windowMenu->popup(event->globalPosition().toPoint());
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Keys that reach the window unhandled: Enter presses the default button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        m_playButton->isEnabled()) {
        m_playButton->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
