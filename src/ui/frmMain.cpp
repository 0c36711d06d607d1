#include "ui/frmMain.h"

#include "ui/AppIcon.h"
#include "ui/GameListModel.h"
#include "ui/WindowCentring.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cmath>

namespace {

// The client area as designed, in twips.
constexpr int kDesignWidth = 7095;
constexpr int kDesignHeight = 4455;

constexpr int kButtonLeft = 5760;
constexpr int kButtonWidth = 1095;
constexpr int kButtonHeight = 375;

} // namespace

frmMain::frmMain(DialogSeam& seam, QWidget* parent)
    : QWidget(parent), seam_(seam), model_(new GameListModel(udtShown, this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("MAME"));
    setWindowIcon(AppIcon());
    CreateControls();
    CreateMenus();
    ConnectCommands();
    resize(qRound(kDesignWidth / TwipsPerPixelX()), qRound(kDesignHeight / TwipsPerPixelY()));
}

frmMain::~frmMain() = default;

double frmMain::TwipsPerPixelX() const {
    return 1440.0 / logicalDpiX();
}

double frmMain::TwipsPerPixelY() const {
    return 1440.0 / logicalDpiY();
}

void frmMain::PlaceDesign(QWidget* control, int left, int top, int width, int height) {
    const double x = TwipsPerPixelX();
    const double y = TwipsPerPixelY();
    control->setGeometry(qRound(left / x), qRound(top / y), qRound(width / x), qRound(height / y));
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
    lstGames = new QListView(this);
    lstGames->setObjectName(QStringLiteral("lstGames"));
    lstGames->setModel(model_);
    lstGames->setSelectionMode(QAbstractItemView::SingleSelection);
    lstGames->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstGames->setUniformItemSizes(true);
    lstGames->viewport()->installEventFilter(this);
    PlaceDesign(lstGames, 240, 240, 5295, 3705);
    connect(lstGames->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { UpdateSelectionStatus(); });

    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->installEventFilter(this);
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

    QWidget* order[] = {lstGames,  txtSearch, cmdPlay, cmdQuit, cmdMame,
                        cmdDriver, cmdParent, cmdSet,  cmdList, cmdAudit};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
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
    connect(mnuFormCentre, &QAction::triggered, this, &frmMain::mnuFormCentre_Click);
    connect(mnuFormReset, &QAction::triggered, this, &frmMain::mnuFormReset_Click);
    connect(mnuListFont, &QAction::triggered, this, &frmMain::mnuListFont_Click);
}

