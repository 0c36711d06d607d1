// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/Platform.h"
#include "launch/ConfigFiles.h"
#include "launch/MameCommands.h"
#include "launch/TempListingFolder.h"

#include "OutcomeText.h"
#include "TestFolders.h"

#include <QProcess>
#include <unistd.h>

TEST(ShellQuote, TheShellGivesBackTheSameTextAndOnlyABareNameRunsFromHere) {
    for (const char* text : {"plain", "two words", "it's", "$HOME", "a;b", "*", "'", "\\", ""}) {
        QProcess shell;
        shell.start("/bin/sh", {"-c", "printf %s " + shellQuote(text)});
        ASSERT_TRUE(shell.waitForFinished());
        EXPECT_EQ(QString::fromUtf8(shell.readAllStandardOutput()), text);
    }
    // Play's commands, options and quoted paths are pinned through the front end's Play.
    EXPECT_EQ(shellQuote("/usr/games/mame-0.251"), "/usr/games/mame-0.251");
    EXPECT_EQ(mameCommandFor("/usr/games/mame"), "/usr/games/mame");
    EXPECT_EQ(mameCommandFor("my mame"), "'./my mame'");
    EXPECT_EQ(mameIniFor("/usr/games/MAME.EXE"), "MAME.ini");
}

TEST(IsPlainMameName, RefusesAnythingTheShellOrAPathCouldReadOtherwise) {
    for (const char* name : {"pacman", "sf2ce", "8080bw", "outrun_b", "s-16", "A1", "Zz9"})
        EXPECT_TRUE(isPlainMameName(name)) << name;
    for (const char* name : {"", ";rm -rf x", "$(x)", "../x", "a/b", "a b", "x|y", "x*", "'x'",
                             "a\nb", "-createconfig", "pac.ini", "caf\u00e9", "a@", "[x]", "`x`"})
        EXPECT_FALSE(isPlainMameName(QString::fromUtf8(name))) << name;
}

TEST(TempListingFolder, IsMadeUnderTempGoesAwayWithEverythingInItAndOnlyStaleOnesAreRemoved) {
    const ScopedEnv empty("TEMP", "");
    EXPECT_EQ(temporaryFolder(), QDir::tempPath());
    QTemporaryDir temp;
    const ScopedEnv env("TEMP", temp.path().toLocal8Bit());
    {
        TempListingFolder folder;
        const QString name = QString("coinslot-%1-").arg(currentProcessId());
        EXPECT_TRUE(folder.fullListing().startsWith(temp.filePath(name))) << "a stale one's name";
        EXPECT_EQ(QFileInfo(folder.fullListing()).path().size(), temp.filePath(name).size() + 6);
        EXPECT_EQ(QFile(QFileInfo(folder.fullListing()).path()).permissions() & 0x0077, 0);
        writeAll(folder.fullListing(), "x");
    }
    EXPECT_TRUE(QDir(temp.path()).isEmpty());
    const ScopedEnv missing("TEMP", temp.filePath("missing").toLocal8Bit());
    EXPECT_FALSE(TempListingFolder().isValid());
    // Only the own folders of front ends that run no more are removed.
    const ScopedEnv back("TEMP", temp.path().toLocal8Bit());
    // No process ever has the id pid_max.
    const QString gone = "coinslot-" + readAll("/proc/sys/kernel/pid_max").trimmed() + "-";
    const QString running = QString("coinslot-%1-aB3xYz").arg(currentProcessId());
    QDir dir(temp.path());
    for (const QString& name : {gone + "aB3xYz", gone + "theirs", gone + "open00", gone + "nested",
                                running, QString("coinslot-Ab3xyz"), "other-" + gone + "aB3xYz"})
        ASSERT_TRUE(dir.mkpath(name + "/inner"));
    // Private (0700), holding files only, as made; a stale name alone is not enough.
    for (const QString& name : {gone + "aB3xYz", gone + "theirs", gone + "open00", running}) {
        ASSERT_TRUE(dir.rmdir(name + "/inner"));
        writeAll(temp.filePath(name + "/~FULL.TMP"), "x");
    }
    for (const QString& name : {gone + "aB3xYz", gone + "theirs", gone + "nested", running})
        ASSERT_TRUE(QFile::setPermissions(temp.filePath(name),
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    // Another user's is no folder of the front end's own.
    const bool chowned =
        ::chown(QFile::encodeName(temp.filePath(gone + "theirs")), 65534, 65534) == 0;
    EXPECT_EQ(removeStaleListingFolders(), 2 - chowned);
    EXPECT_FALSE(dir.exists(gone + "aB3xYz"));
    EXPECT_EQ(dir.exists(gone + "theirs"), chowned);
    EXPECT_TRUE(dir.exists(gone + "open00/~FULL.TMP") && dir.exists(gone + "nested/inner"));
    EXPECT_TRUE(dir.exists(running + "/~FULL.TMP")) << "a front end that still runs";
    EXPECT_EQ(dir.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size(),
              5 + chowned);
}

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
