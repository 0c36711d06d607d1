// SPDX-License-Identifier: GPL-2.0-or-later
// MAME's support files: the category files and history.xml's index.
#include "database/CategoryFiles.h"
#include "database/HistoryFile.h"

#include "QtPrinters.h"
#include "TestFolders.h"

namespace {

const QString kFixtures = QStringLiteral(COINSLOT_FIXTURES "/support");

} // namespace

TEST(CategoryFiles, CatverAndTheFolderFilesGiveEachSetItsFirstCategoryAndMarkTheMature) {
    const std::vector<FileStamp> found = findCategoryFiles({kFixtures + "/folders", "/nowhere"});
    QStringList names;
    for (const FileStamp& stamp : found)
        names.append(QFileInfo(stamp.path).fileName());
    // catver.ini first, whatever the letter case of the folder files.
    EXPECT_EQ(names, QStringList({"catver.ini", "Category.ini", "Mature.ini"}));
    const CategoryTable table = readCategoryFiles(found);
    const std::tuple<const char*, const char*, bool, const char*> expected[] = {
        {"puckman", "Maze / Collect", false, ".30"},
        {"pacmanfm", "Maze / Collect", true, ""}, // " * Mature *" cut off
        {"galaga", "Shooter / Flying Vertical", false, ".30"},
        {"galagao", "Maze / Collect", false, ""},           // its first section in Category.ini
        {"galaga3", "Shooter / Flying Vertical", true, ""}, // Mature.ini adds the mark
        {"puckmod", "Maze / Collect", false, ""}};
    for (const auto& [set, category, mature, added] : expected)
        EXPECT_EQ(table.value(set), (SetCategory{category, mature, added})) << set;
    // The settings and the root folder name no sets.
    for (const char* notASet : {"RootFolderIcon mame", "SubFolderIcon folder", "Mature"})
        EXPECT_FALSE(table.contains(notASet)) << notASet;
    EXPECT_EQ(categoryGenre("Maze / Collect"), "Maze");
    EXPECT_EQ(categoryGenre("Pinball"), "Pinball");

    // Comments, CR LF, another section after [Category] and a line without a set.
    CategoryTable more;
    readCatverIni("[category]\r\n;dkong=Comment\r\ndkong = Platform / Run Jump \r\n=x\r\n"
                  "[VerAdded]\r\ndkong=.15\r\n[Other]\r\nsfa=Fighter\r\n",
                  more);
    EXPECT_EQ(more.size(), 1);
    EXPECT_EQ(more.value("dkong"), (SetCategory{"Platform / Run Jump", false, ".15"}));
}

TEST(HistoryFile, TheIndexFindsEachSystemsEntryAndReadsOnlyItsText) {
    const QString file = kFixtures + "/history/history.xml";
    const std::optional<HistoryIndex> index = indexHistoryFile(file);
    ASSERT_TRUE(index);
    // Software items are no sets; the first entry of a set named twice wins.
    EXPECT_EQ(QStringList(index->keys()).size(), 3);
    ASSERT_TRUE(index->contains("puckman") && index->contains("galaga"));
    EXPECT_EQ(index->value("puckman"), index->value("puckmod"));
    EXPECT_EQ(readHistoryText(file, index->value("puckman")),
              "Puck Man (c) 1980 Namco.\n\n- TECHNICAL -\nZ80 & a Namco WSG <3 voices>");
    EXPECT_EQ(readHistoryText(file, index->value("galaga")), "Galaga (c) 1981 Namco.");
    // A place that no longer holds an entry (the file changed) gives nothing.
    HistoryPlace moved = index->value("galaga");
    moved.offset += 1;
    EXPECT_EQ(readHistoryText(file, moved), std::nullopt);
    EXPECT_EQ(indexHistoryFile("/nowhere/history.xml"), std::nullopt);

    // An entry not closed ends the index; an element named alike is no entry.
    const HistoryIndex cut = indexHistory("<entryx><systems><system name=\"x\"/></systems>"
                                          "</entryx><entry><systems><system name=\"a\"/>"
                                          "</systems></entry><entry><systems><system "
                                          "name=\"b\"/>");
    EXPECT_EQ(QStringList(cut.keys()), QStringList{"a"});
    EXPECT_EQ(historyEntryText("<entry><text>broken &nosuch; text</text></entry>"), "");
}
