// SPDX-License-Identifier: GPL-2.0-or-later
#include "text/TextFile.h"

#include "OutcomeText.h"
#include "TestFolders.h"

#include <csignal>
#include <cstring>
#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(TextCodec, SplitsAtEveryLineEndGivesBackEveryByteThatIsNotUtf8AndKnowsWhatWouldNotReadBack) {
    // Mark, Latin-1, cut-off, overlong, surrogate, too large, lone, bad lead, real U+FFFD.
    for (const QByteArray bytes :
         {"\xFF\xFE", "\xE9t\xE9", "\xC3", "\xE2\x82", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
          "\xF4\x90\x80\x80", "\x80\xBF", "\xF0\xC3\xA9", "a\xEF\xBF\xBD\xFF"})
        EXPECT_EQ(encodeText(decodeText(bytes)), bytes) << bytes.toHex(' ').toStdString();
    EXPECT_EQ(decodeText("\xF0\xC3\xA9\xF0\x9F\x8E\xAE"),
              QString::fromUtf16(u"\xDCF0\xE9\xD83C\xDFAE"));
    // A surrogate that decoding never makes is written as U+FFFD, not read back.
    EXPECT_EQ(encodeText(QString(QChar(0xD800))), QByteArray("\xEF\xBF\xBD"));
    EXPECT_FALSE(readsBackAsWritten(QString::fromUtf16(u"a\xD83C")));
    EXPECT_FALSE(readsBackAsWritten(QString::fromUtf16(u"\xDCC3\xDCA9"))); // reads as U+00E9
    EXPECT_TRUE(readsBackAsWritten(decodeText("\xF0\x9F\x8E\xAE \xC3\xFF\xA9")));
    EXPECT_EQ(splitLines(""), QStringList());
    EXPECT_EQ(splitLines("a"), QStringList({"a"}));
    EXPECT_EQ(splitLines("a\r\nb\rc\nd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), QStringList({"a", ""}));
    EXPECT_EQ(splitLines("a\n\rb"), QStringList({"a", "", "b"}));
}

TEST(WriteLinesAtomically, KeepsThePermissionsTheLinkAndOnFailureTheWholeOldFile) {
    const auto systemText = [](int error) { return QString::fromLocal8Bit(std::strerror(error)); };
    QTemporaryDir dir;
    const QString path = dir.filePath("coinslot.dat");
    ASSERT_TRUE(writeLinesAtomically(path, {"a"}).ok());
    const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, mode));
    const QString link = dir.filePath("link.dat");
    ASSERT_TRUE(QFile::link(path, link));
    ASSERT_TRUE(writeLinesAtomically(link, {"old|o||d", "two"}).ok());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), path);
    EXPECT_EQ(QFile::permissions(path) & ~QFileDevice::Permissions(0x0F00), mode);
    EXPECT_EQ(readAll(path), "old|o||d\r\ntwo\r\n");
    // On failure the old file stays whole and the failure says why.
    EXPECT_EQ(failureText(writeLinesAtomically(dir.filePath("missing/x.ini"), {"a"})),
              systemText(ENOENT));
    EXPECT_EQ(readLines(dir.filePath("missing.dat")), std::nullopt);
    // The files of this process may grow to 20,000 bytes, as on a nearly full disk.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit limit{20000, old.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    const Outcome<Done> written = writeLinesAtomically(path, QStringList(5000, "Game|g||driver"));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(failureText(written), systemText(EFBIG));
    EXPECT_EQ(readAll(path), "old|o||d\r\ntwo\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"coinslot.dat", "link.dat"}));
}

TEST(WriteLinesAtomically, WritesInAFolderWhoseNameIsNotUtf8AndThroughALinkThere) {
    QTemporaryDir dir;
    const QByteArray odd = QFile::encodeName(dir.path()) + "/caf\xe9-\xff";
    ASSERT_EQ(::mkdir(odd.constData(), 0700), 0);
    const QString folder = decodeText(odd); // the bytes, kept
    ASSERT_EQ(encodeText(folder), odd);
    // By a relative name from the folder itself, and by its whole path.
    const QString previous = QDir::currentPath();
    ASSERT_EQ(::chdir(odd.constData()), 0);
    EXPECT_EQ(failureText(writeLinesAtomically("coinslot.ini", {"a"})), "");
    ASSERT_TRUE(QDir::setCurrent(previous));
    ASSERT_EQ(::symlink("coinslot.ini", (odd + "/link.ini").constData()), 0);
    EXPECT_EQ(failureText(writeLinesAtomically(folder + "/link.ini", {"b"})), "");
    EXPECT_EQ(readFileBytes(folder + "/coinslot.ini"), QByteArray("b\r\n"));
    EXPECT_TRUE(fileExists(folder + "/link.ini"));
    // Nothing was made under another name (Qt cannot even list this one).
    DIR* top = ::opendir(QFile::encodeName(dir.path()).constData());
    int entries = 0;
    while (const dirent* entry = ::readdir(top))
        entries += entry->d_name[0] != '.';
    ::closedir(top);
    EXPECT_EQ(entries, 1);
    for (const char* name : {"/coinslot.ini", "/link.ini"})
        ::unlink((odd + name).constData());
    ::rmdir(odd.constData());
}
