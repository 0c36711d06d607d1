// SPDX-License-Identifier: GPL-2.0-or-later
// The catalogue through the front end: filled by List, the user's
// favourites and plays through List, Audit and a restart, the Show choices
// with the driver filter, the search's order, and Info with a snapshot.
#include "FrontEndFixture.h"
#include "OutcomeText.h"

#include <QDir>

namespace {

class Catalogued : public FrontEndFixture {
  protected:
    Catalogued() { folder.set("HOME", folder.filePath("home")); }
    // Selects the shown game `name`.
    void pick(const QString& name) {
        frontEnd.games().search("[" + name + "]");
        ASSERT_EQ(selectedName(), name);
    }
    // A game list with facts: Metal Slug and Alpha Mission II without coin slots, Street
    // Fighter Alpha not working; Metal Slug a favourite.
    void loadWithFacts(const QSet<QString>& favourites = {"mslug"}) {
        loadDatabase(kSevenGames);
        MachineFactsTable facts;
        for (const GameRecord& game : frontEnd.games().games())
            facts.push_back(
                {.name = game.name(),
                 .manufacturer = game.driver() == "neogeo" ? "SNK" : "Capcom",
                 .status = game.name() == "sfa" ? DriverStatus::Preliminary : DriverStatus::Good,
                 .coins = game.driver() == "neogeo" ? 0 : 1});
        frontEnd.games().setCatalogue(machineListOf(frontEnd.games().games(), facts), favourites);
    }
    static ShowChoices hiding(bool clones, bool notWorking, bool nonArcade, bool favourites) {
        ShowChoices choices;
        choices.clones = !clones;
        choices.notWorking = !notWorking;
        choices.nonArcade = !nonArcade;
        choices.favouritesOnly = favourites;
        return choices;
    }
};

} // namespace

TEST_F(Catalogued, ListKeepsTheFactsAndTheUsersDataSurvivesListAuditAndARestart) {
    folder.set("FAKEMAME_MODERN", "1");
    EXPECT_EQ(frontEnd.games().factColumns().size(), 0) << "made before the catalogue is read";
    ASSERT_EQ(failureText(frontEnd.loadCatalogue()), "");
    ASSERT_EQ(failureText(list()), "");
    EXPECT_EQ(frontEnd.catalogue().facts("pacman")->manufacturer, "Namco (Midway license)");
    EXPECT_TRUE(frontEnd.games().hasMachineFacts());
    pick("pacman");
    ASSERT_TRUE(frontEnd.setFavourite(true).ok());
    // The columns line the facts and plays up with the table, and follow a play.
    const auto pacman =
        static_cast<size_t>(frontEnd.games().shownRows()[frontEnd.games().selectedRow()]);
    const FactColumns& columns = frontEnd.games().factColumns();
    ASSERT_EQ(columns.size(), std::ssize(frontEnd.games().games()));
    EXPECT_TRUE(columns.anyFacts);
    EXPECT_EQ(columns.years[pacman], "1980");
    EXPECT_EQ(columns.statuses[pacman], DriverStatus::Good);
    EXPECT_EQ(std::tuple(columns.players[pacman], columns.coins[pacman]), std::tuple(2, 2));
    EXPECT_EQ(columns.playCounts[pacman], 0);
    ASSERT_EQ(failureText(run([this] { frontEnd.play(std::nullopt); })), "");
    EXPECT_EQ(frontEnd.games().factColumns().playCounts[pacman], 1);
    EXPECT_TRUE(frontEnd.games().factColumns().lastPlayed[pacman].isValid());
    ASSERT_EQ(failureText(list()), "");
    ASSERT_EQ(failureText(audit()), "");
    EXPECT_EQ(frontEnd.games().games().size(), 8u);
    pick("pacman");
    const GameList& games = frontEnd.games();
    EXPECT_TRUE(games.isFavourite(games.shownRows()[games.selectedRow()]));
    EXPECT_EQ(frontEnd.catalogue().auditVerdict("pacman")->verdict, "good");
    EXPECT_EQ(frontEnd.catalogue().auditVerdict("puckman")->verdict, "bad");
    EXPECT_FALSE(frontEnd.catalogue().auditVerdict("puckman")->problems.isEmpty());

    // The next start: the catalogue lines up with the audited list at once.
    FrontEnd next(runner);
    next.setProgramName("coinslot");
    next.configure(frontEnd.settings());
    ASSERT_TRUE(next.loadDatabase().ok());
    ASSERT_TRUE(next.loadCatalogue().ok());
    EXPECT_TRUE(next.games().facts().entries.empty()) << "the machine list was not rewritten";
    EXPECT_EQ(next.catalogue().plays("pacman").count, 1);

    // An old MAME's List: no facts, and the choices on them are off; favourites stay.
    folder.set("FAKEMAME_MODERN", "");
    frontEnd.setMameExecutable("mame"); // learnt again
    ASSERT_EQ(failureText(list()), "");
    EXPECT_FALSE(frontEnd.games().hasMachineFacts());
    EXPECT_EQ(frontEnd.catalogue().facts("pacman"), std::nullopt);
    EXPECT_TRUE(valueOf(Catalogue("coinslot.sqlite").open()).favourites.contains("pacman"));
}

