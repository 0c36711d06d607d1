// SPDX-License-Identifier: GPL-2.0-or-later
// One front end per folder: a lock that a live front end holds is never taken
// over, however old, and one that nobody holds always is, whatever it holds.
#include "app/FolderLock.h"
#include "TestFolders.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using FolderLockTest = InWorkFolder;

// Makes the file look as if it had been written an hour ago.
void ageByAnHour(const char* path) {
    const timeval old[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
    ASSERT_EQ(::lutimes(path, old), 0);
}

TEST_F(FolderLockTest, ALiveLockIsNeverTakenOverHoweverOldAndAnUnheldOneAlwaysIs) {
    {
        const FolderLock first("Coinslot.exe");
        ASSERT_FALSE(first.heldByAnother());
        EXPECT_TRUE(QFileInfo("coinslot.lock").isFile());
        ageByAnHour("coinslot.lock");
        EXPECT_TRUE(FolderLock("coinslot").heldByAnother());
        EXPECT_TRUE(FolderLock("coinslot").heldByAnother()); // a refused start leaves it held
    }
    EXPECT_FALSE(QFileInfo::exists("coinslot.lock")); // let go at the end

    // Left behind by a front end that is gone, or by a crash before its content
    // reached the disk, or put there by anyone: none of it is held.
    const QByteArray pidOfTheDead = [] {
        const pid_t child = fork();
        if (child == 0)
            _exit(0);
        waitpid(child, nullptr, 0);
        return QByteArray::number(child) + "\ncoinslot\n" + QSysInfo::machineHostName().toUtf8();
    }();
    for (const QByteArray& left : {QByteArray(), QByteArray("\xff\xfe garbage\n\n"), pidOfTheDead,
                                   QByteArray::number(getpid()) + "\ncoinslot\n"}) {
        writeAll("coinslot.lock", left);
        ageByAnHour("coinslot.lock");
        const FolderLock taken("coinslot");
        EXPECT_FALSE(taken.heldByAnother()) << left.toStdString();
        EXPECT_TRUE(FolderLock("coinslot").heldByAnother()) << left.toStdString();
    }

    // A link in its place is never followed: the place it points to stays untouched.
    ASSERT_TRUE(QFile::link("nowhere/coinslot.lock", "coinslot.lock"));
    {
        const FolderLock taken("coinslot");
        EXPECT_FALSE(taken.heldByAnother());
        EXPECT_TRUE(QFileInfo("coinslot.lock").isFile());
        EXPECT_FALSE(QFileInfo::exists("nowhere"));
    }
}

TEST_F(FolderLockTest, AFrontEndInAnotherProcessHoldsTheFolderUntilItDies) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    if (holder == 0) {
        const FolderLock lock("coinslot");
        const char held = lock.heldByAnother() ? 'n' : 'y';
        (void)!write(ready[1], &held, 1);
        pause(); // killed
        _exit(0);
    }
    char held = 0;
    ASSERT_EQ(read(ready[0], &held, 1), 1);
    EXPECT_EQ(held, 'y');
    ageByAnHour("coinslot.lock");
    EXPECT_TRUE(FolderLock("coinslot").heldByAnother());
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_TRUE(QFileInfo("coinslot.lock").isFile()); // left behind, as a crash leaves it
    EXPECT_FALSE(FolderLock("coinslot").heldByAnother());
    close(ready[0]);
    close(ready[1]);
}

} // namespace
