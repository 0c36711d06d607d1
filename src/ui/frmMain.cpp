#include "ui/frmMain.h"

#include "ui/AppIcon.h"
#include "ui/GameListModel.h"
#include "ui/GameListView.h"
#include "ui/ListFont.h"
#include "ui/ResizeRule.h"
#include "ui/SearchBox.h"
#include "ui/Twips.h"
#include "ui/WindowCentring.h"

#include <QCloseEvent>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <cmath>

namespace {

// The client area as designed, in twips.
constexpr int kDesignWidth = 7095;
constexpr int kDesignHeight = 4455;

constexpr int kButtonLeft = 5760;
constexpr int kButtonWidth = 1095;
constexpr int kButtonHeight = 375;

// A saved window may reach this many desktop widths (or heights) beyond the
// desktop, and be this many times as wide (or high); anything further is no
// place or size a screen can show.
constexpr double kDesktopReach = 4.0;

const QString kFilterPrompt = QStringLiteral(
    "Enter driver name(s). To specify multiple drivers seperate each with a space. Clear filter "
    "and click OK to reset.\r\n\r\neg. cps1 cps2, neogeo");

const QString kPlayPrompt = QStringLiteral(
    "Enter additional command line options. Specifying an invalid option will cause MAME to exit "
    "prematurely.\r\n\r\neg. -window");

} // namespace

frmMain::frmMain(FrontEnd& frontEnd, DialogSeam& seam, QWidget* parent)
    : QWidget(parent), m_frontEnd(frontEnd), m_seam(seam),
      m_model(new GameListModel(frontEnd, this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("MAME"));
    setWindowIcon(appIcon());
    createControls();
    createMenus();
    connectCommands();
    connectFrontEnd();
    const TwipsPerPixel twips = TwipsPerPixel::of(this);
    resize(qRound(kDesignWidth / twips.x), qRound(kDesignHeight / twips.y));
    // The design layout and font, before any saved placement or font.
    m_resizeRule = new ResizeRule(
        this, lstGames, txtSearch,
        {cmdPlay, cmdQuit, cmdMame, cmdDriver, cmdParent, cmdSet, cmdList, cmdAudit});
    m_designFont = lstGames->font();
}

frmMain::~frmMain() = default;

void frmMain::placeDesign(QWidget* control, int left, int top, int width, int height) {
    const TwipsPerPixel twips = TwipsPerPixel::of(this);
    control->setGeometry(qRound(left / twips.x), qRound(top / twips.y), qRound(width / twips.x),
                         qRound(height / twips.y));
}

QPushButton* frmMain::addButton(const char* name, const QString& caption, int topTwips) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    // Enter presses a focused button itself; elsewhere it presses Play.
    button->setAutoDefault(true);
    placeDesign(button, kButtonLeft, topTwips, kButtonWidth, kButtonHeight);
    return button;
}

