// SPDX-License-Identifier: GPL-2.0-or-later
// The commands with a current MAME (the fake one speaking as 0.251): which
// MAME it is, the build from -listxml, the audit with -verifyroms and the ini
// files in its inipath.
#include "FrontEndFixture.h"
#include "text/TextFile.h"

#include <QSignalSpy>

namespace {

const QString kFixtures = QStringLiteral(COINSLOT_FIXTURES "/current-mame");

class CurrentMame : public FrontEndFixture {
  protected:
    CurrentMame() {
        folder.set("FAKEMAME_MODERN", "1");
        folder.set("HOME", folder.filePath("home"));
    }
};

} // namespace

TEST_F(CurrentMame, ListReadsTheMachineListingAndBuildsTheSameDatabase) {
    const Outcome<JobResult> build = list();
    ASSERT_TRUE(build.ok()) << build.failure();
    EXPECT_EQ(runs(), QStringList({"-listfull", "-listxml"}));
    EXPECT_EQ(readAll("coinslot.dat"), readAll(kFixtures + "/listxml-database.txt"));
    EXPECT_TRUE(folder.tempLeftovers().isEmpty());

    // Known now: the machine listing is asked for at once. An old MAME put
    // in its place (a file of another modification time) is asked again.
    ASSERT_TRUE(list().ok());
    EXPECT_EQ(runs().mid(2), QStringList({"-listxml"}));
    folder.set("FAKEMAME_MODERN", "");
    ASSERT_TRUE(QFile::remove("mame") && QFile::copy(COINSLOT_FAKEMAME, "mame"));
    ASSERT_TRUE(list().ok());
    EXPECT_EQ(runs().mid(3), QStringList({"-listfull", "-listclones", "-listsourcefile"}));
    EXPECT_EQ(frontEnd.games().games().size(), 82u);
}

TEST_F(CurrentMame, AListThatLearnsWhereMameKeepsItsSnapshotsTellsTheDetailsPane) {
    ASSERT_TRUE(frontEnd.loadCatalogue().ok());
    QSignalSpy learnt(&frontEnd, &FrontEnd::snapshotFoldersLearnt);
    ASSERT_TRUE(list().ok());
    ASSERT_TRUE(frontEnd.snapshotFolders().has_value());
    EXPECT_EQ(learnt.count(), 1);
}

TEST_F(CurrentMame, CancelAndACutOffListingChangeNothing) {
    loadDatabase("Old|old||drv\r\n");
    folder.set("FAKEMAME_SLEEP", "30");
    EXPECT_TRUE(runCancelled([this] { frontEnd.list(); }).cancelled());

    folder.set("FAKEMAME_SLEEP", "");
    folder.set("FAKEMAME_CRASH", "5000");
    EXPECT_TRUE(list().failure().contains("(-listxml)"));
    EXPECT_EQ(readAll("coinslot.dat"), "Old|old||drv\r\n");
    EXPECT_EQ(frontEnd.games().games().size(), 1u);
    EXPECT_TRUE(folder.tempLeftovers().isEmpty());
}

