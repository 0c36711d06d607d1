// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/MameCommands.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

TEST(IsPlainMameName, RefusesAnythingTheShellOrAPathCouldReadOtherwise) {
    for (const char* name : {"pacman", "sf2ce", "8080bw", "outrun_b", "s-16", "A1", "Zz9"})
        EXPECT_TRUE(isPlainMameName(name)) << name;
    for (const char* name : {"", ";rm -rf x", "$(x)", "../x", "a/b", "a b", "x|y", "x*", "'x'",
                             "a\nb", "-createconfig", "pac.ini", "caf\u00e9", "a@", "[x]", "`x`"})
        EXPECT_FALSE(isPlainMameName(QString::fromUtf8(name))) << name;
}
