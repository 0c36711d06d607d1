// SPDX-License-Identifier: GPL-2.0-or-later
// The commands with an old MAME (the fake one), through the real runner.
#include "FrontEndFixture.h"
#include "text/TextFile.h"

#include <QElapsedTimer>
#include <QSignalSpy>

namespace {

class OldMame : public FrontEndFixture {};

bool sortedByDescription(const GameTable& games, Qt::CaseSensitivity cs) {
    return std::is_sorted(games.begin(), games.end(),
                          [cs](const GameRecord& a, const GameRecord& b) {
                              return QString::compare(a.description(), b.description(), cs) < 0;
                          });
}

} // namespace

TEST_F(OldMame, ListRunsTheThreeListingsAndBuildsTheDatabaseSortedAsAsked) {
    QSignalSpy busy(&frontEnd, &FrontEnd::busyChanged);
    QSignalSpy progress(&frontEnd, &FrontEnd::progressChanged);
    const Outcome<JobResult> build = list();
    ASSERT_TRUE(build.ok()) << build.failure();
    EXPECT_EQ(runs(), QStringList({"-listfull", "-listclones", "-listsourcefile"}));
    EXPECT_EQ(runner.requests[0].program, "./mame"); // the working folder's, never made absolute
    EXPECT_EQ(busy.count(), 2);                      // once busy for all three runs, once done
    ASSERT_GE(progress.size(), 2);
    EXPECT_EQ(progress.at(progress.size() - 2).at(0).toString(),
              QString::fromUtf8("Reading MAME's game list… 82 games"));
    EXPECT_EQ(progress.last().at(0).toString(), QString::fromUtf8("Sorting 82 games…"));
    EXPECT_EQ(readLines("coinslot.dat")->size(), 82);
    EXPECT_TRUE(sortedByDescription(frontEnd.games().games(), Qt::CaseSensitive));
    EXPECT_EQ(frontEnd.games().selectedRow(), 0);
    EXPECT_EQ(frontEnd.mame().generation(), MameGeneration::Old);
    EXPECT_TRUE(folder.tempLeftovers().isEmpty());

    // The case-insensitive switch reaches the sort: "(bootleg" goes before "(FD1089A".
    Settings folded;
    folded.caseInsensitive = true;
    configure(folded);
    ASSERT_TRUE(list().ok());
    EXPECT_TRUE(sortedByDescription(frontEnd.games().games(), Qt::CaseInsensitive));
    EXPECT_FALSE(sortedByDescription(frontEnd.games().games(), Qt::CaseSensitive));
}

TEST_F(OldMame, AuditThinsTheDatabase) {
    ASSERT_TRUE(list().ok());
    QSignalSpy progress(&frontEnd, &FrontEnd::progressChanged);
    const Outcome<JobResult> audited = audit();
    ASSERT_TRUE(audited.ok()) << audited.failure();
    EXPECT_EQ(runs().last(), "-verifysets *");
    EXPECT_EQ(resultAs<AuditSummary>(audited).summary, "33 games found, 49 removed.");
    EXPECT_EQ(readLines("coinslot.dat")->size(), 33);
    EXPECT_EQ(progress.last().at(0).toString(), QString::fromUtf8("Auditing ROM sets… 43 of 82"));
}

TEST_F(OldMame, CancelOrACrashChangesNothing) {
    ASSERT_TRUE(list().ok());
    const QByteArray before = readAll("coinslot.dat");
    folder.set("FAKEMAME_SLEEP", "30");
    for (const bool auditing : {false, true}) {
        QElapsedTimer clock;
        clock.start();
        const Outcome<JobResult> cancelled =
            runCancelled([&] { auditing ? frontEnd.audit() : frontEnd.list(); });
        EXPECT_TRUE(cancelled.cancelled());
        EXPECT_EQ(cancelled.failure(), "Cancelled. The database was not changed.");
        EXPECT_LT(clock.elapsed(), 15000) << "MAME was not ended";
    }
    folder.set("FAKEMAME_SLEEP", "");
    folder.set("FAKEMAME_CRASH", "10");
    EXPECT_EQ(list().failure(), "MAME ended abnormally, by signal 11 (Segmentation fault), while "
                                "listing its games (-listfull).\n\nThe database was not "
                                "changed.");
    EXPECT_TRUE(audit().failure().contains("auditing the ROM sets (-verifysets)"));
    EXPECT_EQ(readAll("coinslot.dat"), before);
    EXPECT_EQ(frontEnd.games().games().size(), 82u);
    EXPECT_TRUE(folder.tempLeftovers().isEmpty());
    EXPECT_FALSE(frontEnd.busy());
}

TEST_F(OldMame, PlayRunsTheSelectedGameWithTheUsersOwnOptions) {
    loadDatabase(kSevenGames, 3);
    ASSERT_TRUE(run([this] { frontEnd.play(std::nullopt); }).ok());
    ASSERT_TRUE(run([this] { frontEnd.play(QString("-window  -nosound")); }).ok());
    ASSERT_TRUE(run([this] { frontEnd.play(QString()); }).ok());
    EXPECT_EQ(frontEnd.playOptions(), "");
    EXPECT_EQ(runner.requests[1].arguments,
              QStringList({"-f", "-c", "exec ./mame pacman -window  -nosound"}));
    EXPECT_EQ(runner.requests[2].arguments, QStringList({"-f", "-c", "exec ./mame pacman "}));
    // The options are shell words: a star stays one, a redirection redirects.
    ASSERT_TRUE(run([this] { frontEnd.play(QString("-inipath * > out.txt")); }).ok());
    EXPECT_EQ(folder.playLog(),
              QStringList({"pacman", "pacman -window -nosound", "pacman", "pacman -inipath *"}));
    EXPECT_TRUE(QFile::exists("out.txt"));

    // Neither a name nor an executable the shell could read otherwise runs anything else.
    loadDatabase("Bad|x;touch PWNED||drv\r\n");
    EXPECT_TRUE(run([this] { frontEnd.play(std::nullopt); }).failure().startsWith("The name "));
    loadDatabase(kSevenGames);
    ASSERT_TRUE(QFile::copy("mame", "mame;touch PWNED;true"));
    frontEnd.setMameExecutable("mame;touch PWNED;true");
    ASSERT_TRUE(run([this] { frontEnd.play(std::nullopt); }).ok());
    ASSERT_TRUE(list().ok());
    EXPECT_FALSE(QFile::exists("PWNED"));
    EXPECT_EQ(folder.playLog().last(), "ffight");
}
