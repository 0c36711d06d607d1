// The front end's commands without a window: the list, the database file, and
// MAME's runs through the real runner and the fake MAME.
#include "frontend/FrontEnd.h"
#include "FakeMame.h"
#include "text/TextFile.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const QByteArray kDatabase = kSevenGames;

class FrontEndTest : public ::testing::Test {
  protected:
    FrontEndTest() {
        frontEnd.setProgramName("coinslot");
        frontEnd.setMameExe("mame");
    }

    void loadDatabase(const QByteArray& bytes = kDatabase, int lastGame = 0) {
        WriteAll("coinslot.dat", bytes);
        ASSERT_TRUE(frontEnd.loadDatabase(lastGame).ok());
    }

    QStringList Shown() const {
        QStringList names;
        for (const GameRecord& game : frontEnd.state().shown)
            names.append(game.name);
        return names;
    }

    QString Selected() const {
        const GameRecord* game = frontEnd.selectedGame();
        return game ? game->name : QStringLiteral("<none>");
    }

    Outcome<Done> List() {
        return Await<Outcome<Done>>(frontEnd, &FrontEnd::listFinished,
                                    [this] { frontEnd.buildDatabase(); })
            .value_or(Outcome<Done>::Failure("<no answer>"));
    }

    Outcome<QString> Audit() {
        return Await<Outcome<QString>>(frontEnd, &FrontEnd::auditFinished,
                                       [this] { frontEnd.auditDatabase(); })
            .value_or(Outcome<QString>::Failure("<no answer>"));
    }

    FakeMameFolder folder;
    RecordingRunner runner;
    FrontEnd frontEnd{runner};
};

} // namespace

TEST_F(FrontEndTest, FilterAndSearchMoveTheShownTableAndTheSelection) {
    loadDatabase();
    QSignalSpy resets(&frontEnd, &FrontEnd::shownChanged);
    EXPECT_EQ(frontEnd.applyDriverFilter("  NEOGEO   cps1 neogeo "), FilterResult::Shown);
    EXPECT_EQ(Shown(), QStringList({"ffight", "ffightu", "mslug", "alpham2"}));
    EXPECT_EQ(frontEnd.state().driverFilter, "cps1 neogeo");
    EXPECT_EQ(Selected(), "ffight");
    EXPECT_EQ(resets.count(), 1);

    // A filter that names no driver changes nothing at all.
    frontEnd.select(2);
    EXPECT_EQ(frontEnd.applyDriverFilter("nosuchdriver"), FilterResult::NoMatch);
    EXPECT_EQ(Shown().size(), 4);
    EXPECT_EQ(Selected(), "mslug");
    EXPECT_EQ(resets.count(), 1);

    // The search looks at the shown games only, from the top, and a miss keeps the selection.
    frontEnd.searchGames("AL");
    EXPECT_EQ(Selected(), "alpham2");
    frontEnd.searchGames("alx");
    EXPECT_EQ(Selected(), "alpham2");
    frontEnd.searchGames("[sfa]");
    EXPECT_EQ(Selected(), "alpham2");
    frontEnd.searchGames("[ffightu");
    EXPECT_EQ(Selected(), "alpham2");
    frontEnd.searchGames("[ffightu]");
    EXPECT_EQ(Selected(), "ffightu");
    frontEnd.searchGames("");
    EXPECT_EQ(Selected(), "ffight");

    // Out of range selects nothing else; every game's record stays reachable.
    frontEnd.select(4);
    EXPECT_EQ(Selected(), "ffight");
    EXPECT_EQ(frontEnd.applyDriverFilter(""), FilterResult::Shown);
    EXPECT_EQ(frontEnd.state().driverFilter, "");
    EXPECT_EQ(Shown().size(), 7);
}

TEST_F(FrontEndTest, SaveWritesTheTableAndAFailedWriteKeepsTheOldOne) {
    loadDatabase();
    ASSERT_EQ(frontEnd.applyDriverFilter("pacland"), FilterResult::Shown);
    ASSERT_TRUE(frontEnd.saveDatabase().ok());
    EXPECT_EQ(ReadAll("coinslot.dat"), kDatabase);
    EXPECT_EQ(Shown(), QStringList({"pacland"}));

    // A folder in the way of the file: the write fails, nothing changes.
    const QByteArray before = ReadAll("coinslot.dat");
    ASSERT_TRUE(QFile::remove("coinslot.dat") && QDir().mkdir("coinslot.dat"));
    QSignalSpy games(&frontEnd, &FrontEnd::gamesChanged);
    const Outcome<Done> build = List(); // the fake MAME's 82 games
    ASSERT_FALSE(build.ok());
    EXPECT_TRUE(build.failure().startsWith("The database could not be written to coinslot.dat"))
        << build.failure().toStdString();
    EXPECT_TRUE(build.failure().endsWith("\r\n\r\nThe database was not changed."));
    EXPECT_EQ(frontEnd.state().games.size(), 7u);
    EXPECT_EQ(Shown(), QStringList({"pacland"}));
    EXPECT_EQ(games.count(), 0);
    EXPECT_TRUE(folder.TempLeftovers().isEmpty());
    EXPECT_FALSE(frontEnd.busy());
}

