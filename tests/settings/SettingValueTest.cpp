#include "settings/SettingValue.h"

#include <gtest/gtest.h>

TEST(SettingValue, WholeNumbersRoundToNearestWithTiesToEven) {
    EXPECT_EQ(ToLong("1200"), 1200);
    EXPECT_EQ(ToLong("-15"), -15);
    EXPECT_EQ(ToLong("2.5"), 2);
    EXPECT_EQ(ToLong("3.5"), 4);
    EXPECT_EQ(ToLong("-2.5"), -2);
    EXPECT_EQ(ToLong("4012.5"), 4012);
    EXPECT_EQ(ToLong("1e3"), 1000);
    EXPECT_EQ(ToInteger("32767"), 32767);
    EXPECT_EQ(ToInteger("-32768"), -32768);
    EXPECT_EQ(ToInteger("32767.4"), 32767);
    EXPECT_EQ(ToLong("2147483647"), 2147483647);
}

TEST(SettingValue, RefusesWordsAndNumbersOutOfRange) {
    for (const char* bad : {"", "left", "12px", "1 2", "0x10", "inf", "nan", "--1", "."})
        EXPECT_FALSE(ToLong(bad).has_value()) << bad;
    EXPECT_FALSE(ToInteger("32768").has_value());
    EXPECT_FALSE(ToInteger("32767.5").has_value()); // rounds to 32768
    EXPECT_FALSE(ToInteger("-32769").has_value());
    EXPECT_FALSE(ToLong("2147483648").has_value());
}

TEST(SettingValue, FlagsAreTrueFalseInAnyCaseOrNumbers) {
    EXPECT_EQ(ToFlag("True"), true);
    EXPECT_EQ(ToFlag("true"), true);
    EXPECT_EQ(ToFlag("FALSE"), false);
    EXPECT_EQ(ToFlag("1"), true);
    EXPECT_EQ(ToFlag("-1"), true);
    EXPECT_EQ(ToFlag("0"), false);
    EXPECT_EQ(ToFlag("0.0"), false);
    EXPECT_FALSE(ToFlag("yes").has_value());
    EXPECT_FALSE(ToFlag("").has_value());
}

TEST(SettingValue, WrittenForms) {
    EXPECT_EQ(FormatSettingValue(1200.0), "1200");
    EXPECT_EQ(FormatSettingValue(4012.5), "4012.5");
    EXPECT_EQ(FormatSettingValue(-1), "-1");
    EXPECT_EQ(FormatSettingValue(8.25f), "8.25");
    EXPECT_EQ(FormatSettingValue(10.1f), "10.1"); // the float's own digits, not the double's
    EXPECT_EQ(FormatSettingValue(12.0f), "12");
    EXPECT_EQ(FormatSettingValue(true), "True");
    EXPECT_EQ(FormatSettingValue(false), "False");
    EXPECT_EQ(FormatSettingValue(QString("-window  ")), "-window  ");
    EXPECT_EQ(ToNumber(FormatSettingValue(8.25f)), 8.25);
}
