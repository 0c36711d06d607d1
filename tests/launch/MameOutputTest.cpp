#include "launch/MameGeneration.h"
#include "launch/MameIniPath.h"

#include "QtPrinters.h"
#include "TestFolders.h"

TEST(MameGeneration, OnlyACurrentHeaderMeansACurrentMame) {
    const QString current = readAll(COINSLOT_FIXTURES "/current-mame/listfull.txt").split('\n')[0];
    const QString old = readAll(COINSLOT_FIXTURES "/old-mame/listfull.txt").split('\n')[0];
    // Line ends that the caller left on do not change the answer.
    for (const QString& line : {current, QString("Name:  Description:"), current + "\r"})
        EXPECT_EQ(generationFromListFullHeader(line), MameGeneration::Current)
            << line.toStdString();
    for (const QString& line : {old, old + "\r", QString(), QString("Name:Description:"),
                                QString("Name:\t\tDescription:"), current + " more",
                                current.toLower(), " " + current, QString("Error: unknown option")})
        EXPECT_EQ(generationFromListFullHeader(line), MameGeneration::Old) << line.toStdString();
}

TEST(MameIniPath, TakesTheFirstFolderOfTheInipathLineWithHomeWhereItIsNamed) {
    const QString captured = readAll(COINSLOT_FIXTURES "/current-mame/showconfig.txt");
    EXPECT_EQ(firstIniFolder(captured, "/home/a b"), "/home/a b/.mame");
    const auto first = [](const QString& value) {
        return firstIniFolder("homepath   .\r\ninipath         " + value + "\nfontpath   /usr\n",
                              "/home/ann");
    };
    EXPECT_EQ(first("~/ini;/etc/mame"), "/home/ann/ini");
    EXPECT_EQ(first("~"), "/home/ann");
    EXPECT_EQ(first("${HOME}/mame/ini"), "/home/ann/mame/ini");
    EXPECT_EQ(first("$HOME/a/$HOME"), "/home/ann/a//home/ann");
    const ScopedEnv homeDir("HOMEDIR", QByteArray("/dir")); // another variable
    EXPECT_EQ(first("$HOMEDIR/ini"), "/dir/ini");
    EXPECT_EQ(first("/etc/~mame"), "/etc/~mame");
    EXPECT_EQ(first("\"$HOME/my ini;/etc/mame\""), "/home/ann/my ini");
    EXPECT_EQ(first(";/etc/mame"), std::nullopt);
    EXPECT_EQ(firstIniFolder("Error: unknown option: -showconfig\n", "/h"), std::nullopt);
    EXPECT_EQ(firstIniFolder("inipathx                  /nowhere\n", "/h"), std::nullopt);
}
