#include "launch/TempListingFolder.h"

#include "TestFolders.h"

#include <QFileInfo>

TEST(TempListingFolder, IsAPrivateFreshFolderUnderTemp) {
    QTemporaryDir temp;
    ScopedEnv env("TEMP", temp.path().toLocal8Bit());
    TempListingFolder first, second;
    ASSERT_TRUE(first.isValid()) << first.errorText().toStdString();
    ASSERT_TRUE(second.isValid());
    EXPECT_NE(first.path(), second.path());
    const QFileInfo info(first.path());
    EXPECT_EQ(info.absolutePath(), QFileInfo(temp.path()).absoluteFilePath());
    EXPECT_TRUE(info.isDir());
    EXPECT_EQ(info.permissions() & 0x0077, 0) << "others may look in";
    EXPECT_EQ(first.fullListing(), first.path() + "/~FULL.TMP");
    EXPECT_EQ(first.cloneListing(), first.path() + "/~CLONES.TMP");
    EXPECT_EQ(first.sourceListing(), first.path() + "/~SOURCE.TMP");
    EXPECT_EQ(first.auditReport(), first.path() + "/~AUDIT.TMP");
}

TEST(TempListingFolder, GoesAwayWithEverythingInIt) {
    QTemporaryDir temp;
    ScopedEnv env("TEMP", temp.path().toLocal8Bit());
    {
        TempListingFolder folder;
        QFile(folder.fullListing()).open(QIODevice::WriteOnly);
        ASSERT_TRUE(QDir(folder.path()).mkdir("left-over"));
    }
    EXPECT_TRUE(QDir(temp.path()).isEmpty());
}

TEST(TempListingFolder, ReportsATempFolderItCannotUse) {
    QTemporaryDir temp;
    ASSERT_TRUE(QDir(temp.path()).mkdir("with blank")); // would split the redirection
    for (const char* name : {"missing", "with blank"}) {
        ScopedEnv env("TEMP", temp.filePath(name).toLocal8Bit());
        TempListingFolder folder;
        EXPECT_FALSE(folder.isValid()) << name;
        EXPECT_FALSE(folder.errorText().isEmpty());
    }
    EXPECT_TRUE(QDir(temp.filePath("with blank")).isEmpty());
}
