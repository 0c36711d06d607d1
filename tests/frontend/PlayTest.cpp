// SPDX-License-Identifier: GPL-2.0-or-later
// How a game's run ends, through the real shell with the fake MAME: silent
// when it ends well, else why, for both MAME generations and each kind of end.
#include "FrontEndFixture.h"

#include <fcntl.h>
#include <unistd.h>

namespace {

class Play : public FrontEndFixture {
  protected:
    Play() {
        loadDatabase(kSevenGames);
        frontEnd.games().select(3); // Pac-Man (Midway) [pacman]
    }
    QString failureOfPlay() {
        const Outcome<JobResult> played = run([this] { frontEnd.play(std::nullopt); });
        return played.ok() ? "<ok>" : played.failure();
    }
};

const QByteArray kMissing = "pacman.6e NOT FOUND (tried in pacman puckman)\n"
                            "pacman.6f NOT FOUND (tried in pacman puckman)\n"
                            "Fatal error: Required files are missing, the machine cannot be run.";

} // namespace

TEST_F(Play, EndsSilentlyOrSaysWhyMameDidNotRunTheGame) {
    // MAME's output still reaches the front end's own; a good end says nothing.
    const int ownOutput = dup(STDOUT_FILENO);
    const int file = open("own-output", O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(file, 0);
    dup2(file, STDOUT_FILENO);
    folder.set("FAKEMAME_PLAY_STDOUT", "MAME speaking");
    const QString good = failureOfPlay();
    dup2(ownOutput, STDOUT_FILENO);
    close(ownOutput);
    close(file);
    EXPECT_EQ(good, "<ok>");
    EXPECT_EQ(readAll("own-output"), "MAME speaking\n");
    folder.set("FAKEMAME_PLAY_STDOUT", "");

    // Which MAME it is decides the words: asked once, after the first failure.
    folder.set("FAKEMAME_MODERN", "1");
    folder.set("FAKEMAME_PLAY_STATUS", "2");
    folder.set("FAKEMAME_PLAY_STDERR", kMissing);
    EXPECT_EQ(failureOfPlay(),
              "MAME could not find the ROM files of Pac-Man (Midway) [pacman].\n\n"
              "2 files not found: pacman.6e, pacman.6f\n"
              "Fatal error: Required files are missing, the machine cannot be run.");
    folder.set("FAKEMAME_PLAY_STATUS", "5");
    folder.set("FAKEMAME_PLAY_STDERR", "");
    EXPECT_EQ(failureOfPlay(), "MAME has no system named pacman.");
    folder.set("FAKEMAME_PLAY_STATUS", "6");
    folder.set("FAKEMAME_PLAY_STDERR", "Error: unknown option: -nosuchopt");
    EXPECT_EQ(failureOfPlay(), "MAME refused its options or its configuration.\n\n"
                               "Error: unknown option: -nosuchopt");
    EXPECT_EQ(runs().filter("-listfull").size(), 1);

    folder.set("FAKEMAME_MODERN", "");
    frontEnd.setMameExecutable("mame"); // learnt again
    EXPECT_TRUE(failureOfPlay().startsWith("MAME ended with status 6.\n\nError: unknown"));

    // A crash, and the shell's own statuses.
    folder.set("FAKEMAME_PLAY_STDERR", "");
    folder.set("FAKEMAME_PLAY_SIGNAL", "11");
    EXPECT_TRUE(failureOfPlay().startsWith("MAME crashed (signal SIGSEGV)."));
    frontEnd.setMameExecutable("nosuchmame");
    EXPECT_TRUE(failureOfPlay().startsWith("MAME could not be started.\n\n/bin/sh: "));
    writeAll("notexecutable", "");
    frontEnd.setMameExecutable("notexecutable");
    EXPECT_TRUE(failureOfPlay().startsWith("MAME could not be started.\n\n/bin/sh: "));
    EXPECT_EQ(runs().filter("-listfull").size(), 2) << "the shell's statuses need no MAME";
}

TEST_F(Play, CountsAPlayOnlyWhenMameEndedWellOrRanLongEnough) {
    FrontEnd player(runner, std::chrono::milliseconds(400));
    player.setProgramName("coinslot");
    player.configure(frontEnd.settings());
    ASSERT_TRUE(player.loadDatabase().ok() && player.loadCatalogue().ok());
    player.games().select(3); // Pac-Man (Midway) [pacman]
    const auto playsAfter = [&](const char* status, const char* seconds) {
        folder.set("FAKEMAME_PLAY_STATUS", status);
        folder.set("FAKEMAME_PLAY_SLEEP", seconds);
        bool done = false;
        const auto connection =
            QObject::connect(&player, &FrontEnd::commandFinished, [&done] { done = true; });
        player.play(std::nullopt);
        EXPECT_TRUE(waitUntil([&done] { return done; }));
        QObject::disconnect(connection);
        return player.catalogue().plays("pacman").count;
    };
    EXPECT_EQ(playsAfter("2", ""), 0) << "refused at once";
    EXPECT_EQ(playsAfter("0", ""), 1);
    EXPECT_EQ(playsAfter("2", "0.8"), 2) << "a game played for a while, then a bad end";
}
