// SPDX-License-Identifier: GPL-2.0-or-later
// List with a new MAME build (the fake MAME's second build of its listing):
// what changed, in the message, its details and coinslot-changes.txt; the
// user's favourites and plays following a renamed set; nothing written when
// the List fails or is cancelled.
#include "FrontEndFixture.h"
#include "OutcomeText.h"
#include "text/TextFile.h"

namespace {

class NewBuild : public FrontEndFixture {
  protected:
    NewBuild() {
        folder.set("FAKEMAME_MODERN", "1");
        folder.set("HOME", folder.filePath("home"));
    }
    void SetUp() override { ASSERT_EQ(failureText(frontEnd.loadCatalogue()), ""); }

    void favour(const QString& name) {
        frontEnd.games().search("[" + name + "]");
        ASSERT_EQ(selectedName(), name);
        ASSERT_TRUE(frontEnd.setFavourite(true).ok());
    }
    bool isFavourite(const QString& name) {
        frontEnd.games().search("[" + name + "]");
        return selectedName() == name &&
               frontEnd.games().isFavourite(
                   frontEnd.games().shownRows()[frontEnd.games().selectedRow()]);
    }
};

const QStringList kChanges = {
    "MAME 0.252 changed 5 machines.",
    "Builds compared: 0.251 (unknown) \u2192 0.252 (unknown)",
    "",
    "Added: 1",
    "  Pac-Man (new set) [pacmanzz]",
    "Removed: 1",
    "  Ms. Pac-Man (Impeuropex bootleg) [mspacmanbi]",
    "Renamed: 1",
    "  puckmanb \u2192 puckmanbl  Puck Man (bootleg set 1)",
    "Now working: 1",
    "  Pac-Man (Calfesa, Spanish bootleg on Galaxian hardware) [pacmanblc]",
    "No longer working: 0",
    "ROMs changed: 1",
    "  New HyperMan (3-in-1 with Cookie & Bibi & HyperMan) (set 1) [3in1semi]",
    "",
    "Favourites no longer in MAME: mspacmanbi",
};

} // namespace

TEST_F(NewBuild, ListSaysWhatTheNewBuildChangedAndFavouritesFollowARename) {
    // The first List of all says nothing.
    ASSERT_EQ(failureText(list()), "");
    EXPECT_EQ(resultAs<ListDone>(list()).changes, "");
    favour("puckmanb");
    favour("mspacmanbi");
    frontEnd.games().search("[puckmanb]");
    ASSERT_EQ(failureText(run([this] { frontEnd.play(std::nullopt); })), "");

    folder.set("FAKEMAME_BUILD", "0.252");
    const ListDone listed = resultAs<ListDone>(list());
    const QString path = QDir::toNativeSeparators(folder.filePath("coinslot-changes.txt"));
    EXPECT_EQ(listed.changes, "MAME 0.252 changed 5 machines.");
    EXPECT_EQ(listed.changesSaved, "The report was saved in " + path + ".");
    EXPECT_EQ(listed.changesReport, kChanges);
    EXPECT_EQ(readLines("coinslot-changes.txt"), kChanges);

    // The favourite and the play follow the rename; the removed set's
    // favourite stays in the store.
    EXPECT_TRUE(isFavourite("puckmanbl"));
    EXPECT_EQ(frontEnd.catalogue().plays("puckmanbl").count, 1);
    EXPECT_EQ(frontEnd.catalogue().plays("puckmanb").count, 0);
    Catalogue reopened("coinslot.sqlite");
    const Outcome<CatalogueContents> contents = reopened.open();
    ASSERT_TRUE(contents.ok());
    EXPECT_EQ(contents.value().favourites, QSet<QString>({"puckmanbl", "mspacmanbi"}));

    // The same build again says nothing; the old one again compares back.
    EXPECT_EQ(resultAs<ListDone>(list()).changes, "");
    folder.set("FAKEMAME_BUILD", "");
    const ListDone back = resultAs<ListDone>(list());
    EXPECT_EQ(back.changes, "MAME 0.251 changed 5 machines.");
    EXPECT_TRUE(back.changesReport.join('\n').contains("  puckmanbl \u2192 puckmanb  "))
        << back.changesReport.join('\n').toStdString();
    EXPECT_TRUE(isFavourite("puckmanb"));
}

TEST_F(NewBuild, AFailedOrCancelledListWritesNothingAndAnOldMameEndsTheComparison) {
    ASSERT_EQ(failureText(list()), "");
    favour("puckmanb");
    const QByteArray database = readAll("coinslot.dat");

    folder.set("FAKEMAME_BUILD", "0.252");
    folder.set("FAKEMAME_CRASH", "5000");
    EXPECT_FALSE(list().ok());
    folder.set("FAKEMAME_CRASH", "");
    folder.set("FAKEMAME_SLEEP", "30");
    EXPECT_TRUE(runCancelled([this] { frontEnd.list(); }).cancelled());
    folder.set("FAKEMAME_SLEEP", "");
    EXPECT_FALSE(QFile::exists("coinslot-changes.txt"));
    EXPECT_EQ(readAll("coinslot.dat"), database);
    EXPECT_TRUE(isFavourite("puckmanb"));
    // The store still describes the old build: the change is found now.
    EXPECT_EQ(resultAs<ListDone>(list()).changes, "MAME 0.252 changed 5 machines.");

    // After an old MAME there is nothing to compare with.
    folder.set("FAKEMAME_MODERN", "");
    ASSERT_TRUE(QFile::remove("mame") && QFile::copy(COINSLOT_FAKEMAME, "mame"));
    ASSERT_EQ(failureText(list()), "");
    folder.set("FAKEMAME_MODERN", "1");
    folder.set("FAKEMAME_BUILD", "");
    ASSERT_TRUE(QFile::remove("mame") && QFile::copy(COINSLOT_FAKEMAME, "mame"));
    EXPECT_EQ(resultAs<ListDone>(list()).changes, "");
}
