// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/ConfigFiles.h"

#include "OutcomeText.h"
#include "TestFolders.h"

class ConfigFiles : public InWorkFolder {};

TEST_F(ConfigFiles, MakeAMissingIniFileKeepAnExistingOneAndTouchNothingForABadName) {
    for (const char* name : {"../mame", "", "a/b", ";rm -rf x"})
        EXPECT_TRUE(failsWith(prepareIniFile("ini", name), "is not a set or driver name")) << name;
    EXPECT_FALSE(QFileInfo::exists("ini"));
    EXPECT_EQ(valueOf(prepareIniFile("ini/deeper", "cps1")), "ini/deeper/cps1.ini");
    EXPECT_EQ(readAll("ini/deeper/cps1.ini"), "");
    writeAll("ini/deeper/pacman.ini", "brightness 1.2\r\n");
    EXPECT_EQ(valueOf(prepareIniFile("ini/deeper", "pacman")), "ini/deeper/pacman.ini");
    EXPECT_EQ(readAll("ini/deeper/pacman.ini"), "brightness 1.2\r\n");
    writeAll("file", "mine");
    EXPECT_TRUE(failsWith(prepareIniFile("file", "pacman"), "\"file\" is a file, not a folder"));
    EXPECT_EQ(readAll("file"), "mine");
}
