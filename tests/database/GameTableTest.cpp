// SPDX-License-Identifier: GPL-2.0-or-later
// The table's own rules: what it keeps of the texts it is given, and its
// texts set aside in a file and taken back.
#include "database/DatabaseFile.h"
#include "database/SetAsideFile.h"

#include "GamePrinters.h"
#include "OutcomeText.h"
#include "TestFolders.h"
#include "text/TextFile.h"

TEST(GameTable, KeepsEveryTextItCanAndGivesTheSameTextsWhileItsBytesAreSetAside) {
    // A driver with "|" and longer than a piece read at a time, a CR alone
    // ending a line, a last line without an end, bytes that are no UTF-8.
    const QByteArray longDriver = QByteArray("drv|") + QByteArray(150, 'd');
    const QByteArray bytes =
        "Caf\xC3\xA9 \xFF|cafe|p|" + longDriver + "\r\nPac-Man|pacman||pacman\rZed|zed|parent|z";
    QTemporaryDir dir;
    const QString path = writeInto(dir, "coinslot.dat", bytes);
    GameTable games = valueOf(readDatabase(path));
    ASSERT_EQ(games.size(), 3u);
    const GameTable copy = games;
    std::vector<GameFields> fields;
    for (const GameRecord& game : games)
        fields.push_back(game.fields());
    EXPECT_EQ(fields[0].driver, decodeText(longDriver));
    EXPECT_EQ(fields[2], (GameFields{"Zed", "zed", "parent", "z"}));

    ASSERT_TRUE(games.setAside(std::make_shared<SetAsideFile>(dir.filePath("aside"))));
    EXPECT_TRUE(games.isSetAside());
    // The texts and the flags read from the file, each game its own.
    EXPECT_EQ(games.size(), 3u);
    EXPECT_EQ(games[2].fields(), fields[2]);
    EXPECT_EQ(games[0].fields(), fields[0]);
    EXPECT_EQ(games[1].fields(), fields[1]);
    EXPECT_TRUE(games[0].hasParent());
    EXPECT_FALSE(games[1].hasParent());
    EXPECT_TRUE(games.isSetAside());
    // The bytes themselves bring them all back.
    EXPECT_EQ(games[0].driverBytes(), longDriver);
    EXPECT_FALSE(games.isSetAside());
    EXPECT_EQ(games, copy);
    // Reordered, as a sort does: the places move, the texts stay.
    games.reorder({2, 0, 1});
    EXPECT_EQ(games, GameTable({copy[2], copy[0], copy[1]}));

    // A file that cannot take them changes nothing.
    EXPECT_FALSE(games.setAside(std::make_shared<SetAsideFile>(dir.filePath("no/such/folder"))));
    EXPECT_FALSE(games.isSetAside());
    EXPECT_EQ(games[0].fields(), fields[2]);

    // What the line's form cannot hold is kept changed, and the table says why
    // it cannot be written.
    const GameTable odd = {{"A", "a|b", "", "d"}, {"B", "b", "", "d\ne"}, {"C", "c", "", "d"}};
    EXPECT_EQ(odd[0].fields(), (GameFields{"A", "a/b", "", "d"}));
    EXPECT_EQ(odd[1].driver(), "d e");
    EXPECT_EQ(odd.unkeptReason(0), "a \"|\" in its short name");
    EXPECT_EQ(odd.unkeptReason(1), "a line break in one of its fields");
    EXPECT_EQ(odd.unkeptReason(2), std::nullopt);
    EXPECT_EQ(GameTable({odd[2], odd[1]}).unkeptReason(1), "a line break in one of its fields");
}
