// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// A window over a front end whose MAME is the fake one, driven through the
// scripted seam; its controls are found by their object names.

#include "FrontEndFixture.h"
#include "ScriptedSeam.h"
#include "ui/GameListView.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

class WindowTest : public FrontEndFixture {
  protected:
    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(name); }
    QAction* item(const char* name) { return window.findChild<QAction*>(name); }
    QMenu* menu(const char* name) { return window.findChild<QMenu*>(name); }
    GameListView* gameList() { return window.findChild<GameListView*>("gameList"); }
    QLineEdit* searchBox() { return window.findChild<QLineEdit*>("searchBox"); }

    // Clicks `name` and waits until the front end is idle again.
    void clickAndWait(const char* name) {
        button(name)->click();
        ASSERT_TRUE(waitUntil([&] { return !frontEnd.busy(); }));
    }

    ScriptedSeam seam;
    MainWindow window{frontEnd, seam};
};