void frmMain::CreateMenus() {
    auto addItem = [this](QMenu* menu, const char* name, const QString& caption) {
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

void frmMain::CaptureDesignLayout() {
    const double x = TwipsPerPixelX();
    const double y = TwipsPerPixelY();
    auto twips = [](double pixels, double perPixel) {
        return static_cast<qint32>(std::nearbyint(pixels * perPixel));
    };
    design.lngFormWidth = twips(width(), x);
    design.lngFormHeight = twips(height(), y);
    design.lngListWidthGap = design.lngFormWidth - twips(lstGames->width(), x);
    design.lngListHeightGap = design.lngFormHeight - twips(lstGames->height(), y);
    design.lngSearchWidthGap = design.lngFormWidth - twips(txtSearch->width(), x);
    design.lngSearchTopGap = design.lngFormHeight - twips(txtSearch->y(), y);
    design.lngButtonLeftGap = design.lngFormWidth - twips(cmdPlay->x(), x);
    fntDefault = lstGames->font();
}

QRectF frmMain::NormalRectTwips() const {
    const QRect rect =
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) && normalGeometry().isValid()
            ? normalGeometry()
            : geometry();
    const double x = TwipsPerPixelX();
    const double y = TwipsPerPixelY();
    return {rect.x() * x, rect.y() * y, rect.width() * x, rect.height() * y};
}

void frmMain::SetLeftTwips(double left) {
    QRect rect = geometry();
    rect.moveLeft(qRound(left / TwipsPerPixelX()));
    setGeometry(rect);
}

void frmMain::SetTopTwips(double top) {
    QRect rect = geometry();
    rect.moveTop(qRound(top / TwipsPerPixelY()));
    setGeometry(rect);
}

void frmMain::SetWidthTwips(double width) {
    resize(qRound(width / TwipsPerPixelX()), height());
}

void frmMain::SetHeightTwips(double height) {
    resize(width(), qRound(height / TwipsPerPixelY()));
}

int frmMain::WindowStateNumber() const {
    if (windowState() & Qt::WindowMinimized)
        return 1;
    if (windowState() & Qt::WindowMaximized)
        return 2;
    return 0;
}

void frmMain::CentreForm() {
    const QScreen* where = screen();
    if (!where)
        return;
    const double x = TwipsPerPixelX();
    const double y = TwipsPerPixelY();
    const QPointF twips = CentredPositionTwips(where->availableGeometry(), frameGeometry(), x, y);
    move(qRound(twips.x() / x), qRound(twips.y() / y));
}

void frmMain::DisableGameCommands() {
    for (QPushButton* button : {cmdPlay, cmdDriver, cmdParent, cmdSet, cmdAudit})
        button->setEnabled(false);
    for (QAction* item : {mnuListPlay, mnuListInfo, mnuListFilter})
        item->setEnabled(false);
}

void frmMain::ApplyPlainCaptions() {
    const std::pair<QPushButton*, const char*> buttons[] = {
        {cmdPlay, "Play"},     {cmdQuit, "Quit"}, {cmdMame, "Mame"}, {cmdDriver, "Driver"},
        {cmdParent, "Parent"}, {cmdSet, "Set"},   {cmdList, "List"}, {cmdAudit, "Audit"}};
    for (const auto& [button, caption] : buttons)
        button->setText(QLatin1String(caption));
    const std::pair<QAction*, const char*> items[] = {
        {mnuFormCentre, "Centre"}, {mnuFormReset, "Reset"},   {mnuListPlay, "Play..."},
        {mnuListInfo, "Info"},     {mnuListFilter, "Filter"}, {mnuListFont, "Font"}};
    for (const auto& [item, caption] : items)
        item->setText(QLatin1String(caption));
}

void frmMain::ReplaceShown(GameTable shown) {
    model_->BeginReplace();
    udtShown = std::move(shown);
    model_->EndReplace();
}

void frmMain::SelectGame(int index) {
    const int before = SelectedIndex();
    if (index < 0 || index >= static_cast<int>(udtShown.size())) {
        lstGames->selectionModel()->clearSelection();
    } else {
        const QModelIndex item = model_->index(index);
        lstGames->selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
        lstGames->scrollTo(item);
    }
    // A changed selection has updated the status through its signal; an
    // unchanged one may stand on a table that was replaced meanwhile.
    if (SelectedIndex() == before)
        UpdateSelectionStatus();
}

int frmMain::SelectedIndex() const {
    const QModelIndexList selected = lstGames->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void frmMain::UpdateSelectionStatus() {
    const int index = SelectedIndex();
    if (index < 0) {
        setWindowTitle(QStringLiteral("MAME"));
        cmdParent->setEnabled(false);
        return;
    }
    const GameRecord& game = udtShown[static_cast<size_t>(index)];
    setWindowTitle(QStringLiteral("MAME: ") + game.strDescription + QStringLiteral(" [") +
                   game.strName + QStringLiteral("]"));
    cmdParent->setEnabled(!game.strParent.isEmpty());
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (unloadHandler)
        unloadHandler();
    event->accept();
}

void frmMain::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) {
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

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == lstGames->viewport() &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton) {
            // The pop-up leaves the selection alone.
            mnuList->popup(mouse->globalPosition().toPoint());
            return true;
        }
        if (type == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton) {
            // Plays the game under the pointer like the Play button, even
            // while that is disabled.
            const QModelIndex at = lstGames->indexAt(mouse->position().toPoint());
            if (at.isValid())
                SelectGame(at.row());
            cmdPlay_Click();
            return true;
        }
    } else if (watched == txtSearch && type == QEvent::FocusIn) {
        // Typing after the focus arrives starts a new search, however it arrived.
        QTimer::singleShot(0, txtSearch, &QLineEdit::selectAll);
    }
    return QWidget::eventFilter(watched, event);
}
