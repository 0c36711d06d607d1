// What Audit finds of each set, for both generations of MAME: the report
// given as the box's details and written to coinslot-audit.txt, and how the
// progress of a current MAME's audit moves along the set names.
#include "FrontEndFixture.h"

#include <QSignalSpy>

namespace {

const QStringList kReport = {"Audit of 7 games",
                             "Good: 1",
                             "Best available: 1",
                             "Bad: 2",
                             "Not found: 3",
                             "",
                             "Bad sets:",
                             "Metal Slug [mslug]",
                             "  201-p1.p1: wrong checksum",
                             "  201-s1.s1: wrong length",
                             "  201-c1.c1: not found",
                             "Pac-Man (Midway) [pacman]",
                             "  pacman.6e: not found",
                             "  82s123.7f: not found"};

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
    const Outcome<JobReport> audited = audit();
    ASSERT_TRUE(audited.ok()) << audited.failure();
    const QString path = QFileInfo("coinslot-audit.txt").absoluteFilePath();
    EXPECT_EQ(audited.value().text,
              "2 games found, 5 removed.\r\n\r\nThe report was saved in " + path + ".");
    EXPECT_EQ(audited.value().details, kReport.join("\r\n"));
    EXPECT_EQ(readAll("coinslot-audit.txt"), (kReport.join("\r\n") + "\r\n").toUtf8());
    EXPECT_EQ(readAll("coinslot.dat"), kSevenGames.left(kSevenGames.indexOf("Metal")));

    // An old MAME's verdicts are counted; a current one's last set is placed
    // among the names (pacman is the 6th of 7; the device after it is not).
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last().at(1).toLongLong(), GetParam() ? 6 : 4);
    EXPECT_EQ(progress.last().at(2).toLongLong(), 7);

    // A report that cannot be written is said so; the audit stands.
    ASSERT_TRUE(QFile::remove("coinslot-audit.txt") && QDir().mkdir("coinslot-audit.txt"));
    const Outcome<JobReport> again = audit();
    ASSERT_TRUE(again.ok()) << again.failure();
    EXPECT_TRUE(again.value().text.startsWith("2 games found, 0 removed.\r\n\r\nThe report could "
                                              "not be saved in " +
                                              path + ": "))
        << again.value().text;
}

INSTANTIATE_TEST_SUITE_P(BothMames, AuditReport, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Current" : "Old"; });
