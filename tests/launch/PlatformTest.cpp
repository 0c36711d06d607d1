#include "launch/Platform.h"

#include "TestFolders.h"

#include <QDeadlineTimer>
#include <QThread>

TEST(MameCommandFor, RunsABareNameFromTheWorkingFolderAndKeepsPaths) {
    EXPECT_EQ(MameCommandFor("mame"), "./mame");
    EXPECT_EQ(MameCommandFor("mame.exe"), "./mame.exe");
    EXPECT_EQ(MameCommandFor("/usr/games/mame"), "/usr/games/mame");
    EXPECT_EQ(MameCommandFor("bin/mame"), "bin/mame");
    EXPECT_EQ(MameCommandFor("my mame"), "./my mame"); // unquoted, as every command line
}

TEST(MameIniFor, ReplacesAFinalExeOrAddsIniToTheFileName) {
    EXPECT_EQ(MameIniFor("mame.exe"), "mame.ini");
    EXPECT_EQ(MameIniFor("MAME.EXE"), "MAME.ini");
    EXPECT_EQ(MameIniFor("mame"), "mame.ini");
    EXPECT_EQ(MameIniFor("mame0106"), "mame0106.ini");
    // MAME writes its ini into the working folder, not beside itself.
    EXPECT_EQ(MameIniFor("/usr/games/mame"), "mame.ini");
}

TEST(TemporaryFolder, IsTempWhenSetAndNotEmpty) {
    ScopedEnv temp("TEMP", QByteArray("/some/where"));
    EXPECT_EQ(TemporaryFolder(), "/some/where");
    qputenv("TEMP", "");
    EXPECT_EQ(TemporaryFolder(), QDir::tempPath());
}

TEST(IsShellSafePath, RefusesWhatTheShellWouldSplitOrExpand) {
    EXPECT_TRUE(IsShellSafePath("/tmp/coinslot-aB3x_9/~FULL.TMP"));
    for (const char* path : {"", "/tmp/my dir/x", "/tmp/$HOME/x", "/tmp/a;b", "/tmp/*", "~/x",
                             "/tmp/a'b", "/tmp/a\"b", "/tmp/a>b", "/tmp/a`b`", "/tmp/a&b"})
        EXPECT_FALSE(IsShellSafePath(path)) << path;
}

class RunThroughShellTest : public InWorkFolder {};

TEST_F(RunThroughShellTest, PassesAStarThroughUnexpanded) {
    // The folder is not empty (it holds "mame"), so a globbing shell would change the star.
    ASSERT_TRUE(RunThroughShell("echo * > out.txt", false));
    EXPECT_EQ(ReadAll("out.txt"), "*\n");
}

TEST_F(RunThroughShellTest, ReportsAShellThatCannotBeStarted) {
    // The system refuses to start a program with an argument this long.
    EXPECT_FALSE(RunThroughShell("echo " + QString(300000, 'x') + " > out.txt", false));
    EXPECT_FALSE(QFile::exists("out.txt"));
}

class OpenWithDefaultAppTest : public InWorkFolder {};

TEST_F(OpenWithDefaultAppTest, StartsTheOpenerOnTheFile) {
    // A stand-in opener on PATH that notes its argument.
    ASSERT_TRUE(QDir().mkdir("bin"));
    QFile opener("bin/xdg-open");
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write("#!/bin/sh\necho \"$1\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0.arg\"\n");
    opener.close();
    opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ScopedEnv path("PATH", (m_work.filePath("bin") + ":/usr/bin:/bin").toLocal8Bit());

    ASSERT_TRUE(OpenWithDefaultApp("ini/pacman.ini"));
    const QDeadlineTimer deadline(30000); // it is not waited for
    while (!QFile::exists("bin/xdg-open.arg") && !deadline.hasExpired())
        QThread::msleep(10);
    EXPECT_EQ(ReadAll("bin/xdg-open.arg"), "ini/pacman.ini\n");
}

TEST_F(OpenWithDefaultAppTest, ReportsAnOpenerThatCannotBeStarted) {
    ScopedEnv path("PATH", m_work.filePath("nothing-here").toLocal8Bit());
    EXPECT_FALSE(OpenWithDefaultApp("ini/pacman.ini"));
}
