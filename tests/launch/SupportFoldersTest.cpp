// SPDX-License-Identifier: GPL-2.0-or-later
// Where MAME's ui.ini says the support files are, and the artwork found there
// as MAME's menu finds it.
#include "launch/SupportFolders.h"
#include "launch/ArtworkLookup.h"

#include "QtPrinters.h"
#include "TestFolders.h"

#include <QDir>

namespace {

const QString kFixtures = QStringLiteral(COINSLOT_FIXTURES "/support");

} // namespace

TEST(SupportFolders, UiIniOfTheFirstIniFolderThatHoldsOneElseMamesDefaults) {
    const SupportFolders defaults = supportFoldersFrom({}, {"/snap"}, "/home/ann", "/work");
    EXPECT_EQ(defaults.history, QStringList({"/work/history", "/work/dats", "/work"}));
    EXPECT_EQ(defaults.categories, QStringList{"/work/folders"});
    EXPECT_EQ(defaults.artFolders(ArtKind::Snapshot), QStringList{"/snap"});
    EXPECT_EQ(defaults.artFolders(ArtKind::Title), QStringList{"/work/titles"});
    EXPECT_EQ(defaults.artFolders(ArtKind::Flyer), QStringList{"/work/flyers"});
    EXPECT_EQ(defaults.artFolders(ArtKind::Cabinet),
              QStringList({"/work/cabinets", "/work/cabdevs"}));
    EXPECT_EQ(defaults.artFolders(ArtKind::Marquee), QStringList{"/work/marquees"});
    EXPECT_EQ(defaults.artFolders(ArtKind::Pcb), QStringList{"/work/pcb"});
    EXPECT_EQ(defaults.artFolders(ArtKind::ControlPanel), QStringList{"/work/cpanel"});

    // As MAME writes it: a byte order mark, comments, quotes around blanks.
    const QString written = QString(QChar(0xfeff)) +
                            "historypath               \"~/my dats;/usr/share/dats\"\n"
                            "#\n# UI SEARCH PATH OPTIONS\n#\n"
                            "categorypath              $HOME/folders\n"
                            "flyers_directory          flyers;../more flyers\n";
    const SupportFolders read = supportFoldersFrom(written, {}, "/home/ann", "/work");
    EXPECT_EQ(read.history, QStringList({"/home/ann/my dats", "/usr/share/dats"}));
    EXPECT_EQ(read.categories, QStringList{"/home/ann/folders"});
    EXPECT_EQ(read.artFolders(ArtKind::Flyer), QStringList({"/work/flyers", "/more flyers"}));
    EXPECT_EQ(read.artFolders(ArtKind::Title), QStringList{"/work/titles"}); // not named

    const QTemporaryDir dir;
    for (const char* folder : {"first", "second", "third"})
        ASSERT_TRUE(QDir(dir.path()).mkpath(folder));
    writeAll(dir.filePath("second/ui.ini"), "categorypath cats\n");
    writeAll(dir.filePath("third/ui.ini"), "categorypath other\n");
    const QStringList ini = {dir.filePath("first"), dir.filePath("second"), dir.filePath("third")};
    EXPECT_EQ(findUiIni(ini), dir.filePath("second/ui.ini"));
    EXPECT_EQ(readSupportFolders(ini, {}, "/h", "/w").categories, QStringList{"/w/cats"});
    EXPECT_EQ(readSupportFolders({dir.filePath("first")}, {}, "/h", "/w").uiIni, "");
}

TEST(ArtworkLookup, FilesThenTheNumberedFolderThenTheZipThenTheParent) {
    const QTemporaryDir dir;
    const QDir root(dir.path());
    for (const char* folder : {"a/pacman", "b", "c"})
        ASSERT_TRUE(root.mkpath(folder));
    ASSERT_TRUE(QFile::copy(kFixtures + "/snap.zip", root.filePath("b.zip")));
    const QStringList folders = {root.filePath("a"), root.filePath("b")};
    const auto found = [&](const QString& set, const QString& parent = {}) {
        const std::optional<ArtworkFile> art = findArtwork(folders, set, parent);
        if (!art)
            return QString("-");
        return QDir(dir.path()).relativeFilePath(art->file) +
               (art->member.isEmpty() ? QString() : ":" + art->member);
    };
    writeAll(root.filePath("a/pacman/0000.png"), "p");
    EXPECT_EQ(found("pacman"), "a/pacman/0000.png");
    writeAll(root.filePath("a/pacman.jpg"), "p");
    EXPECT_EQ(found("pacman"), "a/pacman.jpg");
    writeAll(root.filePath("a/pacman.png"), "p");
    EXPECT_EQ(found("pacman"), "a/pacman.png");
    // The zip beside a folder, its member in any letter case, before a later folder.
    EXPECT_EQ(found("galaga"), "b.zip:Galaga.png");
    writeAll(root.filePath("b/galaga.png"), "p");
    EXPECT_EQ(found("galaga"), "b/galaga.png");
    // The parent's only when no folder has the set's own.
    EXPECT_EQ(found("puckmod", "puckman"), "b.zip:puckman.jpg");
    EXPECT_EQ(found("puckmod", "pacman"), "a/pacman.png");
    EXPECT_EQ(found("nosuch", ""), "-");

    const Outcome<QByteArray> zipped = readArtwork({root.filePath("b.zip"), "puckman.jpg"});
    ASSERT_TRUE(zipped.ok());
    EXPECT_EQ(zipped.value(), "not really a jpeg");
    EXPECT_FALSE(readArtwork({root.filePath("b.zip"), "missing.png"}).ok());
    // A file past 32 MB is not read at all.
    QFile large(root.filePath("c/large.png"));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly) && large.resize(kLargestPictureFile + 1));
    large.close();
    const Outcome<QByteArray> tooLarge = readArtwork({large.fileName(), {}});
    ASSERT_FALSE(tooLarge.ok());
    EXPECT_EQ(tooLarge.failure(), "The picture is larger than 32 MB and is not shown.");
    ASSERT_TRUE(large.resize(kLargestPictureFile));
    EXPECT_TRUE(readArtwork({large.fileName(), {}}).ok());
}
