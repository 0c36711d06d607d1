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
    m_showMenu->addSeparator();
    m_showMenu->setToolTipsVisible(true);
    const std::pair<QAction**, std::pair<const char*, NarrowKind>> narrowing[] = {
        {&m_makerItem, {"makerItem", NarrowKind::Maker}},
        {&m_yearItem, {"yearItem", NarrowKind::Year}},
        {&m_categoryItem, {"categoryItem", NarrowKind::Category}}};
    const QString captions[] = {tr("&Manufacturer..."), tr("&Year..."), tr("C&ategory...")};
    for (int i = 0; i < 3; ++i) {
        auto [item, what] = narrowing[i];
        *item = m_showMenu->addAction(captions[i]);
        (*item)->setObjectName(QLatin1String(what.first));
        (*item)->setCheckable(true);
        connect(*item, &QAction::triggered, this, [this, kind = what.second] { onNarrow(kind); });
    }

    connect(m_favouriteItem, &QAction::triggered, this, &ShowMenu::onFavourite);
    connect(m_showMenu, &QMenu::aboutToShow, this, &ShowMenu::refreshCategoryItem);
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

    m_makerItem->setChecked(choices.narrowsMakers());
    m_yearItem->setChecked(choices.narrowsYears());
    m_categoryItem->setChecked(choices.narrowsCategories());
    const QString noFacts = QCoreApplication::translate(
        "ShowMenu", "Needs the facts of a current MAME: choose List with MAME 0.2xx.");
    for (QAction* item : {m_makerItem, m_yearItem}) {
        item->setEnabled(m_enabled && games.hasMachineFacts());
        item->setToolTip(m_enabled && !games.hasMachineFacts() ? noFacts : QString());
    }
    // Whether there are categories is asked of the store only once the menu opens.
    m_categoryItem->setEnabled(m_enabled && games.hasMachineFacts());
    m_categoryItem->setToolTip(m_makerItem->toolTip());
}

void ShowMenu::refreshCategoryItem() {
    if (!m_categoryItem->isEnabled())
        return;
    const bool any = m_frontEnd.games().narrowColumns().anyCategories;
    m_categoryItem->setEnabled(any || m_frontEnd.games().showChoices().narrowsCategories());
    m_categoryItem->setToolTip(
        any ? QString()
            : QCoreApplication::translate(
                  "ShowMenu", "Needs MAME's category files (catver.ini, or Category.ini in the "
                              "folders of ui.ini's categorypath), read at List."));
}

void ShowMenu::onChoice() {
    if (m_frontEnd.busy())
        return refresh();
    ShowChoices wanted = m_frontEnd.games().showChoices();
    wanted.clones = m_clonesItem->isChecked();
    wanted.notWorking = m_notWorkingItem->isChecked();
    wanted.mechanical = m_mechanicalItem->isChecked();
    wanted.nonArcade = m_nonArcadeItem->isChecked();
    wanted.favouritesOnly = m_favouritesOnlyItem->isChecked();
    apply(wanted);
}

void ShowMenu::onNarrow(NarrowKind kind) {
    refresh(); // the mark says whether the choice hides games, not the click
    if (m_frontEnd.busy())
        return;
    const std::optional<ShowChoices> wanted =
        m_seam.chooseNarrowing(m_window, m_frontEnd.games().narrowOffer(kind));
    if (wanted)
        apply(*wanted);
}

void ShowMenu::apply(const ShowChoices& wanted) {
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
        m_seam.showMessage(m_window, kept.failure(), tr("Favourite"), DialogSeam::Icon::Error);
    else if (!kept.value().isEmpty()) // kept, but later
        m_seam.showMessage(m_window, kept.value(), tr("Favourite"), DialogSeam::Icon::Information);
}

QString searchPlaceholder(const GameList& games) {
    const qsizetype shown = games.shownRows().size();
    if (games.showChoices().hideNothing() || shown >= games.filteredCount())
        return {};
    return QCoreApplication::translate("ShowMenu", "Search %1 of %2 games")
        .arg(formatCount(shown), formatCount(std::ssize(games.games())));
}