TEST_F(CurrentMame, WhileAListRunsTheOldTextsWaitInAFileAndComeBackWholeWhenItChangesNothing) {
    ASSERT_TRUE(list().ok());
    ASSERT_TRUE(frontEnd.games().search("[sf2]"));
    const GameTable before = frontEnd.games().games();
    const MachineList machines = frontEnd.games().machineList();
    ASSERT_FALSE(machines.empty());
    QStringList descriptions;
    for (const GameRecord& game : before)
        descriptions << game.description();
    const std::vector<QString> manufacturers = frontEnd.games().manufacturers();
    ASSERT_TRUE(std::count(manufacturers.begin(), manufacturers.end(), "Capcom") > 0);

    // While MAME runs, the list still shows the same texts, read from the file,
    // and the details view the same manufacturers.
    folder.set("FAKEMAME_SLEEP", "30");
    bool aside = false;
    QStringList shown;
    std::vector<QString> shownManufacturers;
    const auto look = QObject::connect(&frontEnd, &FrontEnd::progressChanged, &frontEnd, [&] {
        aside = frontEnd.games().games().isSetAside();
        shown.clear();
        for (qsizetype row = 0; row < frontEnd.games().shownRows().size(); ++row)
            shown << frontEnd.games().shownGame(row).description();
        shownManufacturers = frontEnd.games().manufacturers();
    });
    EXPECT_TRUE(runCancelled([this] { frontEnd.list(); }).cancelled());
    QObject::disconnect(look);
    EXPECT_TRUE(aside);
    EXPECT_EQ(shown, descriptions);
    EXPECT_EQ(shownManufacturers, manufacturers);

    // Cancelled: the texts and the machine list are back in memory as they were.
    EXPECT_FALSE(frontEnd.games().games().isSetAside());
    EXPECT_EQ(frontEnd.games().games(), before);
    EXPECT_EQ(frontEnd.games().machineList(), machines);
    EXPECT_EQ(selectedName(), "sf2");
    EXPECT_TRUE(frontEnd.games().search("street fighter"));
    EXPECT_TRUE(folder.tempLeftovers().isEmpty());

    // Manufacturers first asked for while MAME runs come from the file too.
    ASSERT_TRUE(frontEnd.loadDatabase().ok());
    shownManufacturers.clear();
    const auto lookAgain = QObject::connect(&frontEnd, &FrontEnd::progressChanged, &frontEnd, [&] {
        if (frontEnd.games().games().isSetAside())
            shownManufacturers = frontEnd.games().manufacturers();
    });
    EXPECT_TRUE(runCancelled([this] { frontEnd.list(); }).cancelled());
    QObject::disconnect(lookAgain);
    EXPECT_EQ(shownManufacturers, manufacturers);
}

TEST_F(CurrentMame, AuditFallsBackToVerifyromsAndKeepsTheGoodSets) {
    ASSERT_TRUE(list().ok());
    // Chosen anew, MAME is not known: it refuses -verifysets first.
    frontEnd.setMameExecutable("mame");
    const Outcome<JobResult> audited = audit();
    ASSERT_TRUE(audited.ok()) << audited.failure();
    EXPECT_EQ(runs().mid(2), QStringList({"-verifysets *", "-verifyroms *"}));
    // Known now: not offered the option it refuses again.
    ASSERT_TRUE(audit().ok());
    EXPECT_EQ(runs().mid(4), QStringList({"-verifyroms *"}));
    EXPECT_EQ(resultAs<AuditSummary>(audited).summary, "8 games found, 97 removed.");
    EXPECT_EQ(readLines("coinslot.dat")->size(), 8);
}

TEST_F(CurrentMame, IniFilesLieInTheFirstInipathFolder) {
    loadDatabase("Ms. Pac-Man|mspacman|puckman|pacman\r\n");
    QStringList opened;
    for (const IniFile file : {IniFile::Set, IniFile::Driver, IniFile::Parent, IniFile::Mame}) {
        const Outcome<JobResult> found = run([&] { frontEnd.editIni(file); });
        opened.append(found.ok() ? resultAs<IniFileReady>(found).path : found.failure());
    }
    const QString home = folder.filePath("home/.mame");
    EXPECT_EQ(opened, QStringList({home + "/mspacman.ini", home + "/source/pacman.ini",
                                   home + "/puckman.ini", home + "/mame.ini"}));
    EXPECT_TRUE(QFileInfo(home + "/source/pacman.ini").isFile());
    EXPECT_TRUE(QFileInfo(home + "/mame.ini").isFile()); // made by MAME, in that folder
    EXPECT_FALSE(QFileInfo::exists("ini"));
    // Which MAME and where its files are is asked once.
    EXPECT_EQ(runs(), QStringList({"-listfull", "-showconfig", "-createconfig"}));
}
