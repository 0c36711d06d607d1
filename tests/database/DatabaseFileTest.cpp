// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/DatabaseFile.h"

#include "GamePrinters.h"
#include "OutcomeText.h"
#include "TestFolders.h"
#include "text/TextFile.h"

TEST(DatabaseFile, RecordsReadAndWrittenBackKeepTheirBytesAndOnlyThoseThatReadBackAreWritten) {
    // Any line end is read, CR LF written; odd bytes and U+FEFF anywhere stay; the
    // driver takes the rest of the line, "|" included.
    const QByteArray crLf("\xEF\xBB\xBF|bom||cps1\r\n"
                          "Caf\xC3\xA9 \xFF\xFE|cafe||\xEF\xBB\xBF"
                          "driver\r\n"
                          "\xEF\xBB\xBFLeading mark|lead|bom|neogeo\r\n"
                          "Zed|zed|parent|a|b\r\n");
    QByteArray mixed = crLf;
    mixed.replace("cps1\r\n", "cps1\n").replace("neogeo\r\n", "neogeo\r").chop(2);
    QTemporaryDir dir;
    const QString path = writeInto(dir, "coinslot.dat", mixed);
    const GameTable read = valueOf(readDatabase(path));
    ASSERT_EQ(read.size(), 4u);
    EXPECT_EQ(read[0].description(), QStringLiteral("\uFEFF"));
    EXPECT_EQ(read[2].description(), QStringLiteral("\uFEFFLeading mark"));
    EXPECT_EQ(read[3].fields(), (GameFields{"Zed", "zed", "parent", "a|b"}));
    ASSERT_EQ(failureText(writeDatabase(path, read)), "");
    EXPECT_EQ(readAll(path), crLf);
    // The file is read 256 KB at a time: the first piece ends inside "é".
    QByteArray bytes;
    while (bytes.size() < 256 * 1024 - 100)
        bytes += "Game|g||drv\r\n";
    const qsizetype start = bytes.size();
    bytes += QByteArray(256 * 1024 - 1 - start, 'x') + "\xC3\xA9\xFF\xC3\xA9|cut||drv\r\nLast|l||d";
    const GameTable cut = valueOf(readDatabase(writeInto(dir, "cut.dat", bytes)));
    ASSERT_EQ(std::ssize(cut), bytes.count('\n') + 1);
    EXPECT_EQ(cut[cut.size() - 2].description(),
              decodeText(bytes.mid(start, bytes.indexOf('|', start) - start)));
    // Nothing is written that would not read back: "description/name/parent/driver" empty
    // where it may not be, with a "|" or a line end; a lone surrogate.
    const GameFields good{"Desc", "name", "", "drv|x"};
    for (const char* fields : {"/n//d", "D///d", "D/n/p/", "A|B/n//d", "D/n|m//d", "D/n/p|q/d",
                               "D/n//d\re", "D\n/n//d"}) {
        const QStringList f = QString(fields).split('/');
        const GameFields game{f[0], f[1], f[2], f[3]};
        EXPECT_EQ(findUnreadableRecord({good, good, game, game}), 2) << fields;
    }
    EXPECT_EQ(findUnreadableRecord({good, {"D", "n", QString::fromUtf16(u"\xDFAE"), "d"}}), 1);
    EXPECT_EQ(failureText(writeDatabase(path, {{"A", "a", "", "d"}, {"B|C", "b", "", "d"}})),
              "Game 2 (\"b\") has a \"|\" in its description.");
    EXPECT_EQ(failureText(writeDatabase(path, {})), "There is no game to write.");
    EXPECT_EQ(readAll(path), crLf);
}

TEST(DatabaseFile, RefusesEveryInvalidFormNamingTheFirstLineThatIsNoGameOrAMillionAndOne) {
    // The bytes, and the line that is no game (0: the file is empty).
    const std::pair<QByteArray, int> cases[] = {
        {"", 0},      {"d|n|p\r\n", 1}, {"d|n\r\n", 1}, {"d|n||drv\r\n\r\n", 2},
        {"\r\n", 1},  {"|n||drv", 1},   {"d|||drv", 1}, {"d|n||drv\r\n\r\nd|m||drv\r\n", 2},
        {"d|n|p|", 1}};
    QTemporaryDir dir;
    for (const auto& [bytes, line] : cases)
        EXPECT_TRUE(failsWith(readDatabase(writeInto(dir, "coinslot.dat", bytes)),
                              line ? QString("Line %1 of the database").arg(line) : "is empty."))
            << bytes.toStdString();
    EXPECT_TRUE(failsWith(readDatabase(dir.filePath("none.dat")), "none.dat could not be read."));
    // At most a million lines.
    const QString path = dir.filePath("coinslot.dat");
    const QByteArray bytes = QByteArray("Game|g||drv\r\n").repeated(kMaxGames);
    writeAll(path, bytes);
    EXPECT_EQ(valueOf(readDatabase(path)).size(), 1000000u);
    writeAll(path, bytes + "One more|more||drv\r\n");
    EXPECT_EQ(failureText(readDatabase(path)),
              QString("The database %1 holds more than 1,000,000 lines.").arg(path));
}