TEST_F(FrontEndTest, ListRunsTheThreeListingsAndBuildsTheSortedDatabase) {
    QSignalSpy busy(&frontEnd, &FrontEnd::busyChanged);
    QSignalSpy progress(&frontEnd, &FrontEnd::progressChanged);
    const Outcome<Done> build = List();
    ASSERT_TRUE(build.ok()) << build.failure().toStdString();
    ASSERT_EQ(runner.requests.size(), 3u);
    const char* options[] = {"-listfull", "-listclones", "-listsourcefile"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(runner.requests[i].arguments, QStringList{options[i]});
        EXPECT_EQ(runner.requests[i].program, folder.filePath("mame"));
        EXPECT_TRUE(runner.requests[i].hide);
    }
    EXPECT_EQ(busy.count(), 2); // once busy for all three runs, once done
    ASSERT_GE(progress.size(), 2);
    EXPECT_EQ(progress.at(progress.size() - 2).at(0).toString(),
              QString::fromUtf8("Reading MAME's game list… 82 games"));
    EXPECT_EQ(progress.last().at(0).toString(), QString::fromUtf8("Sorting 82 games…"));
    EXPECT_EQ(frontEnd.state().games.size(), 82u);
    EXPECT_EQ(readLines("coinslot.dat")->size(), 82);
    EXPECT_TRUE(std::is_sorted(frontEnd.state().games.begin(), frontEnd.state().games.end(),
                               [](const GameRecord& a, const GameRecord& b) {
                                   return QString::compare(a.description, b.description) < 0;
                               }));
    EXPECT_EQ(frontEnd.state().selectedRow, 0);
    EXPECT_TRUE(folder.TempLeftovers().isEmpty());
}

TEST_F(FrontEndTest, TheCaseInsensitiveSwitchReachesTheListSort) {
    QDir().mkdir("fixtures");
    WriteAll("fixtures/listfull.txt", "Name:     Description:\n"
                                      "aaa       \"alpha\"\n"
                                      "bbb       \"Zulu\"\n"
                                      "ccc       \"Bravo\"\n");
    WriteAll("fixtures/listclones.txt", "Name:    Clone of:\nzzz      yyy     \n");
    WriteAll("fixtures/listsourcefile.txt", "aaa      src/drivers/d.c\nbbb      src/drivers/d.c\n"
                                            "ccc      src/drivers/d.c\n");
    folder.Set("FAKEMAME_FIXTURES", folder.filePath("fixtures"));
    ASSERT_TRUE(List().ok());
    EXPECT_EQ(readLines("coinslot.dat"),
              QStringList({"Bravo|ccc||d", "Zulu|bbb||d", "alpha|aaa||d"}));
    frontEnd.setSwitches(false, false, true);
    ASSERT_TRUE(List().ok());
    EXPECT_EQ(readLines("coinslot.dat"),
              QStringList({"alpha|aaa||d", "Bravo|ccc||d", "Zulu|bbb||d"}));
}

TEST_F(FrontEndTest, AuditThinsTheDatabaseOrRemovesItWhenNothingPasses) {
    ASSERT_TRUE(List().ok());
    QSignalSpy progress(&frontEnd, &FrontEnd::progressChanged);
    const Outcome<QString> audit = Audit();
    ASSERT_TRUE(audit.ok()) << audit.failure().toStdString();
    EXPECT_EQ(runner.requests.back().arguments, QStringList({"-verifysets", "*"}));
    EXPECT_FALSE(runner.requests.back().hide);
    EXPECT_EQ(audit.value(), "33 games found, 49 removed.");
    EXPECT_EQ(readLines("coinslot.dat")->size(), 33);
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last().at(0).toString(), QString::fromUtf8("Auditing ROM sets… 43 of 82"));

    QDir().mkdir("fixtures");
    WriteAll("fixtures/verifysets.txt", "romset x is bad\n1 romsets found, 0 were OK.\n");
    folder.Set("FAKEMAME_FIXTURES", folder.filePath("fixtures"));
    QSignalSpy games(&frontEnd, &FrontEnd::gamesChanged);
    const Outcome<QString> none = Audit();
    ASSERT_TRUE(none.ok()) << none.failure().toStdString();
    EXPECT_EQ(none.value(), "0 games found, 33 removed.");
    EXPECT_FALSE(QFile::exists("coinslot.dat"));
    EXPECT_TRUE(frontEnd.state().shown.empty());
    EXPECT_EQ(frontEnd.selectedGame(), nullptr);
    ASSERT_EQ(games.count(), 1);
    EXPECT_FALSE(games[0][0].toBool());
}

