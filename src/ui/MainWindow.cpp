// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/MainWindow.h"

#include "ui/AppIcon.h"
#include "ui/GameListModel.h"
#include "ui/GameListView.h"
#include "ui/ListFont.h"
#include "ui/ResizeRule.h"
#include "ui/SearchBox.h"
#include "ui/ShowMenu.h"
#include "ui/Twips.h"
#include "ui/WindowCentring.h"

#include <QCloseEvent>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>

namespace {

// The client area as designed, in twips.
constexpr int kDesignWidth = 7095;
constexpr int kDesignHeight = 4455;

constexpr int kButtonLeft = 5760;
constexpr int kButtonWidth = 1095;
constexpr int kButtonHeight = 375;

const QString kFilterPrompt = QStringLiteral(
    "Enter driver name(s). To specify multiple drivers separate each with a space. Clear filter "
    "and click OK to reset.\r\n\r\neg. cps1 cps2, neogeo");

const QString kPlayPrompt = QStringLiteral(
    "Enter additional command line options. Specifying an invalid option will cause MAME to exit "
    "prematurely.\r\n\r\neg. -window");

} // namespace

MainWindow::MainWindow(FrontEnd& frontEnd, DialogSeam& seam, QWidget* parent)
    : QWidget(parent), m_frontEnd(frontEnd), m_seam(seam),
      m_model(new GameListModel(frontEnd.games(), this)) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("MAME"));
    setWindowIcon(appIcon());
    createControls();
    createMenus();
    connectCommands();
    connectFrontEnd();
    const TwipsPerPixel twips = TwipsPerPixel::of(this);
    resize(qRound(kDesignWidth / twips.x), qRound(kDesignHeight / twips.y));
    // Below its design size the window would hide controls that the layout
    // never moves back in.
    setMinimumSize(size());
    // The design layout and font, before any saved placement or font.
    const std::vector<QPushButton*> column = buttons();
    m_resizeRule = new ResizeRule(this, m_gameList, m_searchBox, {column.begin(), column.end()});
    m_designFont = m_gameList->font();
    // Until a database is read, there is no game to act on.
    enableGameCommands(false);
}

MainWindow::~MainWindow() = default;

void MainWindow::placeDesign(QWidget* control, int left, int top, int width, int height) {
    const TwipsPerPixel twips = TwipsPerPixel::of(this);
    control->setGeometry(qRound(left / twips.x), qRound(top / twips.y), qRound(width / twips.x),
                         qRound(height / twips.y));
}

QPushButton* MainWindow::addButton(const char* name, const QString& caption, int topTwips) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    // Enter presses a focused button itself; elsewhere it presses Play.
    button->setAutoDefault(true);
    placeDesign(button, kButtonLeft, topTwips, kButtonWidth, kButtonHeight);
    return button;
}

void MainWindow::createControls() {
    m_gameList = new GameListView(this);
    m_gameList->setObjectName(QStringLiteral("gameList"));
    m_gameList->setModel(m_model);
    placeDesign(m_gameList, 240, 240, 5295, 3705);
    m_gameList->setEmptyHint(QStringLiteral("No games yet. Press List to read them from MAME."));

    m_searchBox = new SearchBox(this);
    m_searchBox->setObjectName(QStringLiteral("searchBox"));
    placeDesign(m_searchBox, 240, 3930, 5295, 285);

    m_playButton = addButton("playButton", QStringLiteral("&Play"), 240);
    m_playButton->setDefault(true);
    m_quitButton = addButton("quitButton", QStringLiteral("&Quit"), 720);
    m_mameButton = addButton("mameButton", QStringLiteral("&Mame"), 1320);
    m_driverButton = addButton("driverButton", QStringLiteral("&Driver"), 1800);
    m_parentButton = addButton("parentButton", QStringLiteral("&Parent"), 2280);
    m_setButton = addButton("setButton", QStringLiteral("&Set"), 2760);
    m_listButton = addButton("listButton", QStringLiteral("&List"), 3360);
    m_auditButton = addButton("auditButton", QStringLiteral("&Audit"), 3840);

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
    m_windowMenu = new QMenu(QStringLiteral("Form"), this);
    m_windowMenu->setObjectName(QStringLiteral("windowMenu"));
    m_centreItem = addItem(m_windowMenu, "centreItem", QStringLiteral("&Centre"));
    m_resetItem = addItem(m_windowMenu, "resetItem", QStringLiteral("&Reset"));
    m_mameExecutableItem =
        addItem(m_windowMenu, "mameExecutableItem", QStringLiteral("&MAME executable..."));

    m_listMenu = new QMenu(QStringLiteral("List"), this);
    m_listMenu->setObjectName(QStringLiteral("listMenu"));
    m_playWithOptionsItem = addItem(m_listMenu, "playWithOptionsItem", QStringLiteral("&Play..."));
    m_infoItem = addItem(m_listMenu, "infoItem", QStringLiteral("&Info"));
    m_filterItem = addItem(m_listMenu, "filterItem", QStringLiteral("&Filter"));
    m_fontItem = addItem(m_listMenu, "fontItem", QStringLiteral("F&ont"));
    m_showMenu = new ShowMenu(m_listMenu, m_frontEnd, m_seam, this);
}

