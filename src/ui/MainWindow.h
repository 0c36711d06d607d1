// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "frontend/FrontEnd.h"
#include "ui/DialogSeam.h"

#include <QFont>
#include <QWidget>
#include <memory>
#include <vector>

class DetailsView;
class QAction;
class QMenu;
class QPushButton;
class GameListModel;
class GameListView;
class SearchBox;
class ShowMenu;
class SuggestionDropDown;
class WindowLayout;

// The one window of the front end: it shows what the front end holds and
// hands every command to it. Its controls carry stable object names.
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    MainWindow(FrontEnd& frontEnd, DialogSeam& seam, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: applies the front end's settings, the window's part and the
    // plain captions; false when the window refuses a value (a size or place
    // no screen can show, an unknown state, a font size the list cannot show).
    bool restoreSettings();
    // The window's part of the settings: its normal rectangle, its state and
    // the list's font.
    WindowSettings windowSettings() const;
    // Centres the window on the desktop's work area.
    void centre();
    // Reads the catalogue of favourites, plays and machine facts, once; a
    // failure is told, and the program goes on. Start-up calls it before the
    // database when the saved Show choices need it; otherwise the window does
    // after its first paint.
    void loadCatalogue();

  signals:
    // The window is closing, by Quit or by the system's close command.
    void closing();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void afterFirstPaint();
    void createControls();
    void createMenus();
    void createDetailsView();
    void connectCommands();
    void connectFrontEnd();
    QPushButton* addButton(const char* name, const QString& caption);
    std::vector<QPushButton*> buttons() const;
    void enableGameCommands(bool enabled);
    void usePlainCaptions();
    void showSelection(int row);
    // The list's font, in the table too; the selected game stays in view.
    void setListFont(const QFont& font);
    // The Mame, Driver, Parent and Set buttons' tooltips: which file each opens.
    void showIniTips();
    void showBusy(Command command, bool busy);
    void showOutcome(Command command, const Outcome<JobResult>& outcome);
    QString titleOf(Command command) const;

    void onPlayClicked();
    void onPlayWithOptions();
    void onInfo();
    void onFilter();
    void onFont();
    void onReset();
    void onMameExecutable();

    FrontEnd& m_frontEnd;
    DialogSeam& m_seam;
    GameListModel* m_model = nullptr;
    GameListView* m_gameList = nullptr;
    SearchBox* m_searchBox = nullptr;
    SuggestionDropDown* m_suggestions = nullptr;
    QPushButton* m_playButton = nullptr;
    QPushButton* m_quitButton = nullptr;
    QPushButton* m_mameButton = nullptr;
    QPushButton* m_driverButton = nullptr;
    QPushButton* m_parentButton = nullptr;
    QPushButton* m_setButton = nullptr;
    QPushButton* m_listButton = nullptr;
    QPushButton* m_auditButton = nullptr;
    QMenu* m_windowMenu = nullptr;
    QAction* m_centreItem = nullptr;
    QAction* m_resetItem = nullptr;
    QAction* m_mameExecutableItem = nullptr;
    QAction* m_detailsItem = nullptr;
    QMenu* m_listMenu = nullptr;
    QAction* m_playWithOptionsItem = nullptr;
    QAction* m_infoItem = nullptr;
    QAction* m_filterItem = nullptr;
    QAction* m_fontItem = nullptr;
    ShowMenu* m_showMenu = nullptr;
    bool m_painted = false;
    std::unique_ptr<WindowLayout> m_layout;
    DetailsView* m_details = nullptr;
    QFont m_designFont;
    bool m_showingSelection = false;
};