TEST_F(FrontEndTest, CancelMidListOrMidAuditChangesNothing) {
    ASSERT_TRUE(List().ok());
    const QByteArray before = ReadAll("coinslot.dat");
    folder.Set("FAKEMAME_SLEEP", "30");
    for (const bool audit : {false, true}) {
        // Cancel as soon as MAME has printed its first half.
        QMetaObject::Connection connection = QObject::connect(
            &frontEnd, &FrontEnd::progressChanged, &frontEnd, [this](const QString&, qint64 value) {
                if (value > 0)
                    frontEnd.cancel();
            });
        QElapsedTimer clock;
        clock.start();
        const QString failure = audit ? Audit().failure() : List().failure();
        QObject::disconnect(connection);
        EXPECT_EQ(failure, "Cancelled. The database was not changed.");
        EXPECT_LT(clock.elapsed(), 15000) << "MAME was not ended";
        EXPECT_EQ(ReadAll("coinslot.dat"), before);
        EXPECT_EQ(frontEnd.state().games.size(), 82u);
        EXPECT_TRUE(folder.TempLeftovers().isEmpty());
        EXPECT_FALSE(frontEnd.busy());
    }
}

TEST_F(FrontEndTest, AMameThatCrashesGivesOneFailureAndChangesNothing) {
    ASSERT_TRUE(List().ok());
    const QByteArray before = ReadAll("coinslot.dat");
    folder.Set("FAKEMAME_CRASH", "10");
    const Outcome<Done> build = List();
    ASSERT_FALSE(build.ok());
    EXPECT_EQ(build.failure(), "MAME ended abnormally, by signal 11 (Segmentation fault), while "
                               "listing its games (-listfull).\r\n\r\nThe database was not "
                               "changed.");
    const Outcome<QString> audit = Audit();
    ASSERT_FALSE(audit.ok());
    EXPECT_TRUE(audit.failure().contains("auditing the ROM sets (-verifysets)"));
    EXPECT_EQ(ReadAll("coinslot.dat"), before);
    EXPECT_EQ(frontEnd.state().games.size(), 82u);
    EXPECT_TRUE(folder.TempLeftovers().isEmpty());
}

TEST_F(FrontEndTest, PlayRunsTheSelectedGameAndRemembersTheOptions) {
    loadDatabase(kDatabase, 3);
    EXPECT_EQ(frontEnd.playCommandLine(std::nullopt).value(), "./mame pacman");
    EXPECT_EQ(frontEnd.playCommandLine(QString()).value(), "./mame pacman ");
    const auto play = [this](std::optional<QString> options) {
        return Await<Outcome<Done>>(frontEnd, &FrontEnd::playFinished,
                                    [&] { frontEnd.play(options); });
    };
    ASSERT_TRUE(play(std::nullopt).value().ok());
    ASSERT_TRUE(play(QString("-window  -nosound")).value().ok());
    EXPECT_EQ(folder.PlayLog(), QStringList({"pacman", "pacman -window -nosound"}));
    EXPECT_EQ(frontEnd.state().playOptions, "-window  -nosound");
    EXPECT_EQ(runner.requests.back().arguments,
              QStringList({"-f", "-c", "./mame pacman -window  -nosound"}));
    // The options are the user's own shell text: a star stays one, a redirection works.
    ASSERT_TRUE(play(QString("-inipath * > out.txt")).value().ok());
    EXPECT_EQ(folder.PlayLog().last(), "pacman -inipath *");
    EXPECT_TRUE(QFile::exists("out.txt"));

    // A name the shell could read otherwise starts nothing.
    loadDatabase("Bad|x;touch PWNED||drv\r\n");
    const std::optional<Outcome<Done>> refused = play(std::nullopt);
    ASSERT_TRUE(refused && !refused->ok());
    EXPECT_FALSE(QFile::exists("PWNED"));
}

TEST_F(FrontEndTest, AnExecutableNameIsQuotedForTheShell) {
    loadDatabase(kDatabase, 0);
    ASSERT_TRUE(QFile::copy("mame", "mame;touch PWNED;true"));
    frontEnd.setMameExe("mame;touch PWNED;true");
    ASSERT_TRUE(Await<Outcome<Done>>(frontEnd, &FrontEnd::playFinished,
                                     [&] { frontEnd.play(std::nullopt); })
                    .value()
                    .ok());
    ASSERT_TRUE(List().ok());
    EXPECT_FALSE(QFile::exists("PWNED"));
    EXPECT_EQ(folder.PlayLog(), QStringList({"ffight"}));
    EXPECT_EQ(frontEnd.state().games.size(), 82u);
}
