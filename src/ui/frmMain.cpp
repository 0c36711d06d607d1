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
    setWindowIcon(AppIcon());
    CreateControls();
    CreateMenus();
    ConnectCommands();
    ConnectFrontEnd();
    const TwipsPerPixel twips = TwipsPerPixel::Of(this);
    resize(qRound(kDesignWidth / twips.x), qRound(kDesignHeight / twips.y));
    // The design layout and font, before any saved placement or font.
    m_resizeRule = new ResizeRule(
        this, lstGames, txtSearch,
        {cmdPlay, cmdQuit, cmdMame, cmdDriver, cmdParent, cmdSet, cmdList, cmdAudit});
    fntDefault = lstGames->font();
}

frmMain::~frmMain() = default;

void frmMain::PlaceDesign(QWidget* control, int left, int top, int width, int height) {
    const TwipsPerPixel twips = TwipsPerPixel::Of(this);
    control->setGeometry(qRound(left / twips.x), qRound(top / twips.y), qRound(width / twips.x),
                         qRound(height / twips.y));
}

QPushButton* frmMain::AddButton(const char* name, const QString& caption, int topTwips) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    // Enter presses a focused button itself; elsewhere it presses Play.
    button->setAutoDefault(true);
    PlaceDesign(button, kButtonLeft, topTwips, kButtonWidth, kButtonHeight);
    return button;
}

