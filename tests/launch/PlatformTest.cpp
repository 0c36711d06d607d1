#include "launch/Platform.h"

#include "LaunchTestSupport.h"

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
    {
        ScopedEnv temp("TEMP", QByteArray("/some/where"));
        EXPECT_EQ(TemporaryFolder(), "/some/where");
    }
    {
        ScopedEnv temp("TEMP", QByteArray());
        EXPECT_EQ(TemporaryFolder(), QDir::tempPath());
    }
    ScopedEnv temp("TEMP", std::nullopt);
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

TEST_F(OpenWithDefaultAppTest, StartsTheOpenerOnTheFileWithoutWaiting) {
    // A stand-in opener: it notes its argument, then stays until released (30 s at most).
    ASSERT_TRUE(QDir(m_work.path()).mkdir("bin"));
    QFile opener(m_work.filePath("bin/xdg-open"));
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write("#!/bin/sh\nd=$(dirname \"$0\")\necho \"$1\" > \"$d/opened.tmp\"\n"
                 "mv \"$d/opened.tmp\" \"$d/opened\"\ni=0\n"
                 "while [ ! -e \"$d/release\" ] && [ $i -lt 300 ]; do sleep 0.1; i=$((i+1)); done\n"
                 "touch \"$d/done\"\n");
    opener.close();
    opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ScopedEnv path("PATH", (m_work.filePath("bin") + ":/usr/bin:/bin").toLocal8Bit());

    ASSERT_TRUE(OpenWithDefaultApp("ini/pacman.ini"));
    EXPECT_FALSE(QFile::exists(m_work.filePath("bin/done"))) << "waited for the opener";
    QDeadlineTimer deadline(30000);
    while (!QFile::exists(m_work.filePath("bin/opened")) && !deadline.hasExpired())
        QThread::msleep(10);
    EXPECT_EQ(ReadAll(m_work.filePath("bin/opened")), "ini/pacman.ini\n");
    // Let the opener finish before its folder goes away.
    QFile(m_work.filePath("bin/release")).open(QIODevice::WriteOnly);
    while (!QFile::exists(m_work.filePath("bin/done")) && !deadline.hasExpired())
        QThread::msleep(10);
}

TEST_F(OpenWithDefaultAppTest, ReportsAnOpenerThatCannotBeStarted) {
    ScopedEnv path("PATH", m_work.filePath("nothing-here").toLocal8Bit());
    EXPECT_FALSE(OpenWithDefaultApp("ini/pacman.ini"));
}
