#pragma once

#include "frontend/FrontEnd.h"
#include "settings/FrontEndSettings.h"
#include "ui/DialogSeam.h"

#include <QFont>
#include <QWidget>
#include <vector>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;
class GameListModel;
class GameListView;
class ResizeRule;

// The one window of the front end: it shows what the front end holds and
// hands every command to it. Its controls carry their names as object names.
class frmMain : public QWidget {
    Q_OBJECT

  public:
    frmMain(FrontEnd& frontEnd, DialogSeam& seam, QWidget* parent = nullptr);
    ~frmMain() override;

    // Start-up and shutdown. Applies the window's settings that are present,
    // in their order; false, when the window refuses one (a size or place no
    // screen can show, an unknown state, a font size the list cannot show).
    bool applyWindowSettings(const FrontEndSettings& settings);
    // The window's part of the settings: its normal rectangle, state and the
    // list's font.
    void storeWindowSettings(FrontEndSettings& settings) const;
    // Replaces the captions of the buttons and menu items by plain ones.
    void applyPlainCaptions();
    // Switches off every command that needs a game.
    void disableGameCommands();
    // Centres the window on the desktop's work area.
    void centreForm();
    // The rectangle the window has, or will have again when restored, in twips.
    QRectF normalRectTwips() const;

  public slots:
    void cmdPlay_Click();
    void mnuListPlay_Click();
    void cmdMame_Click();
    void cmdDriver_Click();
    void cmdParent_Click();
    void cmdSet_Click();
    void cmdList_Click();
    void cmdAudit_Click();
    void txtSearch_Change();
    void mnuListInfo_Click();
    void mnuListFilter_Click();
    void mnuListFont_Click();
    void mnuFormCentre_Click();
    void mnuFormReset_Click();

  signals:
    // The window is closing, by Quit or by the system's close command.
    void unloading();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void createControls();
    void createMenus();
    void connectCommands();
    void connectFrontEnd();
    QPushButton* addButton(const char* name, const QString& caption, int topTwips);
    void placeDesign(QWidget* control, int left, int top, int width, int height);
    // The eight buttons, top to bottom.
    std::vector<QWidget*> buttons() const;
    void enableGameCommands();
    void showSelection(int index);
    void showBusy(MameCommand command, bool busy);
    void OpenEditor(const QString& title, const Outcome<QString>& path);
    void hideFrontEnd();
    void showFrontEnd();

    FrontEnd& m_frontEnd;
    DialogSeam& m_seam;
    GameListModel* m_model = nullptr;
    GameListView* lstGames = nullptr;
    QLineEdit* txtSearch = nullptr;
    QPushButton* cmdPlay = nullptr;
    QPushButton* cmdQuit = nullptr;
    QPushButton* cmdMame = nullptr;
    QPushButton* cmdDriver = nullptr;
    QPushButton* cmdParent = nullptr;
    QPushButton* cmdSet = nullptr;
    QPushButton* cmdList = nullptr;
    QPushButton* cmdAudit = nullptr;
    QMenu* mnuForm = nullptr;
    QAction* mnuFormCentre = nullptr;
    QAction* mnuFormReset = nullptr;
    QMenu* mnuList = nullptr;
    QAction* mnuListPlay = nullptr;
    QAction* mnuListInfo = nullptr;
    QAction* mnuListFilter = nullptr;
    QAction* mnuListFont = nullptr;
    ResizeRule* m_resizeRule = nullptr;
    QFont m_designFont;
};
