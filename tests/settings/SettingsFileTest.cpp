#include "settings/SettingsFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "TestFolders.h"

namespace {

QString Lookup(const SettingsTable& table, const QString& key) {
    QVariant value = QStringLiteral("<absent>");
    table.lookupSetting(key, value);
    return value.toString();
}

} // namespace

TEST(SettingsFile, ReadsKeysAndValuesTrimmedOfSpacesOnly) {
    QTemporaryDir dir;
    const QString path = WriteInto(dir, "coinslot.ini",
                                   "  left  =  1200  \r\n"
                                   "a=b=c\r\n"
                                   "no separator here\r\n"
                                   "\r\n"
                                   "Left = 5\n"
                                   "filter = cps1\r"
                                   "filter = cps2\r\n"
                                   "\ttab\t = \tx\t\r\n"
                                   " = empty key\r\n");
    const std::optional<SettingsTable> table = readSettingsFile(path);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->count, 7);
    EXPECT_EQ(Lookup(*table, "left"), "1200");
    EXPECT_EQ(Lookup(*table, "a"), "b=c");
    EXPECT_EQ(Lookup(*table, "Left"), "5");
    EXPECT_EQ(Lookup(*table, "LEFT"), "<absent>");
    EXPECT_EQ(Lookup(*table, "filter"), "cps1"); // the first of a repeated key counts
    EXPECT_EQ(Lookup(*table, "\ttab\t"), "\tx\t");
}

TEST(SettingsFile, HoldsAHundredAndOneLinesWithEqualsAndNoMore) {
    QTemporaryDir dir;
    QByteArray bytes;
    for (int i = 0; i < 101; ++i)
        bytes += "k" + QByteArray::number(i) + " = v\r\nplain line\r\n";
    EXPECT_TRUE(readSettingsFile(WriteInto(dir, "coinslot.ini", bytes)));
    EXPECT_FALSE(readSettingsFile(WriteInto(dir, "coinslot.ini", bytes + "k101=v\r\n")));
}

TEST(SettingsFile, WritesKeyEqualsValueLinesInSlotOrder) {
    QTemporaryDir dir;
    SettingsTable table;
    table.addSetting("left", 1200.0);
    table.addSetting("fontsize", 8.25f);
    table.addSetting("lastgame", -1);
    table.addSetting("fontbold", true);
    table.addSetting("commandlineoptions", QString());
    const QString path = dir.filePath("coinslot.ini");
    ASSERT_EQ(writeSettingsFile(path, table), QString());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("left = 1200\r\nfontsize = 8.25\r\nlastgame = -1\r\n"
                                         "fontbold = True\r\ncommandlineoptions = \r\n"));
}

TEST(SettingsTable, AddSettingRefusesTheHundredAndSecondPair) {
    SettingsTable table;
    for (int i = 0; i < SettingsTable::kSlots; ++i)
        ASSERT_TRUE(table.addSetting(QString::number(i), i));
    EXPECT_FALSE(table.addSetting("extra", 1));
    EXPECT_EQ(table.count, SettingsTable::kSlots);
}
