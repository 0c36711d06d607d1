// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/ShowMenu.h"

#include "frontend/FrontEnd.h"
#include "text/MessageText.h"
#include "ui/DialogSeam.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

ShowMenu::ShowMenu(QMenu* listMenu, FrontEnd& frontEnd, DialogSeam& seam, QWidget* window)
    : QObject(listMenu), m_frontEnd(frontEnd), m_seam(seam), m_window(window) {
    listMenu->addSeparator();
    m_favouriteItem = listMenu->addAction(tr("Fa&vourite"));
    m_favouriteItem->setObjectName(QStringLiteral("favouriteItem"));
    m_favouriteItem->setCheckable(true);
    m_showMenu = listMenu->addMenu(tr("&Show"));
    m_showMenu->setObjectName(QStringLiteral("showMenu"));
    m_clonesItem = addChoice("showClonesItem", tr("&Clones"));
    m_notWorkingItem = addChoice("showNotWorkingItem", tr("&Not working"));
    m_mechanicalItem = addChoice("showMechanicalItem", tr("&Mechanical"));
    m_nonArcadeItem = addChoice("showNonArcadeItem", tr("Non-&arcade"));
    m_showMenu->addSeparator();
    m_favouritesOnlyItem = addChoice("favouritesOnlyItem", tr("&Favourites only"));

    connect(m_favouriteItem, &QAction::triggered, this, &ShowMenu::onFavourite);
    const GameList& games = frontEnd.games();
    connect(&games, &GameList::selectionChanged, this, &ShowMenu::refresh);
    connect(&games, &GameList::showChoicesChanged, this, &ShowMenu::refresh);
    refresh();
}

QAction* ShowMenu::addChoice(const char* name, const QString& caption) {
    QAction* item = m_showMenu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    item->setCheckable(true);
    connect(item, &QAction::triggered, this, &ShowMenu::onChoice);
    return item;
}

void ShowMenu::enable(bool enabled) {
    m_enabled = enabled;
    refresh();
}

void ShowMenu::usePlainCaptions() {
    // "Fa&vourite" and "&Show" are items of the list menu, which does its own.
    for (QAction* item : m_showMenu->actions())
        item->setText(item->text().remove(u'&'));
}

void ShowMenu::refresh() {
    const GameList& games = m_frontEnd.games();
    const ShowChoices& choices = games.showChoices();
    const std::pair<QAction*, bool> marks[] = {{m_clonesItem, choices.clones},
                                               {m_notWorkingItem, choices.notWorking},
                                               {m_mechanicalItem, choices.mechanical},
                                               {m_nonArcadeItem, choices.nonArcade},
                                               {m_favouritesOnlyItem, choices.favouritesOnly}};
    for (const auto& [item, checked] : marks)
        item->setChecked(checked);
    const int row = games.selectedRow();
    m_favouriteItem->setChecked(row >= 0 && games.isFavourite(games.shownRows()[row]));

    m_favouriteItem->setEnabled(m_enabled);
    m_showMenu->menuAction()->setEnabled(m_enabled);
    for (QAction* item : {m_clonesItem, m_favouritesOnlyItem})
        item->setEnabled(m_enabled);
    // Without a current MAME's facts these would hide nothing.
    for (QAction* item : {m_notWorkingItem, m_mechanicalItem, m_nonArcadeItem})
        item->setEnabled(m_enabled && games.hasMachineFacts());
}

void ShowMenu::onChoice() {
    if (m_frontEnd.busy())
        return refresh();
    const ShowChoices wanted{m_clonesItem->isChecked(), m_notWorkingItem->isChecked(),
                             m_mechanicalItem->isChecked(), m_nonArcadeItem->isChecked(),
                             m_favouritesOnlyItem->isChecked()};
    if (!m_frontEnd.applyShowChoices(wanted)) {
        refresh(); // the marks go back
        m_seam.showMessage(m_window, tr("No game would be left to show."), tr("Show"),
                           DialogSeam::Icon::Information);
    }
}

void ShowMenu::onFavourite(bool favourite) {
    const Outcome<QString> kept = m_frontEnd.setFavourite(favourite);
    refresh();
    if (!kept.ok())
        m_seam.showMessage(m_window, kept.failure(), tr("Favourite"),
                           DialogSeam::Icon::Error);
    else if (!kept.value().isEmpty()) // kept, but later
        m_seam.showMessage(m_window, kept.value(), tr("Favourite"),
                           DialogSeam::Icon::Information);
}

QString searchPlaceholder(const GameList& games) {
    const qsizetype shown = games.shownRows().size();
    if (games.showChoices().hideNothing() || shown >= games.filteredCount())
        return {};
    return QCoreApplication::translate("ShowMenu", "Search %1 of %2 games")
        .arg(formatCount(shown), formatCount(std::ssize(games.games())));
}
