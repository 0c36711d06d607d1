// The whole build with the MAME installed on this machine, when there is one.
#include "FakeMame.h"
#include "QtPrinters.h"
#include "frontend/FrontEnd.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

QString installedMame() {
    const QString mame = QStringLiteral("/usr/games/mame");
    return QFileInfo(mame).isExecutable() ? mame
                                          : QStandardPaths::findExecutable(QStringLiteral("mame"));
}

} // namespace

TEST(RealMame, BuildsTheDatabaseOfEveryMachineThatCanRun) {
    const QString mame = installedMame();
    if (mame.isEmpty())
        GTEST_SKIP() << "no MAME is installed here (/usr/games/mame or mame on PATH)";
    QProcess version;
    version.start(mame, {"-version"});
    ASSERT_TRUE(version.waitForFinished(60000));
    const QString release = QString::fromLocal8Bit(version.readAllStandardOutput()).trimmed();

    WorkingFolder folder;
    MameRunner runner;
    FrontEnd frontEnd(runner);
    frontEnd.setProgramName("coinslot");
    frontEnd.setMameExecutable(mame);
    ASSERT_TRUE(frontEnd.loadCatalogue().ok());
    std::optional<Outcome<JobReport>> build;
    QObject::connect(&frontEnd, &FrontEnd::commandFinished,
                     [&](Command, const Outcome<JobReport>& outcome) { build = outcome; });
    frontEnd.list();
    ASSERT_TRUE(waitUntil([&] { return build.has_value(); }, 600))
        << "MAME " << release.toStdString() << " did not finish";
    ASSERT_TRUE(build->ok()) << build->failure();

    const GameTable& games = frontEnd.games().games();
    if (release.startsWith("0.251"))
        EXPECT_EQ(games.size(), 39372u);
    else
        EXPECT_GT(games.size(), 30000u) << release.toStdString();
    const auto find = [&](const char* name) {
        const auto at = std::find_if(games.begin(), games.end(),
                                     [&](const GameRecord& g) { return g.name == name; });
        return at == games.end() ? GameRecord{} : *at;
    };
    EXPECT_EQ(find("pacman").parent, "puckman");
    EXPECT_EQ(find("pacman").driver, "pacman");
    EXPECT_EQ(find("sf2").driver, "cps1");
    EXPECT_EQ(find("sf2").parent, "");
    EXPECT_TRUE(std::none_of(games.begin(), games.end(), [](const GameRecord& g) {
        return g.name == "namco51";
    })) << "a device was kept";
    EXPECT_EQ(readAll("coinslot.dat").count("\r\n"), static_cast<qsizetype>(games.size()));

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

TEST(RealMame, PlayingASetWithoutItsRomFilesSaysWhichGameLacksThem) {
    const QString mame = installedMame();
    if (mame.isEmpty())
        GTEST_SKIP() << "no MAME is installed here (/usr/games/mame or mame on PATH)";
    WorkingFolder folder;
    ScopedEnv home("HOME", folder.path().toLocal8Bit()); // no ini of the user's, no ROM path
    ASSERT_TRUE(QDir().mkdir("empty"));
    writeAll("coinslot.dat", "Pac-Man (Midway)|pacman|puckman|pacman\r\n");
    MameRunner runner;
    FrontEnd frontEnd(runner);
    frontEnd.setProgramName("coinslot");
    frontEnd.setMameExecutable(mame);
    ASSERT_TRUE(frontEnd.loadDatabase().ok());
    std::optional<Outcome<JobReport>> played;
    QObject::connect(&frontEnd, &FrontEnd::commandFinished,
                     [&](Command, const Outcome<JobReport>& outcome) { played = outcome; });
    frontEnd.play(QString("-rompath empty -video none -sound none"));
    ASSERT_TRUE(waitUntil([&] { return played.has_value(); }, 120));
    ASSERT_FALSE(played->ok()) << "pacman ran without its ROM files";
    const QString said = played->failure();
    EXPECT_TRUE(
        said.startsWith("MAME could not find the ROM files of Pac-Man (Midway) [pacman].\r\n\r\n"))
        << said;
    EXPECT_TRUE(said.contains("files not found: pacman.6e, ")) << said;
    EXPECT_TRUE(
        said.endsWith("Fatal error: Required files are missing, the machine cannot be run."))
        << said;
}
