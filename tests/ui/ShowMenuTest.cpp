// SPDX-License-Identifier: GPL-2.0-or-later
// The list menu's Favourite and Show items, the search box's count and Info's
// snapshot, through the window.
#include "WindowTestFixture.h"
#include "ui/InfoBox.h"

#include <QDir>

namespace {

class ShowMenuTest : public WindowTest {
  protected:
    QStringList captions(const char* menuName) {
        QStringList all;
        for (QAction* action : menu(menuName)->actions())
            all.append(action->isSeparator() ? "-" : action->text());
        return all;
    }
    QStringList enabledChoices() {
        QStringList all;
        for (QAction* action : menu("showMenu")->actions())
            if (!action->isSeparator() && action->isEnabled())
                all.append(action->objectName());
        return all;
    }
};

} // namespace

TEST_F(ShowMenuTest, ItemsFollowTheDatabaseAndTheFactsAndRefuseAnEmptyList) {
    EXPECT_EQ(captions("listMenu"),
              QStringList({"&Play...", "&Info", "&Filter", "F&ont", "-", "Fa&vourite", "&Show"}));
    EXPECT_EQ(captions("showMenu"), QStringList({"&Clones", "&Not working", "&Mechanical",
                                                 "Non-&arcade", "-", "&Favourites only", "-",
                                                 "&Manufacturer...", "&Year...", "C&ategory..."}));
    EXPECT_FALSE(item("favouriteItem")->isEnabled()); // no database
    EXPECT_TRUE(enabledChoices().isEmpty());

    loadDatabase(kSevenGames); // an old MAME's: clones and favourites only
    EXPECT_EQ(enabledChoices(), QStringList({"showClonesItem", "favouritesOnlyItem"}));
    EXPECT_TRUE(item("showNonArcadeItem")->isChecked());
    EXPECT_EQ(searchBox()->placeholderText(), "");

    // Refused: the mark stays, and the box says why.
    item("favouritesOnlyItem")->trigger();
    EXPECT_FALSE(item("favouritesOnlyItem")->isChecked());
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, "No game would be left to show.");
    EXPECT_EQ(seam.messages[0].title, "Show");

    item("showClonesItem")->trigger();
    EXPECT_EQ(searchBox()->placeholderText(), "Search 5 of 7 games");

    // A favourite, marked through the menu, follows the selection.
    gameList()->selectRow(1);
    item("favouriteItem")->trigger();
    EXPECT_TRUE(item("favouriteItem")->isChecked());
    gameList()->selectRow(0);
    EXPECT_FALSE(item("favouriteItem")->isChecked());
    item("favouritesOnlyItem")->trigger();
    EXPECT_EQ(searchBox()->placeholderText(), "Search 1 of 7 games");
}

TEST_F(ShowMenuTest, InfoShowsTheSnapshotInPlaceOfTheIcon) {
    folder.set("FAKEMAME_MODERN", "1");
    folder.set("HOME", folder.filePath("home"));
    window.loadCatalogue();
    clickAndWait("listButton");
    ASSERT_TRUE(QDir().mkpath("home/.mame/snap"));
    writeAll("home/.mame/snap/pacman.png", "png");
    searchBox()->setText("[pacman]");
    item("infoItem")->trigger();
    ASSERT_TRUE(waitUntil([&] { return !seam.messages.empty(); }));
    EXPECT_EQ(seam.messages[0].title, "Info");
    ASSERT_EQ(seam.infos.size(), 1u);
    EXPECT_EQ(seam.infos[0].picture, folder.filePath("home/.mame/snap/pacman.png"));
    EXPECT_EQ(enabledChoices().size(), 8);
    // Its lines stand in a table, a continued label's value in its column.
    GameInfo pac;
    pac.title = "Pac";
    pac.rows = {{"Clones", "a"}, {"", "b<c"}};
    EXPECT_TRUE(infoBoxHtml(pac).endsWith(
        "<tr><td style=\"padding-right: 12px\"></td><td>b&lt;c</td></tr></table>"));
}

TEST_F(ShowMenuTest, TheNarrowingItemsOpenTheirDialogsAndRefuseAnEmptyList) {
    folder.set("FAKEMAME_MODERN", "1");
    folder.set("HOME", folder.filePath("home"));
    loadDatabase(kSevenGames);
    EXPECT_FALSE(item("yearItem")->isEnabled()); // no facts yet
    EXPECT_TRUE(item("yearItem")->toolTip().startsWith("Needs the facts of a current MAME"));
    window.loadCatalogue();
    clickAndWait("listButton");
    // "1981 only", as the Year dialog would answer it.
    seam.narrowAnswers.push_back([](const NarrowOffer& offer) {
        ShowChoices choices = offer.current;
        choices.yearFrom = choices.yearTo = 1981;
        choices.unknownYears = false;
        return std::optional(choices);
    });
    item("yearItem")->trigger();
    ASSERT_EQ(seam.offers.size(), 1u);
    EXPECT_EQ(seam.offers[0].kind, NarrowKind::Year);
    EXPECT_TRUE(item("yearItem")->isChecked());
    const qsizetype shown = frontEnd.games().shownRows().size();
    EXPECT_EQ(searchBox()->placeholderText(),
              QString("Search %1 of %2 games").arg(shown).arg(frontEnd.games().games().size()));
    // A manufacturer of no game shown: refused, and the list stays.
    seam.narrowAnswers.push_back([](const NarrowOffer& offer) {
        ShowChoices choices = offer.current;
        choices.makers = {"Nobody"};
        return std::optional(choices);
    });
    item("makerItem")->trigger();
    EXPECT_FALSE(item("makerItem")->isChecked());
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, "No game would be left to show.");
    EXPECT_EQ(frontEnd.games().shownRows().size(), shown);
    item("categoryItem")->trigger(); // cancelled: nothing changes
    EXPECT_EQ(frontEnd.games().shownRows().size(), shown);
    // Without category files the menu greys Category when it opens, saying why.
    emit menu("showMenu")->aboutToShow();
    EXPECT_FALSE(item("categoryItem")->isEnabled());
    EXPECT_TRUE(item("categoryItem")->toolTip().startsWith("Needs MAME's category files"));
}
