// SPDX-License-Identifier: GPL-2.0-or-later
// List's and Audit's one commit point: the store commits only after the
// database file was replaced, so that the facts it holds always go with the
// file beside it, whether the command was cancelled, the disk was full or the
// file was replaced behind the program's back.
#include "FrontEndFixture.h"
#include "OutcomeText.h"
#include "catalogue/Catalogue.h"

#include <QDir>

namespace {

class CommitPoint : public FrontEndFixture {
  protected:
    CommitPoint() {
        folder.set("HOME", folder.filePath("home"));
        EXPECT_TRUE(frontEnd.loadCatalogue().ok());
    }
    // The next List asks a MAME of that generation (learnt again).
    void useMame(bool current) {
        folder.set("FAKEMAME_MODERN", current ? "1" : "");
        frontEnd.setMameExecutable("mame");
    }
    // What the store holds now, read as the next start reads it.
    static CatalogueContents stored() { return valueOf(Catalogue("coinslot.sqlite").open()); }
    static std::optional<MachineFacts> storedFacts(const QString& set) {
        Catalogue store("coinslot.sqlite");
        (void)store.open();
        return store.facts(set);
    }
    // The database file and the store agree: the store's stamp is the file's.
    static bool agree() { return stored().stamp == stampOf("coinslot.dat"); }
};

} // namespace

TEST_F(CommitPoint, CancelWhileSortingChangesNeitherTheDatabaseNorTheStore) {
    const auto cancelWhenSorting = [this] {
        return QObject::connect(&frontEnd, &FrontEnd::progressChanged, &frontEnd,
                                [this](const QString& text) {
                                    if (text.startsWith("Sorting"))
                                        frontEnd.cancel();
                                });
    };
    // Each generation's List is cancelled over the other's list: an old MAME's
    // would empty the facts, a current one's would bring them.
    for (const bool current : {false, true}) {
        useMame(!current);
        ASSERT_EQ(failureText(list()), "");
        const QByteArray before = readAll("coinslot.dat");
        const CatalogueContents kept = stored();
        useMame(current);
        const auto cancel = cancelWhenSorting();
        const Outcome<JobResult> outcome = list();
        QObject::disconnect(cancel);
        EXPECT_TRUE(outcome.cancelled()) << failureText(outcome).toStdString();
        EXPECT_EQ(readAll("coinslot.dat"), before);
        EXPECT_EQ(stored().machines, kept.machines);
        EXPECT_EQ(storedFacts("pacman").has_value(), current == false);
        EXPECT_TRUE(agree());
        EXPECT_EQ(frontEnd.games().hasMachineFacts(), !current);
    }
}

TEST_F(CommitPoint, ADatabaseThatCannotBeWrittenLeavesTheStoreAsItWas) {
    // A folder in the database file's place: its write fails as on a full
    // disk, after the listing was read and sorted.
    ASSERT_TRUE(QDir().mkdir("coinslot.dat"));
    const DatabaseStamp before = stampOf("coinslot.dat");
    useMame(true);
    const Outcome<JobResult> outcome = list();
    EXPECT_TRUE(failsWith(outcome, "The database could not be written to coinslot.dat: "));
    EXPECT_TRUE(outcome.failure().endsWith("\n\nThe database was not changed."));
    EXPECT_EQ(storedFacts("pacman"), std::nullopt);
    EXPECT_EQ(stored().stamp, std::nullopt);
    EXPECT_EQ(stampOf("coinslot.dat"), before);
}

TEST_F(CommitPoint, FactsOfAnotherDatabaseCountAsMissingButTheFavouritesStay) {
    useMame(true);
    ASSERT_EQ(failureText(list()), "");
    frontEnd.games().search("[pacman]");
    ASSERT_TRUE(frontEnd.setFavourite(true).ok());
    ASSERT_EQ(failureText(audit()), "");
    // The audited list and its facts go together at the next start.
    const auto restart = [this] {
        auto next = std::make_unique<FrontEnd>(runner);
        next->setProgramName("coinslot");
        next->configure(frontEnd.settings());
        EXPECT_TRUE(next->loadDatabase().ok());
        EXPECT_EQ(failureText(next->loadCatalogue()), ""); // no word of it
        next->games().search("[pacman]");
        return next;
    };
    // Whether Info tells the selected game's manufacturer, which only the facts know.
    const auto infoHasFacts = [](const FrontEnd& from) {
        const QList<InfoRow> rows = from.selectedGameInfo().value().rows;
        return std::any_of(rows.begin(), rows.end(),
                           [](const InfoRow& row) { return row.label == "Manufacturer"; });
    };
    {
        const auto next = restart();
        EXPECT_TRUE(next->games().hasMachineFacts());
        EXPECT_TRUE(infoHasFacts(*next));
    }
    // The file replaced behind the program's back (or a List killed between
    // the file and the store): the favourite stays, the facts are missing.
    QByteArray other = readAll("coinslot.dat");
    other.replace("Pac-Man", "Puck-Man");
    writeAll("coinslot.dat", other);
    const auto next = restart();
    EXPECT_FALSE(next->games().hasMachineFacts());
    const GameList& games = next->games();
    EXPECT_TRUE(games.isFavourite(games.shownRows()[games.selectedRow()]));
    EXPECT_FALSE(infoHasFacts(*next));
}