void frmMain::CreateControls() {
    lstGames = new GameListView(this);
    lstGames->setObjectName(QStringLiteral("lstGames"));
    lstGames->setModel(m_model);
    PlaceDesign(lstGames, 240, 240, 5295, 3705);

    txtSearch = new SearchBox(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    PlaceDesign(txtSearch, 240, 3930, 5295, 285);

    cmdPlay = AddButton("cmdPlay", QStringLiteral("&Play"), 240);
    cmdPlay->setDefault(true);
    cmdQuit = AddButton("cmdQuit", QStringLiteral("&Quit"), 720);
    cmdMame = AddButton("cmdMame", QStringLiteral("&Mame"), 1320);
    cmdDriver = AddButton("cmdDriver", QStringLiteral("&Driver"), 1800);
    cmdParent = AddButton("cmdParent", QStringLiteral("&Parent"), 2280);
    cmdParent->setEnabled(false);
    cmdSet = AddButton("cmdSet", QStringLiteral("&Set"), 2760);
    cmdList = AddButton("cmdList", QStringLiteral("&List"), 3360);
    cmdAudit = AddButton("cmdAudit", QStringLiteral("&Audit"), 3840);

    QWidget* previous = txtSearch;
    setTabOrder(lstGames, txtSearch);
    for (QWidget* button : Buttons()) {
        setTabOrder(previous, button);
        previous = button;
    }
}

void frmMain::CreateMenus() {
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

void frmMain::ConnectCommands() {
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
    connect(lstGames, &GameListView::rowSelected, &m_frontEnd, &FrontEnd::Select);
    // A double click plays like the Play button, even while that is disabled.
    connect(lstGames, &GameListView::playRequested, this, &frmMain::cmdPlay_Click);
    connect(lstGames, &GameListView::menuRequested, this,
            [this](const QPoint& at) { mnuList->popup(at); });
}

void frmMain::ConnectFrontEnd() {
    connect(&m_frontEnd, &FrontEnd::selectionChanged, this, &frmMain::ShowSelection);
    connect(&m_frontEnd, &FrontEnd::gamesChanged, this, [this](bool any) {
        if (any)
            EnableGameCommands();
        else
            DisableGameCommands();
    });
    connect(&m_frontEnd, &FrontEnd::busyChanged, this, &frmMain::ShowBusy);
    connect(&m_frontEnd, &FrontEnd::progressChanged, this,
            [this](const QString& text, qint64 value, qint64 total) {
                m_seam.UpdateProgress(text, value, total);
            });
    connect(&m_frontEnd, &FrontEnd::listFinished, this, [this](const Outcome<Done>& outcome) {
        if (!outcome.ok())
            m_seam.ShowMessage(this, outcome.failure(), QStringLiteral("List"),
                               DialogSeam::Icon::Error);
    });
    connect(&m_frontEnd, &FrontEnd::auditFinished, this, [this](const Outcome<QString>& outcome) {
        if (outcome.ok())
            m_seam.ShowMessage(this, outcome.value(), QStringLiteral("Audit"),
                               DialogSeam::Icon::Information);
        else
            m_seam.ShowMessage(this, outcome.failure(), QStringLiteral("Audit"),
                               DialogSeam::Icon::Error);
    });
    connect(&m_frontEnd, &FrontEnd::playFinished, this, [this](const Outcome<Done>& outcome) {
        if (!outcome.ok())
            m_seam.ShowMessage(this, outcome.failure(), QStringLiteral("Play"),
                               DialogSeam::Icon::Error);
    });
    connect(&m_frontEnd, &FrontEnd::iniReady, this, &frmMain::OpenEditor);
}

void frmMain::ShowSelection(int index) {
    const GameRecord* game = m_frontEnd.SelectedGame();
    if (index >= 0)
        lstGames->selectRow(index);
    if (!game) {
        setWindowTitle(QStringLiteral("MAME"));
        cmdParent->setEnabled(false);
        return;
    }
    setWindowTitle(QStringLiteral("MAME: ") + game->strDescription + QStringLiteral(" [") +
                   game->strName + QStringLiteral("]"));
    cmdParent->setEnabled(!game->strParent.isEmpty());
}

std::vector<QWidget*> frmMain::Buttons() const {
    return {cmdPlay, cmdQuit, cmdMame, cmdDriver, cmdParent, cmdSet, cmdList, cmdAudit};
}

void frmMain::DisableGameCommands() {
    for (QPushButton* button : {cmdPlay, cmdDriver, cmdParent, cmdSet, cmdAudit})
        button->setEnabled(false);
    for (QAction* item : {mnuListPlay, mnuListInfo, mnuListFilter})
        item->setEnabled(false);
}

void frmMain::EnableGameCommands() {
    // Parent follows the selection.
    for (QPushButton* button : {cmdPlay, cmdDriver, cmdSet, cmdList, cmdAudit})
        button->setEnabled(true);
    for (QAction* item : {mnuListPlay, mnuListInfo, mnuListFilter})
        item->setEnabled(true);
}

void frmMain::ApplyPlainCaptions() {
    for (QWidget* button : Buttons()) {
        auto* push = static_cast<QPushButton*>(button);
        push->setText(push->text().remove(u'&'));
    }
    for (QMenu* menu : {mnuForm, mnuList}) {
        for (QAction* item : menu->actions())
            item->setText(item->text().remove(u'&'));
    }
}

void frmMain::ShowBusy(MameCommand command, bool busy) {
    if (command == MameCommand::Play) {
        if (busy)
            HideFrontEnd();
        else
            ShowFrontEnd();
        return;
    }
    QPushButton* own = command == MameCommand::List    ? cmdList
                       : command == MameCommand::Audit ? cmdAudit
                                                       : nullptr;
    if (busy) {
        setCursor(Qt::WaitCursor);
        if (own)
            own->setEnabled(false);
        m_seam.BeginProgress(this, m_frontEnd.busyTitle(), [this] { m_frontEnd.Cancel(); });
        return;
    }
    m_seam.EndProgress();
    unsetCursor();
    if (command == MameCommand::List)
        cmdList->setEnabled(true);
    else if (command == MameCommand::Audit)
        cmdAudit->setEnabled(!m_frontEnd.state().udtGames.empty());
}

void frmMain::HideFrontEnd() {
    m_seam.HideWindow(this);
}

void frmMain::ShowFrontEnd() {
    m_seam.ShowWindow(this);
}

// Commands. While MAME runs, none of them starts anything.

void frmMain::cmdPlay_Click() {
    if (!m_frontEnd.busy())
        m_frontEnd.Play(std::nullopt);
}

void frmMain::mnuListPlay_Click() {
    if (m_frontEnd.busy() || !m_frontEnd.SelectedGame())
        return;
    const std::optional<QString> answer =
        m_seam.AskText(this, kPlayPrompt, QStringLiteral("Play..."), m_frontEnd.state().strOptions);
    if (answer)
        m_frontEnd.Play(*answer);
}

void frmMain::cmdMame_Click() {
    if (!m_frontEnd.busy())
        m_frontEnd.EditMameIni();
}

void frmMain::cmdDriver_Click() {
    if (!m_frontEnd.busy())
        m_frontEnd.EditIniFile(IniButton::Driver);
}

void frmMain::cmdParent_Click() {
    if (!m_frontEnd.busy())
        m_frontEnd.EditIniFile(IniButton::Parent);
}

void frmMain::cmdSet_Click() {
    if (!m_frontEnd.busy())
        m_frontEnd.EditIniFile(IniButton::Set);
}

void frmMain::OpenEditor(const QString& title, const Outcome<QString>& path) {
    if (!path.ok()) {
        m_seam.ShowMessage(this, path.failure(), title, DialogSeam::Icon::Error);
        return;
    }
    if (!m_seam.OpenInEditor(path.value()))
        m_seam.ShowMessage(this,
                           QStringLiteral("No editor could be started for ") + path.value() +
                               QStringLiteral("."),
                           title, DialogSeam::Icon::Error);
}

void frmMain::cmdList_Click() {
    if (!m_frontEnd.busy())
        m_frontEnd.BuildDatabase();
}

void frmMain::cmdAudit_Click() {
    if (!m_frontEnd.busy())
        m_frontEnd.AuditDatabase();
}

void frmMain::txtSearch_Change() {
    m_frontEnd.SearchGames(txtSearch->text());
}

void frmMain::mnuListInfo_Click() {
    const Outcome<QString> text = m_frontEnd.GameInformation();
    if (text.ok())
        m_seam.ShowMessage(this, text.value(), QStringLiteral("Info"),
                           DialogSeam::Icon::Information);
}

void frmMain::mnuListFilter_Click() {
    if (m_frontEnd.busy())
        return;
    QString text = m_frontEnd.state().strFilter;
    for (;;) {
        const std::optional<QString> answer =
            m_seam.AskText(this, kFilterPrompt, QStringLiteral("Filter"), text);
        if (!answer)
            return;
        text = *answer;
        QString message;
        const FilterResult result = m_frontEnd.ApplyDriverFilter(text, &message);
        if (result == FilterResult::Shown)
            return;
        if (result == FilterResult::TooManyWords)
            m_seam.ShowMessage(this, message, QStringLiteral("Filter"), DialogSeam::Icon::Error);
    }
}

void frmMain::mnuListFont_Click() {
    const std::optional<FontChoice> choice =
        m_seam.ChooseFont(this, FontRequestFor(lstGames->font(), logicalDpiY()));
    if (choice)
        lstGames->setFont(FontFromChoice(lstGames->font(), *choice));
}

void frmMain::mnuFormCentre_Click() {
    CentreForm();
}

void frmMain::mnuFormReset_Click() {
    setWindowState(Qt::WindowNoState);
    const TwipsPerPixel twips = TwipsPerPixel::Of(this);
    resize(qRound(m_resizeRule->design().lngFormWidth / twips.x), height());
    resize(width(), qRound(m_resizeRule->design().lngFormHeight / twips.y));
    QFont font = lstGames->font();
    font.setFamily(fntDefault.family());
    font.setPointSizeF(fntDefault.pointSizeF());
    font.setBold(fntDefault.bold());
    font.setItalic(fntDefault.italic());
    lstGames->setFont(font);
    CentreForm();
}

void frmMain::CentreForm() {
    const QScreen* where = screen();
    if (!where)
        return;
    const TwipsPerPixel twips = TwipsPerPixel::Of(this);
    const QPointF at =
        CentredPositionTwips(where->availableGeometry(), frameGeometry(), twips.x, twips.y);
    move(qRound(at.x() / twips.x), qRound(at.y() / twips.y));
}

// Settings.

bool frmMain::ApplyWindowSettings(const FrontEndSettings& s) {
    const TwipsPerPixel twips = TwipsPerPixel::Of(this);
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

QRectF frmMain::NormalRectTwips() const {
    const QRect rect =
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) && normalGeometry().isValid()
            ? normalGeometry()
            : geometry();
    const TwipsPerPixel twips = TwipsPerPixel::Of(this);
    return {rect.x() * twips.x, rect.y() * twips.y, rect.width() * twips.x,
            rect.height() * twips.y};
}

void frmMain::StoreWindowSettings(FrontEndSettings& s) const {
    const QRectF rect = NormalRectTwips();
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
    s.fontSize = static_cast<float>(PointSize(font));
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
