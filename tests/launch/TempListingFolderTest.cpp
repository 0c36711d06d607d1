// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/TempListingFolder.h"
#include "launch/ProcessIds.h"

#include "TestFolders.h"

#include <unistd.h>

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
