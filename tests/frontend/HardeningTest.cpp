// SPDX-License-Identifier: GPL-2.0-or-later
// Listings that stop short or never stop, and a game that will not end.
#include "FrontEndFixture.h"
#include "text/TextFile.h"

namespace {

const QString kOldFixtures = QStringLiteral(COINSLOT_FIXTURES "/old-mame/");

// Whether the process runs (a zombie waiting to be reaped does not).
bool alive(qint64 pid) {
    const QByteArray stat = readAll(QStringLiteral("/proc/%1/stat").arg(pid));
    return stat != "<missing>" && stat.mid(stat.lastIndexOf(')') + 2, 1) != "Z";
}

class Hardening : public FrontEndFixture {
  protected:
    // The old fixtures, with `file` kept to its first `lines` lines and then
    // `bytes` bytes of the next.
    void cutFixture(const QString& file, int lines, int bytes) {
        QDir().mkpath("fixtures");
        for (const char* name : {"listfull.txt", "listclones.txt", "listsourcefile.txt"}) {
            QByteArray text = readAll(kOldFixtures + name);
            if (file == name) {
                qsizetype end = 0;
                for (int i = 0; i < lines; ++i)
                    end = text.indexOf('\n', end) + 1;
                text = text.left(end + bytes);
            }
            writeAll(QStringLiteral("fixtures/") + name, text);
        }
        folder.set("FAKEMAME_FIXTURES", folder.filePath("fixtures"));
    }
};

} // namespace

TEST_F(Hardening, AnOldListingThatStopsShortFailsAndNamesIt) {
    // The file cut, its lines and bytes kept, MAME's exit status, the message.
    const std::tuple<const char*, int, int, const char*, const char*> cases[] = {
        {"listfull.txt", 40, 0, "1",
         "MAME ended with exit status 1 while listing its games (-listfull), so that listing is "
         "incomplete."},
        {"listfull.txt", 40, 0, "", "which the game listing (-listfull) lacks"},
        {"listfull.txt", 40, 9, "", "MAME's game listing (-listfull) ends in the middle of a line"},
        {"listclones.txt", 20, 9, "",
         "MAME's clone listing (-listclones) ends in the middle of a line"},
        {"listsourcefile.txt", 60, 4, "",
         "MAME's driver listing (-listsourcefile) ends in the middle of a line"},
    };
    loadDatabase(kSevenGames);
    for (const auto& [file, lines, bytes, exitStatus, expected] : cases) {
        cutFixture(file, lines, bytes);
        folder.set("FAKEMAME_EXIT", exitStatus);
        const Outcome<JobResult> outcome = list();
        EXPECT_TRUE(outcome.failure().contains(expected)) << outcome.failure();
        EXPECT_TRUE(outcome.failure().endsWith("\n\nThe database was not changed."))
            << outcome.failure();
        EXPECT_EQ(readAll("coinslot.dat"), kSevenGames);
    }
    // Lines of no game between the driver lines are MAME's own business.
    cutFixture("", 0, 0);
    QByteArray drivers = readAll("fixtures/listsourcefile.txt");
    drivers.replace("segajw   src/", "\nsome other line\n1 segajw.c\nsegajw   src/");
    writeAll("fixtures/listsourcefile.txt", drivers);
    const Outcome<JobResult> outcome = list();
    ASSERT_TRUE(outcome.ok()) << outcome.failure();
    EXPECT_EQ(readLines("coinslot.dat")->size(), 82);
}

TEST_F(Hardening, AnEndlessMachineListingEndsTheRunAtItsLimit) {
    folder.set("FAKEMAME_MODERN", "1");
    loadDatabase(kSevenGames);
    for (const auto& [start, limit] :
         {std::pair{"<mame><machine name=\"", "markup longer than 1,048,576 bytes"},
          std::pair{"<mame><machine name=\"x\"><description>", "markup longer than"},
          std::pair{"<mame><!-- ", "markup longer than"}}) {
        folder.set("FAKEMAME_ENDLESS", start);
        const Outcome<JobResult> outcome = list();
        EXPECT_TRUE(outcome.failure().contains(limit)) << outcome.failure();
        EXPECT_EQ(readAll("coinslot.dat"), kSevenGames);
    }
}

TEST_F(Hardening, EndlessAuditOrConfigurationOutputEndsTheRunAtItsLimit) {
    folder.set("FAKEMAME_MODERN", "1");
    loadDatabase(kSevenGames);
    folder.set("FAKEMAME_ENDLESS", "romset ");
    const Outcome<JobResult> audited = audit();
    EXPECT_TRUE(audited.failure().contains(
        "-verifyroms): MAME printed more than 536,870,912 bytes, more than any audit report"))
        << audited.failure();
    EXPECT_TRUE(audited.failure().endsWith("\n\nThe database was not changed."));
    EXPECT_EQ(readAll("coinslot.dat"), kSevenGames);
    EXPECT_EQ(folder.tempLeftovers(), QStringList());

    folder.set("FAKEMAME_ENDLESS", "inipath ");
    EXPECT_EQ(run([this] { frontEnd.editIni(IniFile::Mame); }).failure(),
              "MAME's configuration (-showconfig) could not be read: MAME printed more than "
              "1,048,576 bytes, more than any configuration.");
}

TEST_F(Hardening, AGameThatIgnoresTheRequestToEndIsForcedWhenTheFrontEndGoes) {
    folder.set("FAKEMAME_IGNORE_TERM", "1");
    folder.set("FAKEMAME_PLAY_SLEEP", "30");
    folder.set("FAKEMAME_PIDS", folder.filePath("pids"));
    writeAll("coinslot.dat", kSevenGames);
    auto player = std::make_unique<FrontEnd>(runner);
    player->setProgramName("coinslot");
    player->configure(frontEnd.settings());
    ASSERT_TRUE(player->loadDatabase().ok());
    player->play(std::nullopt);
    QList<QByteArray> pids; // MAME's and its child's
    ASSERT_TRUE(
        waitUntil([&] { return (pids = readAll("pids").simplified().split(' ')).size() == 2; }));
    player.reset();
    EXPECT_TRUE(
        waitUntil([&] { return !alive(pids[0].toLongLong()) && !alive(pids[1].toLongLong()); }, 5));
}
