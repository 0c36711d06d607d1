// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/ShellCommand.h"

#include "TestFolders.h"

#include <QProcess>

TEST(ShellQuote, TheShellGivesBackTheSameTextAndOnlyABareNameRunsFromHere) {
    for (const char* text : {"plain", "two words", "it's", "$HOME", "a;b", "*", "'", "\\", ""}) {
        QProcess shell;
        shell.start("/bin/sh", {"-c", "printf %s " + shellQuote(text)});
        ASSERT_TRUE(shell.waitForFinished());
        EXPECT_EQ(QString::fromUtf8(shell.readAllStandardOutput()), text);
    }
    // Play's commands, options and quoted paths are pinned through the front end's Play.
    EXPECT_EQ(shellQuote("/usr/games/mame-0.251"), "/usr/games/mame-0.251");
    EXPECT_EQ(mameCommandFor("/usr/games/mame"), "/usr/games/mame");
    EXPECT_EQ(mameCommandFor("my mame"), "'./my mame'");
}
