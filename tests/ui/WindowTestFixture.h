#pragma once

// A window over a front end whose MAME is the fake one, driven through the
// scripted seam; its controls are found by their object names.

#include "FakeMame.h"
#include "ScriptedSeam.h"
#include "frontend/FrontEnd.h"
#include "ui/GameListView.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

class WindowTest : public ::testing::Test {
  protected:
    WindowTest() {
        frontEnd.setProgramName("coinslot");
        frontEnd.setMameExe("mame");
    }

    void loadDatabase(const QByteArray& bytes, int lastGame = 0) {
        WriteAll("coinslot.dat", bytes);
        ASSERT_TRUE(frontEnd.loadDatabase(lastGame).ok());
    }

    QPushButton* Button(const char* name) { return form.findChild<QPushButton*>(name); }
    QAction* Item(const char* name) { return form.findChild<QAction*>(name); }
    QMenu* Menu(const char* name) { return form.findChild<QMenu*>(name); }
    GameListView* List() { return form.findChild<GameListView*>("lstGames"); }
    QLineEdit* Search() { return form.findChild<QLineEdit*>("txtSearch"); }

    // A control's geometry in twips (15 a pixel here).
    static QRect Twips(const QWidget* w) {
        return {w->x() * 15, w->y() * 15, w->width() * 15, w->height() * 15};
    }

    FakeMameFolder folder;
    RecordingRunner runner;
    FrontEnd frontEnd{runner};
    ScriptedSeam seam;
    frmMain form{frontEnd, seam};
};
