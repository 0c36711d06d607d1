// SPDX-License-Identifier: GPL-2.0-or-later
// The game list without MAME: the saved place and the games replaced.
#include "FrontEndFixture.h"

#include <QSignalSpy>

namespace {

class GameListTest : public FrontEndFixture {};

} // namespace

TEST_F(GameListTest, TheSavedPlaceIsKeptOnlyWhileItStillFits) {
    loadDatabase(kSevenGames, 1, "cps1");
    EXPECT_EQ(selectedName(), "ffightu");
    loadDatabase(kSevenGames, 6, "gone"); // the filter matches nothing: all games, the first one
    EXPECT_EQ(shownNames().size(), 7);
    EXPECT_EQ(selectedName(), "ffight");
    EXPECT_EQ(frontEnd.games().driverFilter(), "");
    for (const qint32 outside : {7, -1, 40000}) { // 7 is one past the last game
        loadDatabase(kSevenGames, 6);
        ASSERT_EQ(selectedName(), "pacland");
        loadDatabase(kSevenGames, outside);
        EXPECT_EQ(frontEnd.games().selectedRow(), 0) << outside;
    }
}

TEST_F(GameListTest, ReplacingTheGamesWritesThemOrChangesNothing) {
    loadDatabase(kSevenGames, 0, "pacland");
    const GameTable& all = frontEnd.games().games();
    const GameTable fewer(all.begin(), all.begin() + 6); // pacland goes
    QSignalSpy changed(&frontEnd.games(), &GameList::gamesChanged);
    ASSERT_TRUE(frontEnd.games().replaceGames(fewer).ok());
    // The filter no longer matches: every game is shown, and it is not saved.
    EXPECT_EQ(shownNames().size(), 6);
    EXPECT_EQ(selectedName(), "ffight");
    ASSERT_TRUE(frontEnd.saveSettings({}).ok());
    EXPECT_TRUE(readAll("coinslot.ini").contains("\r\nfilter = \r\n"));
    EXPECT_EQ(readAll("coinslot.dat"), kSevenGames.left(kSevenGames.lastIndexOf("pac-land")));

    // A folder in the way of the file: the write fails and nothing changes.
    ASSERT_TRUE(QFile::remove("coinslot.dat") && QDir().mkdir("coinslot.dat"));
    const Outcome<Done> failed = frontEnd.games().replaceGames(frontEnd.games().games());
    EXPECT_TRUE(failed.failure().startsWith("The database could not be written to coinslot.dat: "))
        << failed.failure();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(shownNames().size(), 6);
}
