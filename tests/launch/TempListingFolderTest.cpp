#include "launch/TempListingFolder.h"

#include "LaunchTestSupport.h"

#include <QFileInfo>
#include <stdexcept>

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

TEST(TempListingFolder, GoesAwayWithEverythingInItOnEveryPathOut) {
    QTemporaryDir temp;
    ScopedEnv env("TEMP", temp.path().toLocal8Bit());
    QString left;
    try {
        TempListingFolder folder;
        left = folder.path();
        for (const QString& path : {folder.fullListing(), folder.auditReport()}) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("partial");
        }
        ASSERT_TRUE(QDir(folder.path()).mkdir("left-over"));
        throw std::runtime_error("listing could not be read");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(QFileInfo::exists(left));
    EXPECT_TRUE(QDir(temp.path()).isEmpty());
}

TEST(TempListingFolder, ReportsATempFolderItCannotUse) {
    QTemporaryDir temp;
    {
        ScopedEnv env("TEMP", temp.filePath("missing").toLocal8Bit());
        TempListingFolder folder;
        EXPECT_FALSE(folder.isValid());
        EXPECT_FALSE(folder.errorText().isEmpty());
    }
    // A blank would split the redirection in the command line.
    ASSERT_TRUE(QDir(temp.path()).mkdir("with blank"));
    ScopedEnv env("TEMP", temp.filePath("with blank").toLocal8Bit());
    {
        TempListingFolder folder;
        EXPECT_FALSE(folder.isValid());
        EXPECT_TRUE(folder.errorText().contains("with blank"));
    }
    EXPECT_TRUE(QDir(temp.filePath("with blank")).isEmpty());
}
