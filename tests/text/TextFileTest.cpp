#include "text/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SplitLines, AcceptsEveryLineEndAndCountsOnlyRealLines) {
    EXPECT_EQ(SplitLines(""), QStringList());
    EXPECT_EQ(SplitLines("a"), QStringList({"a"}));
    EXPECT_EQ(SplitLines("a\r\n"), QStringList({"a"}));
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), QStringList({"a", ""}));
    EXPECT_EQ(SplitLines("\r\n"), QStringList({""}));
    EXPECT_EQ(SplitLines("a\n\rb"), QStringList({"a", "", "b"}));
}

TEST(WriteLinesAtomically, WritesCrLfAndReadsBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("x.dat");
    ASSERT_EQ(WriteLinesAtomically(path, {"one|1||d", "two"}), QString());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("one|1||d\r\ntwo\r\n"));
    EXPECT_EQ(ReadLines(path), QStringList({"one|1||d", "two"}));
}

TEST(WriteLinesAtomically, ReportsAFileThatCannotBeCreated) {
    QTemporaryDir dir;
    EXPECT_FALSE(WriteLinesAtomically(dir.filePath("missing/x.ini"), {"a"}).isEmpty());
}

TEST(ReadLines, MissingFileIsNoList) {
    EXPECT_FALSE(ReadLines(QDir::temp().filePath("no-such-file-here.ini")).has_value());
}
