// The front end with a current MAME (the fake one speaking as 0.251): which
// MAME it is, the build from -listxml, the audit with -verifyroms and the ini
// files in its inipath.
#include "FakeMame.h"
#include "frontend/FrontEnd.h"
#include "text/TextFile.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const QString kFixtures = QStringLiteral(COINSLOT_FIXTURES "/current-mame");

class CurrentMame : public ::testing::Test {
  protected:
    CurrentMame() {
        folder.Set("FAKEMAME_MODERN", "1");
        folder.Set("HOME", folder.filePath("home"));
        frontEnd.setProgramName("coinslot");
        frontEnd.setMameExe("mame");
    }

    Outcome<Done> List() {
        return Await<Outcome<Done>>(frontEnd, &FrontEnd::listFinished,
                                    [this] { frontEnd.buildDatabase(); })
            .value_or(Outcome<Done>::Failure("<no answer>"));
    }

    QStringList Arguments() const {
        QStringList all;
        for (const MameRunRequest& request : runner.requests)
            all.append(request.arguments.join(' '));
        return all;
    }

    FakeMameFolder folder;
    RecordingRunner runner;
    FrontEnd frontEnd{runner};
    QStringList seen;
};

} // namespace

TEST_F(CurrentMame, ListReadsTheMachineListingAndBuildsTheSameDatabase) {
    QSignalSpy progress(&frontEnd, &FrontEnd::progressChanged);
    const Outcome<Done> build = List();
    ASSERT_TRUE(build.ok()) << build.failure().toStdString();
    EXPECT_EQ(Arguments(), QStringList({"-listfull", "-listxml"}));
    EXPECT_EQ(ReadAll("coinslot.dat"), ReadAll(kFixtures + "/listxml-database.txt"));
    ASSERT_GE(progress.size(), 2);
    EXPECT_EQ(progress.at(progress.size() - 2).at(0).toString(),
              QString::fromUtf8("Reading MAME's game list… 105 games"));
    EXPECT_TRUE(folder.TempLeftovers().isEmpty());

    // The same executable turned old again is read as an old one.
    folder.Set("FAKEMAME_MODERN", "");
    ASSERT_TRUE(List().ok());
    EXPECT_EQ(Arguments().mid(2), QStringList({"-listfull", "-listclones", "-listsourcefile"}));
    EXPECT_EQ(frontEnd.state().games.size(), 82u);
}

TEST_F(CurrentMame, CancelAndACutOffListingChangeNothing) {
    WriteAll("coinslot.dat", "Old|old||drv\r\n");
    ASSERT_TRUE(frontEnd.loadDatabase(0).ok());
    folder.Set("FAKEMAME_SLEEP", "30");
    QMetaObject::Connection cancel = QObject::connect(
        &frontEnd, &FrontEnd::progressChanged, &frontEnd, [this](const QString&, qint64 games) {
            if (games > 0)
                frontEnd.cancel();
        });
    EXPECT_EQ(List().failure(), "Cancelled. The database was not changed.");
    QObject::disconnect(cancel);

    folder.Set("FAKEMAME_SLEEP", "");
    folder.Set("FAKEMAME_CRASH", "5000");
    const Outcome<Done> crashed = List();
    ASSERT_FALSE(crashed.ok());
    EXPECT_TRUE(crashed.failure().contains("(-listxml)")) << crashed.failure().toStdString();
    EXPECT_EQ(ReadAll("coinslot.dat"), "Old|old||drv\r\n");
    EXPECT_EQ(frontEnd.state().games.size(), 1u);
    EXPECT_TRUE(folder.TempLeftovers().isEmpty());
}

TEST_F(CurrentMame, AuditFallsBackToVerifyromsAndKeepsTheGoodSets) {
    ASSERT_TRUE(List().ok());
    const std::optional<Outcome<QString>> audit = Await<Outcome<QString>>(
        frontEnd, &FrontEnd::auditFinished, [this] { frontEnd.auditDatabase(); });
    ASSERT_TRUE(audit && audit->ok()) << (audit ? audit->failure().toStdString() : "");
    EXPECT_EQ(Arguments().mid(2), QStringList({"-verifysets *", "-verifyroms *"}));
    const QStringList good = {"dkong",  "galaga", "mspacman", "osc1000b",
                              "pacman", "sf2",    "sf2ua",    "tmc1800"};
    QStringList expected;
    const QStringList all = readLines(kFixtures + "/listxml-database.txt").value();
    for (const QString& line : all)
        if (good.contains(line.section('|', 1, 1)))
            expected.append(line);
    EXPECT_EQ(readLines("coinslot.dat"), expected);
    EXPECT_EQ(
        audit->value(),
        QString("%1 games found, %2 removed.").arg(expected.size()).arg(105 - expected.size()));
}

TEST_F(CurrentMame, IniFilesLieInTheFirstInipathFolder) {
    WriteAll("coinslot.dat", "Ms. Pac-Man|mspacman|puckman|pacman\r\n");
    ASSERT_TRUE(frontEnd.loadDatabase(0).ok());
    QObject::connect(&frontEnd, &FrontEnd::iniReady, &frontEnd,
                     [this](const QString& title, const Outcome<QString>& path) {
                         seen.append(title + ": " + (path.ok() ? path.value() : path.failure()));
                     });
    const auto press = [&](auto action) {
        action();
        ASSERT_TRUE(WaitUntil([&] { return !frontEnd.busy(); }));
    };
    const QString home = folder.filePath("home/.mame");
    press([&] { frontEnd.editIniFile(IniButton::Set); });
    press([&] { frontEnd.editIniFile(IniButton::Driver); });
    press([&] { frontEnd.editIniFile(IniButton::Parent); });
    press([&] { frontEnd.editMameIni(); });
    EXPECT_EQ(seen, QStringList(
                        {"Set: " + home + "/mspacman.ini", "Driver: " + home + "/source/pacman.ini",
                         "Parent: " + home + "/puckman.ini", "Mame: " + home + "/mame.ini"}));
    EXPECT_TRUE(QFileInfo(home + "/source/pacman.ini").isFile());
    EXPECT_TRUE(QFileInfo(home + "/mame.ini").isFile()); // made by MAME, in that folder
    EXPECT_FALSE(QFileInfo::exists("ini"));
    // Which MAME and where its files are is asked once.
    EXPECT_EQ(Arguments(), QStringList({"-listfull", "-showconfig", "-createconfig"}));
}
