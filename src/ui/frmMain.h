#pragma once

#include "database/GameRecord.h"
#include "gamelist/DriverFilter.h"
#include "launch/ProcessRunner.h"
#include "settings/SettingsTable.h"
#include "text/Compare.h"
#include "ui/DialogSeam.h"
#include "ui/WindowLayout.h"

#include <QFont>
#include <QWidget>
#include <functional>

class QAction;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class GameListModel;

// The one window of the front end. It owns the controls and every piece of
// state that the commands share; each handler calls into the layers below
// and then updates the controls.
class frmMain : public QWidget {
    Q_OBJECT

  public:
    explicit frmMain(DialogSeam& seam, QWidget* parent = nullptr);
    ~frmMain() override;

    // Controls and menus; their Qt object names are the same.
    QListView* lstGames;
    QLineEdit* txtSearch;
    QPushButton* cmdPlay;
    QPushButton* cmdQuit;
    QPushButton* cmdMame;
    QPushButton* cmdDriver;
    QPushButton* cmdParent;
    QPushButton* cmdSet;
    QPushButton* cmdList;
    QPushButton* cmdAudit;
    QMenu* mnuForm;
    QAction* mnuFormCentre;
    QAction* mnuFormReset;
    QMenu* mnuList;
    QAction* mnuListPlay;
    QAction* mnuListInfo;
    QAction* mnuListFilter;
    QAction* mnuListFont;

    // Design layout, in twips, taken once at start-up.
    DesignLayout design;
    QFont fntDefault;

    // Files and MAME command texts.
    QString strIniFile;
    QString strDatFile;
    QString strMameExe;
    QString strMameIni;
    QString strMameCommand;
    QString strOptions;
    QString strFilter;

    // Switches read from the settings file.
    bool blnHideConsole = false;
    bool blnNoShortcuts = false;
    bool blnCaseInsensitive = false;

    // The master table and the shown table; their sizes are the counts.
    GameTable udtGames;
    GameTable udtShown;

    SettingsTable udtSettings;

    // Runs when the window is closed by Quit or by the system's close command.
    std::function<void()> unloadHandler;

    DialogSeam& seam() { return seam_; }

    // Twips per pixel along x and y, from the screen's logical resolution.
    double TwipsPerPixelX() const;
    double TwipsPerPixelY() const;

    // Records the design measurements and the design font of the list.
    void CaptureDesignLayout();

    // The window's rectangle in twips as it is, or as it will be again when
    // restored if it is minimised or maximised. Its left and top are those of
    // the client area, which is what the setters below place.
    QRectF NormalRectTwips() const;
    void SetLeftTwips(double left);
    void SetTopTwips(double top);
    void SetWidthTwips(double width);
    void SetHeightTwips(double height);
    // 0 normal, 1 minimised, 2 maximised.
    int WindowStateNumber() const;

    // Centres the window's outer rectangle on the desktop work area.
    void CentreForm();
    // Stretches and moves the controls to the window's size (resize rule).
    void LayoutControls();

    // Fills the shown table and the list with every game.
    void ShowAllGames();
    // Shows the games of the drivers named in `text` and selects the first;
    // false, changing nothing, when no game matched.
    bool ApplyDriverFilter(const QString& text);
    // Writes the master table to the database file and, once it is written,
    // refreshes the list with the current filter and selects its first entry.
    // Returns an empty text, or what went wrong (nothing is changed then).
    QString SaveDatabase();

    // Game list commands.
    void txtSearch_Change();
    void mnuListFilter_Click();
    void mnuListInfo_Click();

    // Playing.
    void cmdPlay_Click();
    void mnuListPlay_Click();
    void HideFrontEnd();
    void ShowFrontEnd();

    // Configuration files.
    void cmdMame_Click();
    void cmdDriver_Click();
    void cmdParent_Click();
    void cmdSet_Click();
    void EditIniFile(const QString& name, const QString& title);

    // Building and thinning the database.
    void cmdList_Click();
    void cmdAudit_Click();

    // Window menu and list font commands.
    void mnuFormCentre_Click();
    void mnuFormReset_Click();
    void mnuListFont_Click();

    // Switches off every command that needs a game.
    void DisableGameCommands();
    // Replaces the captions of the buttons and menu items by plain ones.
    void ApplyPlainCaptions();

    // Replaces the shown table (and so the list) as a whole.
    void ReplaceShown(GameTable shown);
    // Selects list item `index` (or nothing for -1) and updates the status.
    void SelectGame(int index);
    // The selected list position, -1 when nothing is selected.
    int SelectedIndex() const;
    // Window caption and Parent button from the selected game.
    void UpdateSelectionStatus();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    void CreateMenus();
    void ConnectCommands();
    QPushButton* AddButton(const char* name, const QString& caption, int topTwips);
    void PlaceDesign(QWidget* control, int left, int top, int width, int height);

    FilterResult RunDriverFilter(const QString& text, QString* message);
    void PlayGame(const std::optional<QString>& options);
    void OpenEditor(const QString& path, const QString& title);
    // Makes `games` the master table through SaveDatabase; on a failure the
    // old table stays and the text says why.
    QString ReplaceDatabase(GameTable games);
    QString BuildDatabase();
    QString AuditDatabase(QString& summary);

    DialogSeam& seam_;
    GameListModel* model_;
    CaseInsensitiveCompare searchCompare_;
    PrimeMameOnce primer_;
};
