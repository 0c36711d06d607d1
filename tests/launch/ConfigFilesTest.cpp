#include "launch/ConfigFiles.h"

#include "OutcomeText.h"
#include "TestFolders.h"

class ConfigFilesTest : public InWorkFolder {};

TEST_F(ConfigFilesTest, MakesTheFolderAndAMissingFileAndKeepsAnExistingOne) {
    EXPECT_EQ(valueOf(prepareIniFile("ini/deeper", "cps1")), "ini/deeper/cps1.ini");
    EXPECT_EQ(readAll("ini/deeper/cps1.ini"), "");
    writeAll("ini/deeper/pacman.ini", "brightness 1.2\r\n");
    EXPECT_EQ(valueOf(prepareIniFile("ini/deeper", "pacman")), "ini/deeper/pacman.ini");
    EXPECT_EQ(readAll("ini/deeper/pacman.ini"), "brightness 1.2\r\n");
}

TEST_F(ConfigFilesTest, TouchesNothingForANameThatIsNotPlainOrBesideAFileNamedIni) {
    for (const char* name : {"../mame", "", "a/b", ";rm -rf x"})
        EXPECT_TRUE(failsWith(prepareIniFile("ini", name), "is not a set or driver name")) << name;
    EXPECT_FALSE(QFileInfo::exists("ini"));
    writeAll("ini", "mine");
    EXPECT_TRUE(failsWith(prepareIniFile("ini", "pacman"), "\"ini\" is a file, not a folder"));
    EXPECT_EQ(readAll("ini"), "mine");
}