void MainWindow::connectCommands() {
    GameList& games = m_frontEnd.games();
    connect(m_searchBox, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_searchBox->showNoMatch(!m_frontEnd.games().search(text));
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
    connect(m_auditButton, &QPushButton::clicked, &m_frontEnd, &FrontEnd::audit);
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
    }
    const std::optional<GameRecord> game = m_frontEnd.games().selectedGame();
    if (!game) {
        setWindowTitle(QStringLiteral("MAME"));
        m_parentButton->setEnabled(false);
        return;
    }
    setWindowTitle(QStringLiteral("MAME: ") + game->description() + QStringLiteral(" [") +
                   game->name() + QStringLiteral("]"));
    m_parentButton->setEnabled(game->hasParent());
}

QString MainWindow::titleOf(Command command) const {
    switch (command) {
    case Command::List:
        return QStringLiteral("List");
    case Command::Audit:
        return QStringLiteral("Audit");
    case Command::MameIni:
        return QStringLiteral("Mame");
    case Command::DriverIni:
        return QStringLiteral("Driver");
    case Command::ParentIni:
        return QStringLiteral("Parent");
    case Command::SetIni:
        return QStringLiteral("Set");
    case Command::Info:
        return QStringLiteral("Info");
    case Command::Play:
        break;
    }
    return QStringLiteral("Play");
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

void MainWindow::showOutcome(Command command, const Outcome<JobReport>& outcome) {
    if (!outcome.ok()) {
        // The user's own Cancel wants no message; the rest say why. A game
        // that did not run is a warning: nothing was lost.
        if (!outcome.cancelled())
            m_seam.showMessage(this, outcome.failure(), titleOf(command),
                               command == Command::Play ? DialogSeam::Icon::Warning
                                                        : DialogSeam::Icon::Error);
        return;
    }
    switch (command) {
    case Command::Audit:
        m_seam.showMessage(this, outcome.value().text, titleOf(command),
                           DialogSeam::Icon::Information, outcome.value().details);
        break;
    case Command::MameIni:
    case Command::DriverIni:
    case Command::ParentIni:
    case Command::SetIni:
        if (!m_seam.openInEditor(outcome.value().text))
            m_seam.showMessage(this,
                               QStringLiteral("No editor could be started for ") +
                                   outcome.value().text + QStringLiteral("."),
                               titleOf(command), DialogSeam::Icon::Error);
        break;
    case Command::Info:
        // A game with a current MAME's facts gets the box laid out for them,
        // with its snapshot when there is one.
        if (outcome.value().details.isEmpty())
            m_seam.showMessage(this, outcome.value().text, titleOf(command),
                               DialogSeam::Icon::Information);
        else
            m_seam.showPictureMessage(this, outcome.value().text, titleOf(command),
                                      outcome.value().picture);
        break;
    case Command::List:
        // Built, but with something to tell (the machine facts not kept).
        if (!outcome.value().text.isEmpty())
            m_seam.showMessage(this, outcome.value().text, titleOf(command),
                               DialogSeam::Icon::Error);
        break;
    case Command::Play:
        break;
    }
}

// Commands of the window's own.

void MainWindow::onPlayClicked() {
    m_frontEnd.play(std::nullopt);
}

void MainWindow::onPlayWithOptions() {
    if (m_frontEnd.busy() || !m_frontEnd.games().selectedGame())
        return;
    const std::optional<QString> answer =
        m_seam.askText(this, kPlayPrompt, QStringLiteral("Play..."), m_frontEnd.playOptions());
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
        m_seam.showMessage(this, loaded.failure(), QStringLiteral("Load"), DialogSeam::Icon::Error);
}

void MainWindow::onFilter() {
    if (m_frontEnd.busy())
        return;
    QString text = m_frontEnd.games().driverFilter();
    for (;;) {
        const std::optional<QString> answer =
            m_seam.askText(this, kFilterPrompt, QStringLiteral("Filter"), text);
        if (!answer)
            return;
        text = *answer;
        const Outcome<bool> shown = m_frontEnd.games().applyDriverFilter(text);
        if (shown.ok() && shown.value())
            return;
        if (!shown.ok())
            m_seam.showMessage(this, shown.failure(), QStringLiteral("Filter"),
                               DialogSeam::Icon::Error);
    }
}

void MainWindow::onFont() {
    const std::optional<FontChoice> choice =
        m_seam.chooseFont(this, fontRequestFor(m_gameList->font(), logicalDpiY()));
    if (choice)
        m_gameList->setFont(fontFromChoice(m_gameList->font(), *choice));
}

void MainWindow::onReset() {
    setWindowState(Qt::WindowNoState);
    const TwipsPerPixel twips = TwipsPerPixel::of(this);
    resize(qRound(m_resizeRule->design().formWidth / twips.x), height());
    resize(width(), qRound(m_resizeRule->design().formHeight / twips.y));
    QFont font = m_gameList->font();
    font.setFamily(m_designFont.family());
    font.setPointSizeF(m_designFont.pointSizeF());
    font.setBold(m_designFont.bold());
    font.setItalic(m_designFont.italic());
    m_gameList->setFont(font);
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
    QTimer::singleShot(1000, this, &MainWindow::loadCatalogue);
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // The first paint never waits for the store: it is read right after it.
    if (!std::exchange(m_painted, true))
        QTimer::singleShot(0, this, &MainWindow::loadCatalogue);
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
