#include "launch/Platform.h"
#include "launch/MameCommands.h"
#include "launch/TempListingFolder.h"

#include "TestFolders.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

TEST(mameCommandFor, RunsABareNameFromTheWorkingFolderAndQuotesWhatIsNotPlain) {
    EXPECT_EQ(mameCommandFor("mame"), "./mame");
    EXPECT_EQ(mameCommandFor("/usr/games/mame"), "/usr/games/mame");
    EXPECT_EQ(mameCommandFor("my mame"), "'./my mame'");
    EXPECT_EQ(mameCommandFor("/opt/it's $HOME/mame;true"), "'/opt/it'\\''s $HOME/mame;true'");
    EXPECT_EQ(mameProgramFor("mame"), QDir::current().absoluteFilePath("mame"));
}

TEST(shellQuote, TheShellGivesBackTheSameText) {
    for (const char* text : {"plain", "two words", "it's", "$HOME", "a;b", "*", "'", "\\"}) {
        QProcess shell;
        shell.start("/bin/sh", {"-c", "printf %s " + shellQuote(text)});
        ASSERT_TRUE(shell.waitForFinished());
        EXPECT_EQ(QString::fromUtf8(shell.readAllStandardOutput()), text);
    }
}

TEST(isPlainMameName, RefusesAnythingTheShellOrAPathCouldReadOtherwise) {
    for (const char* name : {"pacman", "sf2ce", "8080bw", "outrun_b", "s-16", "A1"})
        EXPECT_TRUE(isPlainMameName(name)) << name;
    for (const char* name : {"", ";rm -rf x", "$(x)", "../x", "a/b", "a b", "x|y", "x*", "'x'",
                             "a\nb", "-createconfig", "pac.ini", "caf\u00e9"})
        EXPECT_FALSE(isPlainMameName(QString::fromUtf8(name))) << name;
    EXPECT_FALSE(playCommand("./mame", "x; rm -rf ~").has_value());
}

TEST(mameIniFor, ReplacesAFinalExeOrAddsIniToTheFileName) {
    EXPECT_EQ(mameIniFor("mame.exe"), "mame.ini");
    EXPECT_EQ(mameIniFor("MAME.EXE"), "MAME.ini");
    EXPECT_EQ(mameIniFor("mame"), "mame.ini");
    EXPECT_EQ(mameIniFor("/usr/games/mame"), "mame.ini");
}

TEST(TempListingFolder, IsPrivateFreshAndGoesAwayWithEverythingInIt) {
    QTemporaryDir temp;
    ScopedEnv env("TEMP", temp.filePath("with blank").toLocal8Bit());
    ASSERT_TRUE(QDir(temp.path()).mkdir("with blank"));
    {
        TempListingFolder first, second;
        ASSERT_TRUE(first.isValid()) << first.errorText().toStdString();
        const QString folder = QFileInfo(first.fullListing()).path();
        EXPECT_NE(folder, QFileInfo(second.fullListing()).path());
        EXPECT_EQ(QFileInfo(folder).permissions() & 0x0077, 0) << "others may look in";
        EXPECT_EQ(QFileInfo(folder).fileName().left(9), "coinslot-");
        QFile(first.fullListing()).open(QIODevice::WriteOnly);
    }
    EXPECT_TRUE(QDir(temp.filePath("with blank")).isEmpty());
    ScopedEnv missing("TEMP", temp.filePath("missing").toLocal8Bit());
    EXPECT_FALSE(TempListingFolder().isValid());
}

TEST(TempListingFolder, OnlyFoldersOfFrontEndsThatRunNoMoreAreRemoved) {
    QTemporaryDir temp;
    ScopedEnv env("TEMP", temp.path().toLocal8Bit());
    QProcess ended;
    ended.start("true");
    ASSERT_TRUE(ended.waitForFinished());
    const qint64 gone = ended.processId() ? ended.processId() : 999999;
    QDir dir(temp.path());
    for (const QString& name : {QString("coinslot-%1-aB3xYz").arg(gone),
                                QString("coinslot-%1-aB3xYz").arg(currentProcessId()),
                                QString("coinslot-Ab3xyz"), QString("other-%1-aB3xYz").arg(gone)})
        ASSERT_TRUE(dir.mkpath(name + "/inner"));
    ASSERT_FALSE(processIsRunning(gone));
    EXPECT_EQ(removeStaleListingFolders(), 1);
    EXPECT_FALSE(dir.exists(QString("coinslot-%1-aB3xYz").arg(gone)));
    EXPECT_EQ(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 3);
}

class OpenWithDefaultAppTest : public InWorkFolder {};

TEST_F(OpenWithDefaultAppTest, StartsTheOpenerOnTheFileOrSaysItCouldNot) {
    // A stand-in opener on PATH that notes its argument.
    ASSERT_TRUE(QDir().mkdir("bin"));
    QFile opener("bin/xdg-open");
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write("#!/bin/sh\necho \"$1\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0.arg\"\n");
    opener.close();
    opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    {
        ScopedEnv path("PATH", (m_work.filePath("bin") + ":/usr/bin:/bin").toLocal8Bit());
        ASSERT_TRUE(openWithDefaultApp("ini/pacman.ini"));
    }
    const QDeadlineTimer deadline(30000); // it is not waited for
    while (!QFile::exists("bin/xdg-open.arg") && !deadline.hasExpired())
        QThread::msleep(10);
    EXPECT_EQ(ReadAll("bin/xdg-open.arg"), "ini/pacman.ini\n");

    ScopedEnv nowhere("PATH", m_work.filePath("nothing-here").toLocal8Bit());
    EXPECT_FALSE(openWithDefaultApp("ini/pacman.ini"));
}
