#include "launch/ConfigFiles.h"

#include "TestFolders.h"

#include <QFileInfo>

class ConfigFilesTest : public InWorkFolder {};

TEST_F(ConfigFilesTest, MameIniCountsOnlyAsAnOrdinaryFile) {
    ASSERT_TRUE(QDir().mkdir("mame.ini"));
    EXPECT_FALSE(mameIniExists("mame.ini"));
    QFile("mame.exe.ini").open(QIODevice::WriteOnly);
    EXPECT_TRUE(mameIniExists("mame.exe.ini"));
}

TEST_F(ConfigFilesTest, MakesTheFolderOnceAndAMissingFileEmpty) {
    const IniFile first = prepareIniFile("ini", "cps1");
    ASSERT_TRUE(first.ok()) << first.message.toStdString();
    EXPECT_EQ(first.path, "ini/cps1.ini");
    EXPECT_EQ(ReadAll("ini/cps1.ini"), "");

    QFile existing("ini/pacman.ini");
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("brightness 1.2\r\n");
    existing.close();
    const IniFile second = prepareIniFile("ini", "pacman");
    EXPECT_TRUE(second.ok());
    EXPECT_EQ(second.path, "ini/pacman.ini");
    EXPECT_EQ(ReadAll("ini/pacman.ini"), "brightness 1.2\r\n");
    EXPECT_EQ(QDir("ini").entryList(QDir::Files), QStringList({"cps1.ini", "pacman.ini"}));
}

TEST_F(ConfigFilesTest, NeverMakesAnythingBesideAnOrdinaryFileNamedIni) {
    QFile ini("ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("mine");
    ini.close();
    const IniFile result = prepareIniFile("ini", "pacman");
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.path.isEmpty());
    EXPECT_TRUE(QFileInfo("ini").isFile());
    EXPECT_EQ(ReadAll("ini"), "mine");
}

TEST_F(ConfigFilesTest, RefusesANameThatIsNotPlainBeforeTouchingAnything) {
    for (const char* name : {"../mame", "", "a/b", ";rm -rf x"}) {
        const IniFile result = prepareIniFile("ini", name);
        EXPECT_FALSE(result.ok()) << name;
        EXPECT_TRUE(result.path.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists("ini"));
    EXPECT_FALSE(QFileInfo::exists("mame.ini"));
}
