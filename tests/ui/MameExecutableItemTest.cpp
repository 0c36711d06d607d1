// SPDX-License-Identifier: GPL-2.0-or-later
// The window menu's "MAME executable..." and the hint of the empty list.
#include "WindowTestFixture.h"

#include <QTest>

namespace {

const QString kListAgain =
    "The game list is from the previous MAME. Press List to read this one's.";

class MameExecutableItem : public WindowTest {
  protected:
    MameExecutableItem() {
        loadDatabase(kSevenGames);
        folder.set("HOME", folder.filePath("home"));
    }
    // A current MAME in a folder of its own: the fake one, speaking as 0.251.
    QString currentMame() {
        QDir().mkdir("other mame");
        const QString path = folder.filePath("other mame/mame");
        writeAll(path, "#!/bin/sh\nFAKEMAME_MODERN=1 exec '" COINSLOT_FAKEMAME "' \"$@\"\n");
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
        return path;
    }
};

} // namespace

TEST_F(MameExecutableItem, AnotherMameTakesEffectAtOnceAndTheListStaysUntilList) {
    QStringList items;
    for (QAction* action : menu("windowMenu")->actions())
        items.append(action->objectName());
    EXPECT_EQ(items, QStringList({"centreItem", "resetItem", "mameExecutableItem", "detailsItem"}));
    clickAndWait("driverButton"); // an old MAME, as its listing's header tells
    ASSERT_EQ(seam.opened, std::vector<QString>({"ini/cps1.ini"}));

    const QString current = currentMame();
    writeAll("notes.txt", "not a program");
    seam.fileAnswers = {folder.filePath("notes.txt"), current};
    item("mameExecutableItem")->trigger();
    EXPECT_EQ(seam.fileTitles, std::vector<QString>(2, "Select MAME executable"));
    EXPECT_EQ(seam.fileFolders, std::vector<QString>(2, folder.path()));
    ASSERT_EQ(seam.messages.size(), 2u);
    EXPECT_EQ(seam.messages[0].text, folder.filePath("notes.txt") + " is not an executable file.");
    EXPECT_EQ(seam.messages[0].title, "MAME executable");
    EXPECT_EQ(seam.messages[1].text, kListAgain);
    EXPECT_EQ(seam.messages[1].icon, DialogSeam::Icon::Information);
    EXPECT_EQ(shownNames().size(), 7);
    EXPECT_EQ(frontEnd.mame().playCommandPrefix(), "'" + current + "'");

    // Which MAME it is and where it keeps its ini files are learnt anew.
    runner.requests.clear();
    clickAndWait("driverButton");
    EXPECT_EQ(runs(), QStringList({"-listfull", "-showconfig"}));
    EXPECT_EQ(seam.opened.back(), folder.filePath("home/.mame/source/cps1.ini"));
    ASSERT_TRUE(frontEnd.saveSettings(window.windowSettings()).ok());
    EXPECT_TRUE(readAll("coinslot.ini").contains(("mameexe = " + current + "\r\n").toUtf8()));

    // The dialog opens where the MAME at hand lies.
    item("mameExecutableItem")->trigger(); // Cancel
    EXPECT_EQ(seam.fileFolders.back(), folder.filePath("other mame"));
    EXPECT_EQ(frontEnd.mame().executable(), current);
}

TEST_F(MameExecutableItem, TheSameMameSaysNothingAndABusyOneStartsNone) {
    clickAndWait("driverButton");
    seam.fileAnswers = {folder.filePath("mame")};
    item("mameExecutableItem")->trigger();
    EXPECT_EQ(frontEnd.mame().executable(), "mame");
    EXPECT_TRUE(seam.messages.empty());

    folder.set("FAKEMAME_SLEEP", "5");
    frontEnd.list();
    ASSERT_TRUE(frontEnd.busy());
    item("mameExecutableItem")->trigger();
    EXPECT_EQ(seam.fileTitles.size(), 1u);
    frontEnd.cancel();
    ASSERT_TRUE(waitUntil([&] { return !frontEnd.busy(); }));
}

TEST_F(WindowTest, TheEmptyListShowsAHintUntilItHasGames) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QString hint = gameList()->emptyHint();
    EXPECT_EQ(hint, "No games yet. Press List to read them from MAME.");
    // Whether the hint changes what the list draws.
    const auto hintDrawn = [&] {
        const QImage with = gameList()->viewport()->grab().toImage();
        gameList()->setEmptyHint({});
        const QImage without = gameList()->viewport()->grab().toImage();
        gameList()->setEmptyHint(hint);
        return with != without;
    };
    EXPECT_TRUE(hintDrawn());
    EXPECT_EQ(gameList()->model()->rowCount(), 0);
    EXPECT_EQ(gameList()->selectedRow(), -1);

    loadDatabase(kSevenGames);
    EXPECT_FALSE(hintDrawn());
    ASSERT_TRUE(frontEnd.games().removeAll().ok()); // an audit that kept no game
    EXPECT_TRUE(hintDrawn());
}
