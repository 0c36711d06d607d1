#include "launch/MameCommands.h"

#include <gtest/gtest.h>

TEST(IsPlainMameName, AcceptsSetAndDriverNames) {
    for (const char* name : {"pacman", "sf2ce", "8080bw", "neogeo", "outrun_b", "s-16", "A1"})
        EXPECT_TRUE(IsPlainMameName(name)) << name;
}

TEST(IsPlainMameName, RefusesAnythingTheShellOrAPathCouldReadOtherwise) {
    for (const char* name :
         {"",    ";rm -rf x", "$(x)",  "`x`",  "../x",          "..",      ".",
          "a/b", "a\\b",      "a b",   "a\tb", "x&y",           "x|y",     "x>y",
          "x*",  "'x'",       "\"x\"", "a\nb", "-createconfig", "pac.ini", "caf\u00e9"})
        EXPECT_FALSE(IsPlainMameName(QString::fromUtf8(name))) << name;
}

TEST(PlayCommand, BuildsNoLineForANameThatIsNotPlain) {
    EXPECT_EQ(PlayCommand("./mame", "pacman"), QString("./mame pacman"));
    EXPECT_FALSE(PlayCommand("./mame", "x; rm -rf ~").has_value());
    EXPECT_FALSE(PlayCommand("./mame", "").has_value());
    EXPECT_FALSE(PlayWithOptionsCommand("./mame", "$(reboot)", "-window").has_value());
}