void frmMain::createControls() {
    lstGames = new GameListView(this);
    lstGames->setObjectName(QStringLiteral("lstGames"));
    lstGames->setModel(m_model);
    placeDesign(lstGames, 240, 240, 5295, 3705);

    txtSearch = new SearchBox(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    placeDesign(txtSearch, 240, 3930, 5295, 285);

    cmdPlay = addButton("cmdPlay", QStringLiteral("&Play"), 240);
    cmdPlay->setDefault(true);
    cmdQuit = addButton("cmdQuit", QStringLiteral("&Quit"), 720);
    cmdMame = addButton("cmdMame", QStringLiteral("&Mame"), 1320);
    cmdDriver = addButton("cmdDriver", QStringLiteral("&Driver"), 1800);
    cmdParent = addButton("cmdParent", QStringLiteral("&Parent"), 2280);
    cmdParent->setEnabled(false);
    cmdSet = addButton("cmdSet", QStringLiteral("&Set"), 2760);
    cmdList = addButton("cmdList", QStringLiteral("&List"), 3360);
    cmdAudit = addButton("cmdAudit", QStringLiteral("&Audit"), 3840);

    QWidget* previous = txtSearch;
    setTabOrder(lstGames, txtSearch);
    for (QWidget* button : buttons()) {
        setTabOrder(previous, button);
        previous = button;
    }
}

void frmMain::createMenus() {
    auto addItem = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    mnuForm = new QMenu(QStringLiteral("Form"), this);
    mnuForm->setObjectName(QStringLiteral("mnuForm"));
    mnuFormCentre = addItem(mnuForm, "mnuFormCentre", QStringLiteral("&Centre"));
    mnuFormReset = addItem(mnuForm, "mnuFormReset", QStringLiteral("&Reset"));

    mnuList = new QMenu(QStringLiteral("List"), this);
    mnuList->setObjectName(QStringLiteral("mnuList"));
    mnuListPlay = addItem(mnuList, "mnuListPlay", QStringLiteral("&Play..."));
    mnuListInfo = addItem(mnuList, "mnuListInfo", QStringLiteral("&Info"));
    mnuListFilter = addItem(mnuList, "mnuListFilter", QStringLiteral("&Filter"));
    mnuListFont = addItem(mnuList, "mnuListFont", QStringLiteral("F&ont"));
}

void frmMain::connectCommands() {
    connect(txtSearch, &QLineEdit::textChanged, this, &frmMain::txtSearch_Change);
    connect(cmdPlay, &QPushButton::clicked, this, &frmMain::cmdPlay_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdMame, &QPushButton::clicked, this, &frmMain::cmdMame_Click);
    connect(cmdDriver, &QPushButton::clicked, this, &frmMain::cmdDriver_Click);
    connect(cmdParent, &QPushButton::clicked, this, &frmMain::cmdParent_Click);
    connect(cmdSet, &QPushButton::clicked, this, &frmMain::cmdSet_Click);
    connect(cmdList, &QPushButton::clicked, this, &frmMain::cmdList_Click);
    connect(cmdAudit, &QPushButton::clicked, this, &frmMain::cmdAudit_Click);
    connect(mnuListPlay, &QAction::triggered, this, &frmMain::mnuListPlay_Click);
    connect(mnuListInfo, &QAction::triggered, this, &frmMain::mnuListInfo_Click);
    connect(mnuListFilter, &QAction::triggered, this, &frmMain::mnuListFilter_Click);
    connect(mnuListFont, &QAction::triggered, this, &frmMain::mnuListFont_Click);
    connect(mnuFormCentre, &QAction::triggered, this, &frmMain::mnuFormCentre_Click);
    connect(mnuFormReset, &QAction::triggered, this, &frmMain::mnuFormReset_Click);
    connect(lstGames, &GameListView::rowSelected, &m_frontEnd, &FrontEnd::select);
    // A double click plays like the Play button, even while that is disabled.
    connect(lstGames, &GameListView::playRequested, this, &frmMain::cmdPlay_Click);
    connect(lstGames, &GameListView::menuRequested, this,
            [this](const QPoint& at) { mnuList->popup(at); });
}

void frmMain::connectFrontEnd() {
    connect(&m_frontEnd, &FrontEnd::selectionChanged, this, &frmMain::showSelection);
    connect(&m_frontEnd, &FrontEnd::gamesChanged, this, [this](bool any) {
        if (any)
            enableGameCommands();
        else
            disableGameCommands();
    });
    connect(&m_frontEnd, &FrontEnd::busyChanged, this, &frmMain::showBusy);
    connect(&m_frontEnd, &FrontEnd::progressChanged, this,
            [this](const QString& text, qint64 value, qint64 total) {
                m_seam.updateProgress(text, value, total);
            });
    connect(&m_frontEnd, &FrontEnd::listFinished, this, [this](const Outcome<Done>& outcome) {
        if (!outcome.ok())
            m_seam.showMessage(this, outcome.failure(), QStringLiteral("List"),
                               DialogSeam::Icon::usageError);
    });
    connect(&m_frontEnd, &FrontEnd::auditFinished, this, [this](const Outcome<QString>& outcome) {
        if (outcome.ok())
            m_seam.showMessage(this, outcome.value(), QStringLiteral("Audit"),
                               DialogSeam::Icon::Information);
        else
            m_seam.showMessage(this, outcome.failure(), QStringLiteral("Audit"),
                               DialogSeam::Icon::usageError);
    });
    connect(&m_frontEnd, &FrontEnd::playFinished, this, [this](const Outcome<Done>& outcome) {
        if (!outcome.ok())
            m_seam.showMessage(this, outcome.failure(), QStringLiteral("Play"),
                               DialogSeam::Icon::usageError);
    });
    connect(&m_frontEnd, &FrontEnd::iniReady, this, &frmMain::OpenEditor);
}

void frmMain::showSelection(int index) {
    const GameRecord* game = m_frontEnd.selectedGame();
    if (index >= 0)
        lstGames->selectRow(index);
    if (!game) {
        setWindowTitle(QStringLiteral("MAME"));
        cmdParent->setEnabled(false);
        return;
    }
    setWindowTitle(QStringLiteral("MAME: ") + game->description + QStringLiteral(" [") +
                   game->name + QStringLiteral("]"));
    cmdParent->setEnabled(!game->parent.isEmpty());
}

std::vector<QWidget*> frmMain::buttons() const {
    return {cmdPlay, cmdQuit, cmdMame, cmdDriver, cmdParent, cmdSet, cmdList, cmdAudit};
}

void frmMain::disableGameCommands() {
    for (QPushButton* button : {cmdPlay, cmdDriver, cmdParent, cmdSet, cmdAudit})
        button->setEnabled(false);
    for (QAction* item : {mnuListPlay, mnuListInfo, mnuListFilter})
        item->setEnabled(false);
}

void frmMain::enableGameCommands() {
    // Parent follows the selection.
    for (QPushButton* button : {cmdPlay, cmdDriver, cmdSet, cmdList, cmdAudit})
        button->setEnabled(true);
    for (QAction* item : {mnuListPlay, mnuListInfo, mnuListFilter})
        item->setEnabled(true);
}

void frmMain::applyPlainCaptions() {
    for (QWidget* button : buttons()) {
        auto* push = static_cast<QPushButton*>(button);
        push->setText(push->text().remove(u'&'));
    }
    for (QMenu* menu : {mnuForm, mnuList}) {
        for (QAction* item : menu->actions())
            item->setText(item->text().remove(u'&'));
    }
}

void frmMain::showBusy(MameCommand command, bool busy) {
    if (command == MameCommand::play) {
        if (busy)
            hideFrontEnd();
        else
            showFrontEnd();
        return;
    }
    QPushButton* own = command == MameCommand::List    ? cmdList
                       : command == MameCommand::Audit ? cmdAudit
                                                       : nullptr;
    if (busy) {
        setCursor(Qt::WaitCursor);
        if (own)
            own->setEnabled(false);
        m_seam.beginProgress(this, m_frontEnd.busyTitle(), [this] { m_frontEnd.cancel(); });
        return;
    }
    m_seam.endProgress();
    unsetCursor();
    if (command == MameCommand::List)
        cmdList->setEnabled(true);
    else if (command == MameCommand::Audit)
        cmdAudit->setEnabled(!m_frontEnd.state().games.empty());
}

void frmMain::hideFrontEnd() {
    m_seam.hideWindow(this);
}

void frmMain::showFrontEnd() {
    m_seam.showWindow(this);
}

// Commands. While MAME runs, none of them starts anything.

void frmMain::cmdPlay_Click() {
    if (!m_frontEnd.busy())
        m_frontEnd.play(std::nullopt);
}

void frmMain::mnuListPlay_Click() {
    if (m_frontEnd.busy() || !m_frontEnd.selectedGame())
        return;
    const std::optional<QString> answer = m_seam.askText(
        this, kPlayPrompt, QStringLiteral("Play..."), m_frontEnd.state().playOptions);
    if (answer)
        m_frontEnd.play(*answer);
}

void frmMain::cmdMame_Click() {
    if (!m_frontEnd.busy())
        m_frontEnd.editMameIni();
}

void frmMain::cmdDriver_Click() {
    if (!m_frontEnd.busy())
        m_frontEnd.editIniFile(IniButton::Driver);
}

void frmMain::cmdParent_Click() {
    if (!m_frontEnd.busy())
        m_frontEnd.editIniFile(IniButton::Parent);
}

void frmMain::cmdSet_Click() {
    if (!m_frontEnd.busy())
        m_frontEnd.editIniFile(IniButton::Set);
}

void frmMain::OpenEditor(const QString& title, const Outcome<QString>& path) {
    if (!path.ok()) {
        m_seam.showMessage(this, path.failure(), title, DialogSeam::Icon::usageError);
        return;
    }
    if (!m_seam.openInEditor(path.value()))
        m_seam.showMessage(this,
                           QStringLiteral("No editor could be started for ") + path.value() +
                               QStringLiteral("."),
                           title, DialogSeam::Icon::usageError);
}

void frmMain::cmdList_Click() {
    if (!m_frontEnd.busy())
        m_frontEnd.buildDatabase();
}

void frmMain::cmdAudit_Click() {
    if (!m_frontEnd.busy())
        m_frontEnd.auditDatabase();
}

void frmMain::txtSearch_Change() {
    m_frontEnd.searchGames(txtSearch->text());
}

void frmMain::mnuListInfo_Click() {
    const Outcome<QString> text = m_frontEnd.gameInformation();
    if (text.ok())
        m_seam.showMessage(this, text.value(), QStringLiteral("Info"),
                           DialogSeam::Icon::Information);
}

void frmMain::mnuListFilter_Click() {
    if (m_frontEnd.busy())
        return;
    QString text = m_frontEnd.state().driverFilter;
    for (;;) {
        const std::optional<QString> answer =
            m_seam.askText(this, kFilterPrompt, QStringLiteral("Filter"), text);
        if (!answer)
            return;
        text = *answer;
        QString message;
        const FilterResult result = m_frontEnd.applyDriverFilter(text, &message);
        if (result == FilterResult::Shown)
            return;
        if (result == FilterResult::TooManyWords)
            m_seam.showMessage(this, message, QStringLiteral("Filter"),
                               DialogSeam::Icon::usageError);
    }
}

void frmMain::mnuListFont_Click() {
    const std::optional<FontChoice> choice =
        m_seam.chooseFont(this, fontRequestFor(lstGames->font(), logicalDpiY()));
    if (choice)
        lstGames->setFont(fontFromChoice(lstGames->font(), *choice));
}

void frmMain::mnuFormCentre_Click() {
    centreForm();
}

void frmMain::mnuFormReset_Click() {
    setWindowState(Qt::WindowNoState);
    const TwipsPerPixel twips = TwipsPerPixel::of(this);
    resize(qRound(m_resizeRule->design().formWidth / twips.x), height());
    resize(width(), qRound(m_resizeRule->design().formHeight / twips.y));
    QFont font = lstGames->font();
    font.setFamily(m_designFont.family());
    font.setPointSizeF(m_designFont.pointSizeF());
    font.setBold(m_designFont.bold());
    font.setItalic(m_designFont.italic());
    lstGames->setFont(font);
    centreForm();
}

void frmMain::centreForm() {
    const QScreen* where = screen();
    if (!where)
        return;
    const TwipsPerPixel twips = TwipsPerPixel::of(this);
    const QPointF at =
        centredPositionTwips(where->availableGeometry(), frameGeometry(), twips.x, twips.y);
    move(qRound(at.x() / twips.x), qRound(at.y() / twips.y));
}

// Settings.

bool frmMain::applyWindowSettings(const FrontEndSettings& s) {
    const TwipsPerPixel twips = TwipsPerPixel::of(this);
    const QRect desktop = screen() ? screen()->virtualGeometry() : QRect(0, 0, 1024, 768);
    const auto placeFits = [&](std::optional<qint32> twipsValue, double perPixel, int start,
                               int length) {
        if (!twipsValue)
            return true;
        const double pixels = *twipsValue / perPixel;
        return pixels >= start - kDesktopReach * length &&
               pixels <= start + length + kDesktopReach * length;
    };
    const auto sizeFits = [&](std::optional<qint32> twipsValue, double perPixel, int length) {
        return !twipsValue ||
               (*twipsValue >= 0 && *twipsValue / perPixel <= kDesktopReach * length);
    };
    if (!placeFits(s.left, twips.x, desktop.left(), desktop.width()) ||
        !placeFits(s.top, twips.y, desktop.top(), desktop.height()) ||
        !sizeFits(s.width, twips.x, desktop.width()) ||
        !sizeFits(s.height, twips.y, desktop.height()))
        return false;
    if (s.windowState && (*s.windowState < 0 || *s.windowState > 2))
        return false;
    // The list refuses sizes it cannot show (below a point, the size would
    // also not be written back as it was read).
    if (s.fontSize && !(*s.fontSize >= 1.0 && *s.fontSize <= 2048.0))
        return false;

    // The saved left and top are those of the client area, as written.
    QRect client = geometry();
    if (s.left)
        client.moveLeft(qRound(*s.left / twips.x));
    if (s.top)
        client.moveTop(qRound(*s.top / twips.y));
    setGeometry(client);
    if (s.width)
        resize(qRound(*s.width / twips.x), height());
    if (s.height)
        resize(width(), qRound(*s.height / twips.y));
    QFont font = lstGames->font();
    if (s.fontName)
        font.setFamily(*s.fontName);
    if (s.fontSize)
        font.setPointSizeF(*s.fontSize);
    if (s.fontBold)
        font.setBold(*s.fontBold);
    if (s.fontItalic)
        font.setItalic(*s.fontItalic);
    lstGames->setFont(font);
    if (s.windowState == 1)
        setWindowState(Qt::WindowMinimized);
    else if (s.windowState == 2)
        setWindowState(Qt::WindowMaximized);
    return true;
}

QRectF frmMain::normalRectTwips() const {
    const QRect rect =
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) && normalGeometry().isValid()
            ? normalGeometry()
            : geometry();
    const TwipsPerPixel twips = TwipsPerPixel::of(this);
    return {rect.x() * twips.x, rect.y() * twips.y, rect.width() * twips.x,
            rect.height() * twips.y};
}

