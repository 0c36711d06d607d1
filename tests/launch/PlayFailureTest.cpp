// SPDX-License-Identifier: GPL-2.0-or-later
// The words of the "Play" box, without running anything.
#include "launch/PlayFailure.h"

#include <gtest/gtest.h>

#include "QtPrinters.h"

namespace {

RunResult ended(int status, const QByteArray& errors = {}, const QByteArray& output = {}) {
    RunResult result(RunEnd::Finished, status);
    result.errorTail = errors;
    result.outputTail = output;
    return result;
}

QString said(const RunResult& result, std::optional<MameGeneration> generation) {
    return playFailureText(result, generation, "Pac-Man (Midway)", "pacman").value_or("<none>");
}

constexpr auto kCurrent = MameGeneration::Current;
constexpr auto kOld = MameGeneration::Old;

} // namespace

// 2, 6, 126, 127 and a crash are pinned end to end by the fake-MAME Play test.
TEST(PlayFailure, OneSentenceForEachWayOfEndingAndMamesLastLinesWithTheMissingFilesSummedUp) {
    EXPECT_EQ(said(ended(5), kCurrent), "MAME has no system named pacman.");
    EXPECT_EQ(said(ended(9), kCurrent), "MAME ended with status 9.");
    EXPECT_EQ(said(ended(2), kOld), "MAME ended with status 2.");
    EXPECT_EQ(said(ended(5), std::nullopt), "MAME ended with status 5.");
    EXPECT_EQ(said(ended(137), kOld), "MAME crashed (signal SIGKILL).");
    EXPECT_EQ(said(ended(128), kCurrent), "MAME ended with status 128.");
    EXPECT_EQ(said(RunResult(RunEnd::Crashed, 6), kCurrent), "MAME crashed (signal SIGABRT).");
    EXPECT_EQ(said(RunResult(RunEnd::FailedToStart, 0, "No such file"), std::nullopt),
              "MAME could not be started.\n\nNo such file");
    EXPECT_EQ(said(ended(0, "noise"), kCurrent), "<none>");
    EXPECT_EQ(said(RunResult(RunEnd::Cancelled), kCurrent), "<none>");

    EXPECT_TRUE(dependsOnGeneration(ended(2)));
    for (const RunResult& known :
         {ended(0), ended(126), ended(139), RunResult(RunEnd::Crashed, 11)})
        EXPECT_FALSE(dependsOnGeneration(known)) << known.exitCode;
    QByteArray errors = "error: XDG_RUNTIME_DIR is invalid or not set in the environment.\n\n";
    for (const char* file : {"pacman.6e", "pacman.6f", "pacman.6h", "pacman.6j", "pacman.5e"})
        errors += QByteArray(file) + " NOT FOUND (tried in pacman puckman)\n";
    errors += "Fatal error: Required files are missing, the machine cannot be run.\n";
    EXPECT_EQ(said(ended(2, errors, "ignored while there are errors"), kCurrent),
              "MAME could not find the ROM files of Pac-Man (Midway) [pacman].\n\n"
              "error: XDG_RUNTIME_DIR is invalid or not set in the environment.\n"
              "5 files not found: pacman.6e, pacman.6f, pacman.6h, pacman.6j, …\n"
              "Fatal error: Required files are missing, the machine cannot be run.");
    // Files found but wrong are told apart from files missing; the sound
    // system's complaints are not MAME's and stay out of the box.
    const QByteArray wrong =
        "ALSA lib confmisc.c:855:(parse_card) cannot find card '0'\n"
        "pacman.6e WRONG CHECKSUMS:\n"
        "    EXPECTED: CRC(c1e6ab10) SHA1(e87e059c5be45753f7e9f33dff851f16d6751181)\n"
        "pacman.6h NOT FOUND (tried in pacman puckman)\n"
        "Cannot connect to server socket err = No such file or directory\n";
    EXPECT_EQ(said(ended(2, wrong), kCurrent),
              "MAME found missing or wrong ROM files for Pac-Man (Midway) [pacman].\n\n"
              "pacman.6e WRONG CHECKSUMS:\n"
              "    EXPECTED: CRC(c1e6ab10) SHA1(e87e059c5be45753f7e9f33dff851f16d6751181)\n"
              "1 file not found: pacman.6h");
    EXPECT_TRUE(
        said(ended(2, "x.bin WRONG LENGTH (expected: 00001000 found: 00000064)\n"), kCurrent)
            .startsWith("MAME found missing or wrong ROM files for "));
    EXPECT_EQ(mameLastLines(ended(2, "ALSA lib pcm.c:8570:(snd_pcm_recover) underrun\n", "out")),
              QStringList({"out"}))
        << "errors that are only the sound system's leave MAME's output to be shown";
    EXPECT_EQ(mameLastLines(ended(2, "a.bin NOT FOUND\n")),
              QStringList({"1 file not found: a.bin"}));
    EXPECT_EQ(mameLastLines(ended(3, " \n", "only\r\noutput")), QStringList({"only", "output"}));

    QByteArray many;
    for (int i = 1; i <= 30; ++i)
        many += "line " + QByteArray::number(i) + '\n';
    many += QByteArray(300, 'x');
    const QStringList lines = mameLastLines(ended(1, many));
    ASSERT_EQ(lines.size(), kMostLastLines);
    EXPECT_EQ(lines.mid(0, 6),
              QStringList({"line 1", "line 2", "line 3", "line 4", "…", "line 22"}));
    EXPECT_EQ(lines.last(), QString(200, 'x') + "…");
}
