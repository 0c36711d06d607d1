// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "gamelist/NarrowOffer.h"

#include <QObject>
#include <QString>

class DialogSeam;
class FrontEnd;
class GameList;
class QAction;
class QMenu;
class QWidget;

// The list menu's part for the catalogue, after its four items: a separator,
// "Fa&vourite" (checked for a favourite; toggles the selected game) and the
// submenu "&Show" with "&Clones", "&Not working", "&Mechanical", "Non-&arcade",
// a separator and "&Favourites only", a separator and "&Manufacturer...",
// "&Year..." and "C&ategory...", which open their dialogs (checked while the
// choice hides games). Each Show item's check mark is the choice; a choice
// that would leave no game shown is refused with a message and the mark
// stays. Items follow the game list: all are disabled without a database,
// those that need a current MAME's facts without them, and Category without
// category files; a disabled narrowing item says why in its tooltip.
class ShowMenu : public QObject {
    Q_OBJECT

  public:
    ShowMenu(QMenu* listMenu, FrontEnd& frontEnd, DialogSeam& seam, QWidget* window);

    // With or without a database.
    void enable(bool enabled);
    // Captions without access keys in the submenu (the list menu does the rest).
    void usePlainCaptions();

  private:
    QAction* addChoice(const char* name, const QString& caption);
    void refresh();
    void refreshCategoryItem();
    void onChoice();
    void onFavourite(bool favourite);
    void onNarrow(NarrowKind kind);
    void apply(const ShowChoices& wanted);

    FrontEnd& m_frontEnd;
    DialogSeam& m_seam;
    QWidget* m_window;
    QAction* m_favouriteItem = nullptr;
    QMenu* m_showMenu = nullptr;
    QAction* m_clonesItem = nullptr;
    QAction* m_notWorkingItem = nullptr;
    QAction* m_mechanicalItem = nullptr;
    QAction* m_nonArcadeItem = nullptr;
    QAction* m_favouritesOnlyItem = nullptr;
    QAction* m_makerItem = nullptr;
    QAction* m_yearItem = nullptr;
    QAction* m_categoryItem = nullptr;
    bool m_enabled = false;
};

// The search box's placeholder: "Search N of M games" while the Show choices
// hide games, else nothing.
QString searchPlaceholder(const GameList& games);
