// SPDX-License-Identifier: GPL-2.0-or-later
// What Audit finds of each set, for both generations of MAME: the report
// given as the box's details and written to coinslot-audit.txt, and how the
// progress of a current MAME's audit moves along the set names.
#include "FrontEndFixture.h"

#include <QSignalSpy>

namespace {

// The report, line by line.
const QString kReport =
    "Audit of 7 games\r\nGood: 1\r\nBest available: 1\r\nBad: 2\r\nNot found: 3\r\n"
    "\r\nBad sets:\r\nMetal Slug [mslug]\r\n  201-p1.p1: wrong checksum\r\n"
    "  201-s1.s1: wrong length\r\n  201-c1.c1: not found\r\n"
    "Pac-Man (Midway) [pacman]\r\n  pacman.6e: not found\r\n  82s123.7f: not found";

// With a current MAME (true) or an old one (false).
class AuditReport : public FrontEndFixture, public ::testing::WithParamInterface<bool> {
  protected:
    AuditReport() {
        folder.set("FAKEMAME_FIXTURES", COINSLOT_FIXTURES "/audit-findings");
        folder.set("FAKEMAME_MODERN", GetParam() ? "1" : "");
    }
};

} // namespace

TEST_P(AuditReport, TellsEachVerdictAndTheFilesMameNamedAndReplacesTheLastReport) {
    loadDatabase(kSevenGames);
    writeAll("coinslot-audit.txt", QByteArray("an older and longer report\r\n").repeated(40));
    QSignalSpy progress(&frontEnd, &FrontEnd::progressChanged);
    const AuditSummary audited = resultAs<AuditSummary>(audit());
    const QString path = QFileInfo("coinslot-audit.txt").absoluteFilePath();
    EXPECT_EQ(audited.summary, "2 games found, 5 removed.");
    EXPECT_EQ(audited.reportSaved, "The report was saved in " + path + ".");
    // The box's details end by telling how the removed games come back.
    EXPECT_EQ(audited.report.join("\r\n"), kReport + "\r\n\r\nList reads every game again.");
    EXPECT_EQ(readAll("coinslot-audit.txt"), (kReport + "\r\n").toUtf8());
    EXPECT_EQ(readAll("coinslot.dat"), kSevenGames.left(kSevenGames.indexOf("Metal")));

    // An old MAME's verdicts are counted; a current one's last set is placed
    // among the names (pacman is the 6th of 7; the device after it is not).
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last().at(1).toLongLong(), GetParam() ? 6 : 4);
    EXPECT_EQ(progress.last().at(2).toLongLong(), 7);

    // A report that cannot be written is said so; the audit stands.
    ASSERT_TRUE(QFile::remove("coinslot-audit.txt") && QDir().mkdir("coinslot-audit.txt"));
    const AuditSummary again = resultAs<AuditSummary>(audit());
    EXPECT_EQ(again.summary, "2 games found, 0 removed.");
    EXPECT_TRUE(again.reportSaved.startsWith("The report could not be saved in " + path + ": "))
        << again.reportSaved;
    EXPECT_FALSE(again.report.contains("List reads every game again.")) << "no game was removed";
}

INSTANTIATE_TEST_SUITE_P(BothMames, AuditReport, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Current" : "Old"; });
