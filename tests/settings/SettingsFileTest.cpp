// SPDX-License-Identifier: GPL-2.0-or-later
#include "settings/SettingsFile.h"
#include "settings/SettingValue.h"
#include "settings/Settings.h"

#include "OutcomeText.h"
#include "TestFolders.h"

TEST(SettingValue, ReadsNumbersToTheNearestTiesToEvenWithinTheirRangeAndFlagsInAnyCase) {
    const std::pair<const char*, std::optional<qint32>> longs[] = {
        {"2.5", 2},         {"3.5", 4}, {"-2.5", -2}, {"1e3", 1000}, {"2147483647", 2147483647},
        {"2147483648", {}}, {"", {}},   {"12px", {}}, {"0x10", {}},  {"inf", {}}};
    for (const auto& [text, value] : longs)
        EXPECT_EQ(toInt32(text), value) << text;
    EXPECT_EQ(toInt16("-32768.4"), -32768);
    EXPECT_EQ(toInt16("32767.5"), std::nullopt); // rounds to 32768
    const std::pair<const char*, std::optional<bool>> flags[] = {
        {"true", true}, {"FALSE", false}, {"-1", true}, {"0.0", false}, {"yes", {}}, {"", {}}};
    for (const auto& [text, value] : flags)
        EXPECT_EQ(toBool(text), value) << text;
}

TEST(SettingsFile, ReadsAHundredAndOneKeysTrimmedOfSpacesAndNamesTheFirstValueThatIsNoValue) {
    QTemporaryDir dir;
    const auto read = [&](const QByteArray& text) {
        return readSettingsFile(writeInto(dir, "coinslot.ini", text));
    };
    // Only spaces are trimmed, keys match in their case, the first of a
    // repeated key counts, and keys of no setting are left alone.
    const Settings settings =
        valueOf(read("Left = 5\r\n  left  =  1200  \r\na=b=c\r\nno separator here\r\n\r\n"
                     "filter = cps1\rfilter = cps2\r\nfontname = \tArial = x\t\r\n"
                     "\twidth = 9\r\n = empty key\n"));
    EXPECT_EQ(settings.window.left, 1200);
    EXPECT_EQ(settings.driverFilter, "cps1");
    EXPECT_EQ(settings.window.fontName, "\tArial = x\t");
    EXPECT_EQ(settings.window.width, std::nullopt); // absent: the window keeps its own
    // A hundred and one lines with "=" are read, no more.
    QByteArray lines = QByteArray("k = v\r\nplain line\r\n").repeated(101);
    EXPECT_EQ(failureText(read(lines)), "");
    EXPECT_TRUE(
        failsWith(read(lines + "k101=v\r\n"), "coinslot.ini holds more than 101 settings."));
    // The values are converted in the file's order of keys.
    const Settings converted = valueOf(read("fontbold = 1\r\nwidth = 640.5\r\n"));
    EXPECT_EQ(converted.window.fontBold, true);
    EXPECT_EQ(converted.window.width, 640);
    EXPECT_TRUE(failsWith(read("fontbold = yes\r\nleft = x\r\n"), "value of left is not"));
    EXPECT_TRUE(failsWith(read("windowstate = 32768\r\n"), "The value of windowstate is not"));
    // The narrowing choices: lists cut at "|", years of four digits at most.
    const Settings narrowed =
        valueOf(read("manufacturers = Namco|Namco (Midway license)\r\ncategories = |Maze\r\n"
                     "yearto = 1989\r\n"));
    EXPECT_EQ(narrowed.manufacturers, QStringList({"Namco", "Namco (Midway license)"}));
    EXPECT_EQ(narrowed.categories, QStringList({"", "Maze"}));
    EXPECT_EQ(std::pair(narrowed.yearFrom, narrowed.yearTo), std::pair(0, 1989));
    EXPECT_TRUE(failsWith(read("yearfrom = 19800\r\n"), "The value of yearfrom is not"));
    EXPECT_TRUE(failsWith(read("yearto = -1\r\n"), "The value of yearto is not"));
}

TEST(SettingsFile, WritesEveryKeyInItsOrderAndReadsBackTheSameSettings) {
    const WindowSettings window{1200, -15, 9600, 7200, 2, "MS Sans Serif", 10.1, true, false, {}};
    const Settings settings{window,        -1,   "mame", "-nosound -window",
                            "cps1 neogeo", true, false,  true};
    const QByteArray expected = "left = 1200\r\ntop = -15\r\nwidth = 9600\r\nheight = 7200\r\n"
                                "windowstate = 2\r\nfontname = MS Sans Serif\r\nfontsize = 10.1\r\n"
                                "fontbold = True\r\nfontitalic = False\r\nlastgame = -1\r\n"
                                "mameexe = mame\r\ncommandlineoptions = -nosound -window\r\n"
                                "filter = cps1 neogeo\r\nhideconsole = True\r\n"
                                "noshortcuts = False\r\ncaseinsensitive = True\r\n";
    QTemporaryDir dir;
    const QString path = dir.filePath("coinslot.ini");
    ASSERT_EQ(failureText(writeSettingsFile(path, settings)), "");
    EXPECT_EQ(readAll(path), expected);

    const Settings read = valueOf(readSettingsFile(path));
    ASSERT_TRUE(writeSettingsFile(path, read).ok());
    EXPECT_EQ(readAll(path), expected);
}
