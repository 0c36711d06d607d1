// The game list without MAME: what is shown, selected and saved.
#include "FrontEndFixture.h"

#include <QSignalSpy>

namespace {

class GameListTest : public FrontEndFixture {};

} // namespace

TEST_F(GameListTest, FilterAndSearchMoveTheShownRowsAndTheSelection) {
    loadDatabase(kSevenGames);
    GameList& games = frontEnd.games();
    QSignalSpy resets(&games, &GameList::shownChanged);
    EXPECT_TRUE(games.applyDriverFilter("cps1 neogeo").value());
    EXPECT_EQ(selectedName(), "ffight");
    // A filter that names no driver changes nothing at all.
    games.select(2);
    EXPECT_FALSE(games.applyDriverFilter("nosuchdriver").value());
    EXPECT_EQ(shownNames().size(), 4);
    EXPECT_EQ(selectedName(), "mslug");
    EXPECT_EQ(resets.count(), 1);

    // The search looks at the shown games only, from the top; a miss keeps the selection.
    games.search("[sfa]");
    EXPECT_EQ(selectedName(), "mslug");
    games.search("");
    EXPECT_EQ(selectedName(), "ffight");
    games.select(4); // not shown
    EXPECT_EQ(selectedName(), "ffight");
    EXPECT_TRUE(games.applyDriverFilter("").value());
    EXPECT_EQ(shownNames().size(), 7);
}

TEST_F(GameListTest, TheSavedPlaceIsKeptOnlyWhileItStillFits) {
    loadDatabase(kSevenGames, 1, "cps1");
    EXPECT_EQ(selectedName(), "ffightu");
    loadDatabase(kSevenGames, 6, "gone"); // the filter matches nothing: all games, the first one
    EXPECT_EQ(shownNames().size(), 7);
    EXPECT_EQ(selectedName(), "ffight");
    EXPECT_EQ(frontEnd.games().driverFilter(), "");
    for (const qint32 outside : {7, -1, 40000}) { // 7 is one past the last game
        loadDatabase(kSevenGames, outside);
        EXPECT_EQ(frontEnd.games().selectedRow(), 0) << outside;
    }
    loadDatabase(kSevenGames, 6);
    EXPECT_EQ(selectedName(), "pacland");
}

TEST_F(GameListTest, ReplacingTheGamesWritesThemOrChangesNothing) {
    loadDatabase(kSevenGames, 0, "pacland");
    GameTable fewer = frontEnd.games().games();
    fewer.erase(fewer.begin() + 6); // pacland goes
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
