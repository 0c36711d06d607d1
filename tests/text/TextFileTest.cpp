#include "text/TextFile.h"

#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList Entries(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Takes the first `room` bytes, then fails every write as a device whose
// disk has gone away would.
class FailingDevice : public QIODevice {
  public:
    explicit FailingDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }
    QByteArray taken;

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (m_room == 0) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        const qint64 n = std::min(size, m_room);
        taken.append(data, n);
        m_room -= n;
        return n;
    }

  private:
    qint64 m_room;
};

// Caps the size of any file this process writes, the way a nearly full disk
// does, and puts the old limit back afterwards.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

  private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

TEST(splitLines, AcceptsEveryLineEndAndCountsOnlyRealLines) {
    EXPECT_EQ(splitLines(""), QStringList());
    EXPECT_EQ(splitLines("a"), QStringList({"a"}));
    EXPECT_EQ(splitLines("a\r\n"), QStringList({"a"}));
    EXPECT_EQ(splitLines("a\r\nb\rc\nd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), QStringList({"a", ""}));
    EXPECT_EQ(splitLines("\r\n"), QStringList({""}));
    EXPECT_EQ(splitLines("a\n\rb"), QStringList({"a", "", "b"}));
}

TEST(TextCodec, DecodesWellFormedUtf8AndKeepsByteOrderMarks) {
    EXPECT_EQ(decodeText("caf\xC3\xA9"), QStringLiteral("caf\u00E9"));
    EXPECT_EQ(decodeText("\xF0\x9F\x8E\xAE"), QString::fromUcs4(U"\U0001F3AE"));
    // U+FEFF at the start of a line, alone, or inside it is text like any other.
    EXPECT_EQ(splitLines("\xEF\xBB\xBF|a||d\r\n\xEF\xBB\xBFx\xEF\xBB\xBF\r\n"),
              QStringList({QStringLiteral("\uFEFF|a||d"), QStringLiteral("\uFEFFx\uFEFF")}));
    EXPECT_EQ(encodeText(QStringLiteral("\uFEFF")), QByteArray("\xEF\xBB\xBF"));
}

TEST(TextCodec, GivesBackEveryByteThatIsNotUtf8) {
    const QByteArray samples[] = {
        "\xFF\xFE",         // UTF-16 byte-order mark
        "\xE9t\xE9",        // Latin-1
        "\xC3",             // cut off at the end
        "\xE2\x82",         // cut off before the last byte
        "\xC0\xAF",         // overlong "/"
        "\xE0\x80\xAF",     // overlong, three bytes
        "\xED\xA0\x80",     // an encoded surrogate
        "\xF4\x90\x80\x80", // past U+10FFFF
        "\x80\xBF",         // continuation bytes alone
        "\xF0\xC3\xA9",     // a bad lead before a good sequence
        "a\xEF\xBF\xBD\xFF"
        "b" // a real U+FFFD next to a bad byte
    };
    for (const QByteArray& bytes : samples) {
        const QString text = decodeText(bytes);
        EXPECT_EQ(encodeText(text), bytes) << bytes.toHex(' ').toStdString();
    }
    EXPECT_EQ(decodeText("\xFF\xFE"), QString::fromUtf16(u"\xDCFF\xDCFE"));
    EXPECT_EQ(decodeText("\xF0\xC3\xA9"), QString::fromUtf16(u"\xDCF0\xE9"));
    // A surrogate that decoding never makes is written as U+FFFD, not dropped,
    // and such text is known not to read back.
    EXPECT_EQ(encodeText(QString(QChar(0xD800))), QByteArray("\xEF\xBF\xBD"));
    EXPECT_FALSE(readsBackAsWritten(QString::fromUtf16(u"a\xD83C")));
    EXPECT_FALSE(readsBackAsWritten(QString::fromUtf16(u"\xDF2E")));
    EXPECT_FALSE(readsBackAsWritten(QString::fromUtf16(u"\xDCC3\xDCA9"))); // reads as U+00E9
    EXPECT_TRUE(readsBackAsWritten(decodeText("\xF0\x9F\x8E\xAE \xC3\xFF\xA9")));
}

TEST(writeLinesAtomically, WritesCrLfAndLeavesNothingElse) {
    QTemporaryDir dir;
    const QString path = dir.filePath("x.dat");
    ASSERT_EQ(writeLinesAtomically(path, {"one|1||d", "two"}), QString());
    EXPECT_EQ(Bytes(path), QByteArray("one|1||d\r\ntwo\r\n"));
    EXPECT_EQ(readLines(path), QStringList({"one|1||d", "two"}));
    EXPECT_EQ(Entries(dir), QStringList({"x.dat"}));
}

TEST(writeLinesAtomically, KeepsThePermissionsAndTheLinkOfTheFileItReplaces) {
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    ASSERT_EQ(writeLinesAtomically(path, {"a"}), QString());
    const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, mode));
    ASSERT_EQ(writeLinesAtomically(path, {"b"}), QString());
    EXPECT_EQ(QFile::permissions(path) & ~QFileDevice::Permissions(0x0F00),
              mode); // without the user bits

    const QString link = dir.filePath("link.ini");
    ASSERT_TRUE(QFile::link(path, link));
    ASSERT_EQ(writeLinesAtomically(link, {"c"}), QString());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), path);
    EXPECT_EQ(Bytes(path), "c\r\n");
}

TEST(writeLinesAtomically, ReportsAFileThatCannotBeCreated) {
    QTemporaryDir dir;
    EXPECT_EQ(writeLinesAtomically(dir.filePath("missing/x.ini"), {"a"}),
              QString::fromLocal8Bit(std::strerror(ENOENT)));
}

TEST(writeLines, StopsAtTheFirstFailedWriteAndSaysWhy) {
    QStringList lines;
    for (int i = 0; i < 20000; ++i)
        lines.append(QStringLiteral("Game %1|g%1||driver").arg(i));

    FailingDevice device(70000); // fails within the second chunk
    qint64 written = 0;
    EXPECT_EQ(writeLines(device, lines, written), "Input/output error");
    EXPECT_EQ(written, 70000);
    EXPECT_EQ(device.taken, encodeText(lines.join("\r\n")).left(70000));
}

TEST(writeLinesAtomically, KeepsTheOldFileWhenTheDiskFillsUp) {
    QTemporaryDir dir;
    const QString path = dir.filePath("coinslot.dat");
    ASSERT_EQ(writeLinesAtomically(path, {"old|o||d"}), QString());
    const QByteArray before = Bytes(path);

    QStringList lines;
    for (int i = 0; i < 5000; ++i)
        lines.append(QStringLiteral("Game %1|g%1||driver").arg(i));
    QString reason;
    {
        const FileSizeLimit limit(20000);
        reason = writeLinesAtomically(path, lines);
    }
    EXPECT_EQ(reason, QString::fromLocal8Bit(std::strerror(EFBIG)));
    EXPECT_EQ(Bytes(path), before);
    EXPECT_EQ(Entries(dir), QStringList({"coinslot.dat"}));
}

TEST(readLines, MissingFileIsNoList) {
    EXPECT_FALSE(readLines(QDir::temp().filePath("no-such-file-here.ini")).has_value());
}
