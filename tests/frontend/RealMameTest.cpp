// SPDX-License-Identifier: GPL-2.0-or-later
// The whole build with the MAME installed on this machine, when there is one.
#include "FrontEndFixture.h"
#include "StoredZip.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

// The front end with the MAME installed on this machine; skipped without one.
class RealMame : public FrontEndFixture {
  protected:
    void SetUp() override {
        mame = QStringLiteral("/usr/games/mame");
        if (!QFileInfo(mame).isExecutable())
            mame = QStandardPaths::findExecutable(QStringLiteral("mame"));
        if (mame.isEmpty())
            GTEST_SKIP() << "no MAME is installed here (/usr/games/mame or mame on PATH)";
        frontEnd.setMameExecutable(mame);
    }
    QString mame;
};

} // namespace

TEST_F(RealMame, BuildsTheDatabaseOfEveryMachineThatCanRun) {
    QProcess version;
    version.start(mame, {"-version"});
    ASSERT_TRUE(version.waitForFinished(60000));
    const QString release = QString::fromLocal8Bit(version.readAllStandardOutput()).trimmed();
    ASSERT_TRUE(frontEnd.loadCatalogue().ok());
    const Outcome<JobResult> build = run([this] { frontEnd.list(); }, 600);
    ASSERT_TRUE(build.ok()) << "MAME " << release.toStdString() << ": " << build.failure();

    const GameTable& games = frontEnd.games().games();
    if (release.startsWith("0.251"))
        EXPECT_EQ(games.size(), 39372u);
    else
        EXPECT_GT(games.size(), 30000u) << release.toStdString();
    const QByteArray database = readAll("coinslot.dat");
    EXPECT_EQ(database.count("\r\n"), static_cast<qsizetype>(games.size()));
    EXPECT_TRUE(database.contains(")|pacman|puckman|pacman\r\n"));
    EXPECT_TRUE(database.contains("|sf2||cps1\r\n"));
    EXPECT_FALSE(database.contains("|namco51|")) << "a device was kept";

    // The machine facts, and the Show choices on them.
    const std::optional<MachineFacts> pacman = frontEnd.catalogue().facts("pacman");
    ASSERT_TRUE(pacman.has_value());
    EXPECT_EQ(pacman->year, "1980");
    EXPECT_EQ(pacman->manufacturer, "Namco (Midway license)");
    if (release.startsWith("0.251")) {
        // clones, not working, mechanical, non-arcade, favourites only
        ASSERT_TRUE(frontEnd.applyShowChoices({false, false, false, true, false}));
        EXPECT_EQ(frontEnd.games().shownRows().size(), 5793);
        ASSERT_TRUE(frontEnd.applyShowChoices({false, false, false, false, false}));
        EXPECT_EQ(frontEnd.games().shownRows().size(), 4373);
    }
}

TEST_F(RealMame, PlayingASetWithoutItsRomFilesSaysWhichGameLacksThem) {
    folder.set("HOME", folder.path()); // no ini of the user's, no ROM path
    ASSERT_TRUE(QDir().mkdir("empty"));
    writeAll("coinslot.dat", "Pac-Man (Midway)|pacman|puckman|pacman\r\n");
    ASSERT_TRUE(frontEnd.loadDatabase().ok());
    const Outcome<JobResult> played =
        run([this] { frontEnd.play(QString("-rompath empty -video none -sound none")); }, 120);
    ASSERT_FALSE(played.ok()) << "pacman ran without its ROM files";
    const QString said = played.failure();
    EXPECT_TRUE(
        said.startsWith("MAME could not find the ROM files of Pac-Man (Midway) [pacman].\n\n"))
        << said;
    EXPECT_TRUE(said.contains("files not found: pacman.6e, ")) << said;
    EXPECT_TRUE(
        said.endsWith("Fatal error: Required files are missing, the machine cannot be run."))
        << said;
}

TEST_F(RealMame, AnAuditAfterANewZipAsksMameAboutThatSetsFamilyOnlyAndEndsAsAFullOne) {
    folder.set("HOME", folder.filePath("home")); // MAME's first ROM folder: $HOME/mame/roms
    ASSERT_TRUE(QDir().mkpath("home/mame/roms"));
    writeAll("home/mame/roms/puckman.zip", storedZip({{"pm1_prg1.6e", QByteArray(2048, 'p')}}));
    writeAll("home/mame/roms/galaga.zip", storedZip({{"gg1_1b.3p", QByteArray(4096, 'g')}}));
    ASSERT_TRUE(frontEnd.loadCatalogue().ok());
    ASSERT_TRUE(run([this] { frontEnd.list(); }, 600).ok());
    const AuditSummary first = resultAs<AuditSummary>(run([this] { frontEnd.audit(); }, 600));
    EXPECT_TRUE(first.report.join('\n').contains("[galaga]\n  gg1_1b.3p: wrong checksum"));
    ASSERT_TRUE(run([this] { frontEnd.list(); }, 600).ok());
    const QByteArray listed = readAll("coinslot.dat");

    writeAll("home/mame/roms/mspacman.zip", storedZip({{"boot1", QByteArray(4096, 'm')}}));
    QStringList family{"mspacman"};
    for (const GameRecord& game : frontEnd.games().games()) {
        if (game.parent() == "mspacman")
            family << game.name();
    }
    family.sort();
    runner.requests.clear();
    const AuditSummary part = resultAs<AuditSummary>(run([this] { frontEnd.audit(); }, 600));
    EXPECT_EQ(runs(), QStringList({"-showconfig", "-verifyroms " + family.join(' ')}));
    const QByteArray partDatabase = readAll("coinslot.dat");

    // The same database audited as a whole.
    writeAll("coinslot.dat", listed);
    ASSERT_TRUE(frontEnd.loadDatabase().ok());
    const AuditSummary whole = resultAs<AuditSummary>(run([this] { frontEnd.audit(true); }, 600));
    EXPECT_EQ(runs().last(), "-verifyroms *");
    EXPECT_EQ(partDatabase, readAll("coinslot.dat"));
    EXPECT_EQ(part.summary, whole.summary);
    EXPECT_EQ(part.report, whole.report);
    // The new zip made a set of the family bad (0.251: the clone mspacmbe,
    // whose boot1 it holds).
    EXPECT_TRUE(std::any_of(family.begin(), family.end(), [&](const QString& set) {
        return whole.report.join('\n').contains("[" + set + "]\n  ");
    })) << whole.report.join('\n').toStdString();
}
