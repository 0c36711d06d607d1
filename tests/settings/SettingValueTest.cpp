#include "settings/SettingValue.h"

#include <gtest/gtest.h>

TEST(SettingValue, WholeNumbersRoundToNearestWithTiesToEven) {
    EXPECT_EQ(toLong("1200"), 1200);
    EXPECT_EQ(toLong("-15"), -15);
    EXPECT_EQ(toLong("2.5"), 2);
    EXPECT_EQ(toLong("3.5"), 4);
    EXPECT_EQ(toLong("-2.5"), -2);
    EXPECT_EQ(toLong("4012.5"), 4012);
    EXPECT_EQ(toLong("1e3"), 1000);
    EXPECT_EQ(toInteger("32767"), 32767);
    EXPECT_EQ(toInteger("-32768"), -32768);
    EXPECT_EQ(toInteger("32767.4"), 32767);
    EXPECT_EQ(toLong("2147483647"), 2147483647);
}

TEST(SettingValue, RefusesWordsAndNumbersOutOfRange) {
    for (const char* bad : {"", "left", "12px", "1 2", "0x10", "inf", "nan", "--1", "."})
        EXPECT_FALSE(toLong(bad).has_value()) << bad;
    EXPECT_FALSE(toInteger("32768").has_value());
    EXPECT_FALSE(toInteger("32767.5").has_value()); // rounds to 32768
    EXPECT_FALSE(toInteger("-32769").has_value());
    EXPECT_FALSE(toLong("2147483648").has_value());
}

TEST(SettingValue, FlagsAreTrueFalseInAnyCaseOrNumbers) {
    EXPECT_EQ(toFlag("True"), true);
    EXPECT_EQ(toFlag("true"), true);
    EXPECT_EQ(toFlag("FALSE"), false);
    EXPECT_EQ(toFlag("1"), true);
    EXPECT_EQ(toFlag("-1"), true);
    EXPECT_EQ(toFlag("0"), false);
    EXPECT_EQ(toFlag("0.0"), false);
    EXPECT_FALSE(toFlag("yes").has_value());
    EXPECT_FALSE(toFlag("").has_value());
}

TEST(SettingValue, WrittenForms) {
    EXPECT_EQ(formatSettingValue(1200.0), "1200");
    EXPECT_EQ(formatSettingValue(4012.5), "4012.5");
    EXPECT_EQ(formatSettingValue(-1), "-1");
    EXPECT_EQ(formatSettingValue(8.25f), "8.25");
    EXPECT_EQ(formatSettingValue(10.1f), "10.1"); // the float's own digits, not the double's
    EXPECT_EQ(formatSettingValue(12.0f), "12");
    EXPECT_EQ(formatSettingValue(true), "True");
    EXPECT_EQ(formatSettingValue(false), "False");
    EXPECT_EQ(formatSettingValue(QString("-window  ")), "-window  ");
    EXPECT_EQ(toNumber(formatSettingValue(8.25f)), 8.25);
}
