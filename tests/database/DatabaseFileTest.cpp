#include "database/DatabaseFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "TestFolders.h"

#include "QtPrinters.h"

TEST(DatabaseFile, WritesCrLfLinesAndReadsBackTheSameRecordsInOrder) {
    QTemporaryDir dir;
    const QString path = dir.filePath("coinslot.dat");
    const GameTable games = {
        {"Zed", "zed", "", "zdrv"},
        {"Alpha (clone)", "alphac", "alpha", "a|b"}, // a "|" in the driver stays in it
        {"Alpha", "alpha", "", "adrv"},
    };
    ASSERT_EQ(writeDatabase(path, games), QString());
    EXPECT_EQ(ReadAll(path), QByteArray("Zed|zed||zdrv\r\nAlpha (clone)|alphac|alpha|a|b\r\n"
                                        "Alpha|alpha||adrv\r\n"));
    const DatabaseLoad load = readDatabase(path);
    EXPECT_EQ(load.status, DatabaseStatus::Ok);
    EXPECT_EQ(load.games, games);
}

TEST(DatabaseFile, RefusesEveryInvalidForm) {
    struct Case {
        QByteArray bytes;
        DatabaseStatus status;
        qsizetype badLine;
    };
    const Case cases[] = {
        {"", DatabaseStatus::EmptyFile, 0},
        {"d|n|p\r\n", DatabaseStatus::InvalidRecord, 1}, // two separators: no driver
        {"d|n\r\n", DatabaseStatus::InvalidRecord, 1},
        {"d|n||drv\r\n\r\n", DatabaseStatus::InvalidRecord, 2}, // empty line at the end
        {"d|n||drv\r\n\r\nd|m||drv\r\n", DatabaseStatus::InvalidRecord, 2},
        {"\r\n", DatabaseStatus::InvalidRecord, 1},
        {"|n||drv", DatabaseStatus::InvalidRecord, 1},
        {"d|||drv", DatabaseStatus::InvalidRecord, 1},
        {"d|n|p|", DatabaseStatus::InvalidRecord, 1},
        {"d|n||drv\ra|b||c", DatabaseStatus::Ok, 0}, // CR alone ends a line; no final end
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        const DatabaseLoad load = readDatabase(WriteInto(dir, "coinslot.dat", c.bytes));
        EXPECT_EQ(load.status, c.status) << c.bytes.toStdString();
        EXPECT_EQ(load.badLine, c.badLine) << c.bytes.toStdString();
        EXPECT_EQ(load.games.empty(), c.status != DatabaseStatus::Ok);
    }
    EXPECT_EQ(readDatabase(dir.filePath("missing.dat")).status, DatabaseStatus::Unreadable);
}

TEST(DatabaseFile, HoldsAtMostAMillionLines) {
    QTemporaryDir dir;
    const QString path = dir.filePath("coinslot.dat");
    QByteArray bytes = QByteArray("Game|g||drv\r\n").repeated(kMaxGames);
    WriteAll(path, bytes);
    const DatabaseLoad full = readDatabase(path);
    ASSERT_EQ(full.status, DatabaseStatus::Ok);
    EXPECT_EQ(full.games.size(), 1000000u);
    EXPECT_EQ(full.games.back(), (GameRecord{"Game", "g", "", "drv"}));

    WriteAll(path, bytes + "One more|more||drv\r\n");
    const DatabaseLoad over = readDatabase(path);
    EXPECT_EQ(over.status, DatabaseStatus::TooManyLines);
    EXPECT_TRUE(over.games.empty());

    GameTable games(kMaxGames + 1, GameRecord{"Game", "g", "", "drv"});
    EXPECT_EQ(writeDatabase(path, games),
              "1,000,001 games are more than the database can hold (1,000,000).");
    EXPECT_EQ(readDatabase(path).status, DatabaseStatus::TooManyLines); // left as it was
}

TEST(DatabaseFile, WritesNothingThatCouldNotBeReadBackAsWritten) {
    const GameRecord good{"Desc", "name", "", "drv|x"};
    const GameRecord bad[] = {
        {"", "n", "", "d"},       {"D", "", "", "d"},    {"D", "n", "p", ""},
        {"A|B", "n", "", "d"},    {"D", "n|m", "", "d"}, {"D", "n", "p|q", "d"},
        {"D\r\nE", "n", "", "d"},
    };
    for (const GameRecord& game : bad)
        EXPECT_EQ(findUnreadableRecord({good, good, game, game}), 2)
            << game.description.toStdString();
    EXPECT_EQ(findUnreadableRecord({good, good}), std::nullopt);

    QTemporaryDir dir;
    const QString path = dir.filePath("coinslot.dat");
    const GameTable old = {good};
    ASSERT_EQ(writeDatabase(path, old), QString());
    EXPECT_EQ(writeDatabase(path, {{"A", "a", "", "d"}, {"B|C", "b", "", "d"}}),
              "Game 2 (\"b\") has a \"|\" in its description.");
    EXPECT_FALSE(writeDatabase(path, {}).isEmpty());
    EXPECT_EQ(readDatabase(path).games, old);

    EXPECT_FALSE(writeDatabase(dir.filePath("no/such/folder.dat"), old).isEmpty());
}