void frmMain::storeWindowSettings(FrontEndSettings& s) const {
    const QRectF rect = normalRectTwips();
    const auto whole = [](double twips) { return static_cast<qint32>(std::lround(twips)); };
    s.left = whole(rect.x());
    s.top = whole(rect.y());
    s.width = whole(rect.width());
    s.height = whole(rect.height());
    s.windowState = (windowState() & Qt::WindowMinimized)   ? 1
                    : (windowState() & Qt::WindowMaximized) ? 2
                                                            : 0;
    const QFont font = lstGames->font();
    s.fontName = font.family();
    s.fontSize = static_cast<float>(pointSize(font));
    s.fontBold = font.bold();
    s.fontItalic = font.italic();
}

// Events.

void frmMain::closeEvent(QCloseEvent* event) {
    emit unloading();
    event->accept();
}

void frmMain::mousePressEvent(QMouseEvent* event) {
    // The window's own menu opens only over its own area, not over a control.
    if (event->button() != Qt::RightButton || childAt(event->position().toPoint())) {
        QWidget::mousePressEvent(event);
        return;
    }
    mnuFormCentre->setEnabled(!(windowState() & Qt::WindowMaximized));
    mnuForm->popup(event->globalPosition().toPoint());
}

void frmMain::keyPressEvent(QKeyEvent* event) {
    // Keys that reach the window unhandled: Enter presses the default button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && cmdPlay->isEnabled()) {
        cmdPlay->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
