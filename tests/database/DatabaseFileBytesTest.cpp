// What reaches the disk: records kept byte for byte, and a full disk that
// leaves the old files whole.

#include "database/DatabaseFile.h"
#include "database/ListingImport.h"
#include "text/TextFile.h"

#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void Put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

GameTable Games(int count, const QString& prefix) {
    GameTable games;
    for (int i = 0; i < count; ++i)
        games.push_back({QStringLiteral("%1 game number %2").arg(prefix).arg(i),
                         QStringLiteral("g%1").arg(i), QString(), QStringLiteral("driver")});
    return games;
}

// A 64 KB tmpfs mounted over a fresh folder, unmounted when done.
class TinyDisk {
  public:
    TinyDisk() {
        if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, "size=64k") !=
            0)
            m_refusal = std::strerror(errno);
    }
    ~TinyDisk() {
        if (m_refusal.empty())
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    const std::string& refusal() const { return m_refusal; }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    QStringList files() const {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    // Fills all but `spare` bytes with a file named "filler".
    void fill(qint64 spare) {
        struct statvfs fs {};
        ASSERT_EQ(::statvfs(QFile::encodeName(m_dir.path()).constData(), &fs), 0);
        const qint64 free = qint64(fs.f_bavail) * qint64(fs.f_frsize);
        Put(filePath("filler"), QByteArray(std::max<qint64>(free - spare, 0), 'x'));
    }

  private:
    QTemporaryDir m_dir;
    std::string m_refusal;
};

} // namespace

TEST(DatabaseFileBytes, RecordsReadAndWrittenBackKeepTheirBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("coinslot.dat");
    const QByteArray file("\xEF\xBB\xBF|bom||cps1\r\n"
                          "Caf\xC3\xA9 \xFF\xFE|cafe||\xEF\xBB\xBF"
                          "driver\r\n"
                          "\xEF\xBB\xBFLeading mark|lead|bom|neogeo\r\n");
    Put(path, file);

    const DatabaseLoad load = readDatabase(path);
    ASSERT_EQ(load.status, DatabaseStatus::Ok);
    ASSERT_EQ(load.games.size(), 3u);
    EXPECT_EQ(load.games[0].description, QStringLiteral("\uFEFF"));
    EXPECT_EQ(load.games[2].description, QStringLiteral("\uFEFFLeading mark"));

    ASSERT_EQ(writeDatabase(path, load.games), QString());
    EXPECT_EQ(Bytes(path), file);
    EXPECT_EQ(readDatabase(path).games, load.games);
}

TEST(DatabaseFileBytes, RefusesACharacterCutInHalfByTheListingColumns) {
    // The description starts at column 12, inside a character of two UTF-16 units.
    const QStringList games = splitLines("Name:     Description:\n"
                                         "ab        \xF0\x9F\x8E\xAE\"Desc\"\n");
    const QStringList clones = {"Name:    Clone of:", "x  y"};
    const QStringList drivers = {"ab       src/drivers/abcdefg.c"};
    const ListingImport import = importListings(games, clones, drivers, false);
    EXPECT_EQ(import.failure, "MAME's listings give the game \"ab\" a broken character in one "
                              "of its fields, which the database cannot hold.");

    QTemporaryDir dir;
    const QString path = dir.filePath("coinslot.dat");
    const GameTable cut = {{QString::fromUtf16(u"\xDFAE"), "ab", "", "abcdefg"}};
    EXPECT_EQ(writeDatabase(path, cut),
              "Game 1 (\"ab\") has a broken character in one of its fields.");
    EXPECT_FALSE(QFile::exists(path));
}

TEST(DatabaseFileBytes, AFullDiskKeepsTheOldFilesAndSaysWhy) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    TinyDisk disk;
    if (!disk.refusal().empty())
        GTEST_SKIP() << "tmpfs could not be mounted: " << disk.refusal();
    const QString noSpace = QString::fromLocal8Bit(std::strerror(ENOSPC));
    const QString dat = disk.filePath("coinslot.dat");
    const QString ini = disk.filePath("coinslot.ini");
    ASSERT_EQ(writeDatabase(dat, Games(50, "Old")), QString());
    ASSERT_EQ(writeLinesAtomically(ini, {"left = 10", "top = 20"}), QString());
    const QByteArray oldDat = Bytes(dat);
    const QByteArray oldIni = Bytes(ini);

    // Far more than the disk holds.
    EXPECT_EQ(writeDatabase(dat, Games(3000, "New")), noSpace);
    EXPECT_EQ(Bytes(dat), oldDat);
    EXPECT_EQ(disk.files(), QStringList({"coinslot.dat", "coinslot.ini"}));

    // A few KB short.
    disk.fill(16 * 1024);
    EXPECT_EQ(writeDatabase(dat, Games(600, "New")), noSpace); // about 20 KB
    EXPECT_EQ(Bytes(dat), oldDat);

    // No room at all, even for the few lines of the settings.
    QFile::remove(disk.filePath("filler"));
    disk.fill(0);
    EXPECT_EQ(writeLinesAtomically(ini, {"left = 11", "top = 21", "width = 640"}), noSpace);
    EXPECT_EQ(Bytes(ini), oldIni);
    EXPECT_EQ(disk.files(), QStringList({"coinslot.dat", "coinslot.ini", "filler"}));
}