TEST_F(Catalogued, ShowChoicesCombineWithTheFilterAndRefuseToLeaveNothing) {
    ASSERT_TRUE(frontEnd.loadCatalogue().ok()); // an empty catalogue, read once
    loadWithFacts();
    GameList& games = frontEnd.games();
    pick("mslug");
    ASSERT_TRUE(games.applyShowChoices(hiding(true, true, false, false)));
    EXPECT_EQ(shownNames(), QStringList({"ffight", "mslug", "alpham2", "pacland"}));
    EXPECT_EQ(selectedName(), "mslug"); // the selected game stays selected
    pick("alpham2");
    ASSERT_TRUE(games.applyShowChoices(hiding(true, true, true, false)));
    EXPECT_EQ(selectedName(), "pacland"); // a hidden one's row stays selected
    EXPECT_TRUE(games.applyDriverFilter("cps1 cps2").value());
    EXPECT_EQ(shownNames(), QStringList({"ffight"}));
    EXPECT_FALSE(games.applyDriverFilter("pacman").value()); // only a clone: nothing left
    EXPECT_EQ(games.driverFilter(), "cps1 cps2");
    EXPECT_FALSE(games.applyShowChoices(hiding(false, false, false, true))); // mslug is filtered
    EXPECT_EQ(shownNames(), QStringList({"ffight"}));

    // Favourites only: the last favourite unmarked switches it off alone.
    ASSERT_TRUE(games.applyDriverFilter("").value());
    loadWithFacts({"mslug", "sfa"});
    ASSERT_TRUE(games.applyShowChoices(hiding(true, false, false, true)));
    pick("mslug");
    ASSERT_TRUE(frontEnd.setFavourite(false).ok());
    EXPECT_EQ(shownNames(), QStringList({"sfa"}));
    ASSERT_TRUE(frontEnd.setFavourite(false).ok());
    EXPECT_EQ(games.showChoices(), hiding(true, false, false, false));
    EXPECT_EQ(shownNames().size(), 5);

    // Saved only when they differ from the defaults (the first start writes none).
    ASSERT_TRUE(games.applyShowChoices(hiding(true, false, false, false)));
    ASSERT_TRUE(frontEnd.saveSettings({}).ok());
    EXPECT_TRUE(
        readAll("coinslot.ini").endsWith("caseinsensitive = False\r\nshowclones = False\r\n"));
}

TEST_F(Catalogued, SearchTriesThePrefixThenTheSetNameThenTheWords) {
    loadWithFacts();
    GameList& games = frontEnd.games();
    // "text|selected": each step wins where the ones before find nothing.
    for (const QString c :
         {"alpha|alpham2", "final|ffight", "[sfa]|sfa", "SFA|sfa", " FFIGHT |ffight",
          "fighter alpha|sfa", "snk|mslug", "pacland|pacland", "[pac|pacland"}) {
        games.search(c.section('|', 0, 0));
        EXPECT_EQ(selectedName(), c.section('|', 1)) << c.toStdString();
    }
    // A set name still being typed is no miss, nor a text for the word step.
    EXPECT_TRUE(games.search("[pac"));
    EXPECT_FALSE(games.search("pac-land zzz"));
    ASSERT_TRUE(games.applyShowChoices(hiding(false, false, true, false)));
    games.search("snk"); // Metal Slug is hidden now
    EXPECT_EQ(selectedName(), "pacland");
}

TEST_F(Catalogued, InfoAddsTheFactsAndTheSnapshotAskingMameForItsFolderOnce) {
    folder.set("FAKEMAME_MODERN", "1");
    ASSERT_TRUE(frontEnd.loadCatalogue().ok());
    ASSERT_EQ(failureText(list()), "");
    const QString snap = folder.filePath("home/.mame/snap");
    ASSERT_TRUE(QDir().mkpath(snap + "/pacman"));
    writeAll(snap + "/pacman/0000.png", "png");
    writeAll(snap + "/galaga.png", "png");
    pick("pacman");
    const auto info = [this] { return resultAs<GameInfo>(run([this] { frontEnd.info(); })); };
    GameInfo shown = info();
    const qsizetype driver = shown.rows.indexOf(InfoRow{"Driver", "pacman"});
    ASSERT_GE(driver, 1);
    EXPECT_EQ(
        shown.rows.mid(driver + 1, 3),
        QList<InfoRow>(
            {{"Year", "1980"}, {"Manufacturer", "Namco (Midway license)"}, {"Status", "good"}}));
    EXPECT_TRUE(shown.withFacts);
    EXPECT_EQ(frontEnd.selectedGameInfo()->rows, shown.rows); // at once, for the details pane
    EXPECT_EQ(shown.picture, snap + "/pacman/0000.png");
    pick("galaga");
    EXPECT_EQ(info().picture, snap + "/galaga.png");
    pick("dkong");
    EXPECT_EQ(info().picture, "");
    EXPECT_EQ(runs().filter("-showconfig").size(), 1);

    // An old MAME's game: no facts, and MAME is not asked.
    loadDatabase(kSevenGames);
    shown = info();
    EXPECT_EQ(shown.rows.back().label, "Driver");
    EXPECT_FALSE(shown.withFacts);
    EXPECT_EQ(runs().filter("-showconfig").size(), 1);
}
