#include "launch/MameIniPath.h"

#include <QFile>
#include <gtest/gtest.h>

#include "QtPrinters.h"

TEST(MameIniPath, TakesTheFirstFolderOfTheCapturedShowConfig) {
    QFile file(QStringLiteral(COINSLOT_FIXTURES "/current-mame/showconfig.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString output = QString::fromUtf8(file.readAll());
    EXPECT_EQ(firstIniFolder(output, "/home/ann"), "/home/ann/.mame");
    EXPECT_EQ(firstIniFolder(output, "/home/a b"), "/home/a b/.mame");
}

TEST(MameIniPath, ExpandsHomeOnlyWhereItIsNamed) {
    const auto first = [](const QString& value) {
        return firstIniFolder("homepath                  .\ninipath                   " + value +
                                  "\nfontpath                  /usr/share\n",
                              "/home/ann");
    };
    EXPECT_EQ(first("~/ini;/etc/mame"), "/home/ann/ini");
    EXPECT_EQ(first("~"), "/home/ann");
    EXPECT_EQ(first("${HOME}/mame/ini"), "/home/ann/mame/ini");
    EXPECT_EQ(first("$HOME/a/$HOME"), "/home/ann/a//home/ann");
    EXPECT_EQ(first("$HOMEDIR/ini"), "$HOMEDIR/ini");
    EXPECT_EQ(first("/etc/~mame"), "/etc/~mame");
    EXPECT_EQ(first("\"$HOME/my ini;/etc/mame\""), "/home/ann/my ini");
    EXPECT_EQ(first("ini"), "ini");
    EXPECT_EQ(first(";/etc/mame"), std::nullopt);
    EXPECT_EQ(first(""), std::nullopt);
}

TEST(MameIniPath, FindsNoFolderWithoutAnInipathLine) {
    EXPECT_EQ(firstIniFolder("", "/h"), std::nullopt);
    EXPECT_EQ(firstIniFolder("Error: unknown option: -showconfig\n", "/h"), std::nullopt);
    EXPECT_EQ(firstIniFolder("inipathx                  /nowhere\n", "/h"), std::nullopt);
    EXPECT_EQ(firstIniFolder("rompath roms\r\ninipath                   /ini\r\n", "/h"), "/ini");
}
