// SPDX-License-Identifier: GPL-2.0-or-later
// MAME's ROM folders listed without reading a file: what names a change to
// which file, and what is left out.
#include "launch/RomFolders.h"
#include "TestFolders.h"

#include <QThread>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

class RomFolders : public InWorkFolder {
  protected:
    QHash<QString, quint64> list() const { return listRomFolders({"roms", "more", "missing"}); }
    // The names whose state differs from `before`.
    QStringList changedSince(const QHash<QString, quint64>& before) const {
        const QHash<QString, quint64> now = list();
        QStringList changed;
        for (auto at = now.begin(); at != now.end(); ++at) {
            if (before.value(at.key()) != *at)
                changed << at.key();
        }
        for (auto at = before.begin(); at != before.end(); ++at) {
            if (!now.contains(at.key()))
                changed << at.key();
        }
        changed.sort();
        return changed;
    }
};

} // namespace

TEST_F(RomFolders, NameEachSetsFilesAndTellEveryChangeToThem) {
    ASSERT_TRUE(QDir().mkpath("roms/galaga") && QDir().mkpath("more"));
    writeAll("roms/puckman.zip", "a");
    writeAll("more/Puckman.7z", "b");
    writeAll("roms/galaga/gg1_1b.3p", "c");
    writeAll("roms/kinst.chd", "d");
    writeAll("roms/readme.txt", "e");
    const QHash<QString, quint64> first = list();
    QStringList names = first.keys();
    names.sort();
    EXPECT_EQ(names, QStringList({"galaga", "kinst.chd", "puckman"}));

    QThread::msleep(20); // past the file system's clock step
    writeAll("roms/readme.txt", "changed");
    writeAll("roms/mspacman.zip", "new");
    EXPECT_EQ(changedSince(first), QStringList({"mspacman"}));
    const QHash<QString, quint64> second = list();

    // Rewritten in place at the same size and time: the change time tells.
    struct stat before {};
    ASSERT_EQ(stat("more/Puckman.7z", &before), 0);
    writeAll("more/Puckman.7z", "B");
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, "more/Puckman.7z", times, 0), 0);
    writeAll("roms/galaga/new.chd", "f");
    ASSERT_TRUE(QFile::remove("roms/kinst.chd"));
    EXPECT_EQ(changedSince(second), QStringList({"galaga", "kinst.chd", "puckman"}));
}

TEST_F(RomFolders, AreTheRompathFoldersExpandedFromWhereMameRuns) {
    ScopedEnv home("HOME", QByteArray("/home/player"));
    EXPECT_EQ(romFoldersOf("homepath  .\nrompath                   $HOME/mame/roms;roms; ;../x\n",
                           "/work/run"),
              QStringList({"/home/player/mame/roms", "/work/run/roms", "/work/x"}));
    EXPECT_TRUE(romFoldersOf("inipath  x\n", "/work").isEmpty());
}
