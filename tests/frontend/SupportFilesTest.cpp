// SPDX-License-Identifier: GPL-2.0-or-later
// MAME's support files through the front end: List keeps the categories and
// the history index in the store, the narrowing choices work on them with the
// driver filter and are remembered, and a file changed is read again.
#include "frontend/SupportFiles.h"
#include "FrontEndFixture.h"
#include "OutcomeText.h"

#include <QDir>

void PrintTo(const CountedValue& value, std::ostream* os) {
    *os << '"' << value.name.toStdString() << "\" " << value.count << '/' << value.matureCount;
}

namespace {

const QString kFixtures = QStringLiteral(COINSLOT_FIXTURES "/support");

class SupportFiles : public FrontEndFixture {
  protected:
    SupportFiles() {
        folder.set("HOME", folder.filePath("home")); // no ui.ini: MAME's default folders
        folder.set("FAKEMAME_MODERN", "1");
        // In the working folder, where MAME's defaults look.
        for (const char* file : {"folders/catver.ini", "folders/Category.ini", "folders/Mature.ini",
                                 "history/history.xml"}) {
            QDir().mkpath(QFileInfo(file).path());
            QFile::copy(kFixtures + "/" + file, file);
            QFile(file).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        }
    }
    void listWithCatalogue() {
        ASSERT_EQ(failureText(frontEnd.loadCatalogue()), "");
        ASSERT_EQ(failureText(list()), "");
    }
    QString history(const QString& set, const QString& parent = {}) {
        return historyText(frontEnd.catalogue(), set, parent).value_or("<none>");
    }
};

} // namespace

TEST_F(SupportFiles, ListKeepsThemAndTheChoicesNarrowWithTheFilterAndAreRemembered) {
    listWithCatalogue();
    EXPECT_EQ(frontEnd.catalogue().categories().value("pacmanfm").mature, true);
    EXPECT_EQ(history("pacman", "puckman"), history("puckman")); // the parent's
    EXPECT_TRUE(history("puckman").startsWith("Puck Man (c) 1980 Namco."));
    EXPECT_EQ(history("dkong"), "<none>");

    // "1980s Namco maze games", as the dialogs would answer.
    GameList& games = frontEnd.games();
    const NarrowOffer makers = games.narrowOffer(NarrowKind::Maker);
    ShowChoices wanted = games.showChoices();
    for (const CountedValue& value : makers.values) {
        if (value.name.startsWith("Namco"))
            wanted.makers.append(value.name);
    }
    wanted.yearFrom = 1980;
    wanted.yearTo = 1989;
    wanted.unknownYears = false;
    wanted.categories = {"Maze / Collect"};
    ASSERT_TRUE(games.applyShowChoices(wanted));
    EXPECT_EQ(shownNames(), QStringList({"galagao", "pacman", "puckman", "puckmod"}));
    // The other choices and the filter count in the offer and the list alike.
    EXPECT_EQ(games.narrowOffer(NarrowKind::Category).values,
              (std::vector<CountedValue>{
                  {"", 13, 0}, {"Maze / Collect", 4, 0}, {"Shooter / Flying Vertical", 3, 1}}));
    EXPECT_TRUE(games.applyDriverFilter("pacman").value());
    EXPECT_EQ(shownNames(), QStringList({"pacman", "puckman", "puckmod"}));
    ASSERT_TRUE(games.applyShowChoices([&] {
        ShowChoices clones = games.showChoices();
        clones.clones = false;
        return clones;
    }()));
    EXPECT_EQ(shownNames(), QStringList{"puckman"});
    ShowChoices nothing = games.showChoices();
    nothing.mature = false;
    nothing.categories = {"Shooter / Flying Vertical"}; // Galaga's: not of this driver
    EXPECT_FALSE(games.applyShowChoices(nothing));
    EXPECT_EQ(shownNames(), QStringList{"puckman"});

    // Written only while they hide something, and read back at the next start.
    ASSERT_TRUE(frontEnd.saveSettings({}).ok());
    const QByteArray ini = readAll("coinslot.ini");
    EXPECT_TRUE(ini.contains("\r\nmanufacturers = Namco|Namco (Midway license)|Namco (Sonic "
                             "license)\r\nyearfrom = 1980\r\nyearto = 1989\r\nunknownyears = "
                             "False\r\ncategories = Maze / Collect\r\n"))
        << ini.toStdString();
    EXPECT_FALSE(ini.contains("showmature"));
    FrontEnd next(runner);
    next.setProgramName("coinslot");
    next.configure(frontEnd.settings());
    EXPECT_EQ(next.savedShowChoices(), games.showChoices());
    ASSERT_TRUE(next.loadCatalogue().ok());
    ASSERT_TRUE(next.loadDatabase().ok());
    EXPECT_EQ(next.games().shownRows().size(), 1);
    ASSERT_TRUE(games.applyShowChoices({}));
    ASSERT_TRUE(frontEnd.saveSettings({}).ok());
    EXPECT_FALSE(readAll("coinslot.ini").contains("year"));
}

TEST_F(SupportFiles, AFileChangedOrGoneIsReadAgainAndOnlyThen) {
    listWithCatalogue();
    const QString store = frontEnd.catalogue().path();
    EXPECT_FALSE(refreshKeptSupportFiles(store).categoriesChanged);
    EXPECT_FALSE(refreshKeptSupportFiles(store).historyChanged);

    // A history file that changed is not read through the old index.
    QFile history("history/history.xml");
    ASSERT_TRUE(history.open(QIODevice::Append));
    history.write("<!-- more -->\n");
    history.close();
    EXPECT_EQ(this->history("galaga"), "<none>");
    const SupportRefresh refreshed = refreshKeptSupportFiles(store);
    EXPECT_TRUE(refreshed.historyChanged);
    EXPECT_FALSE(refreshed.categoriesChanged);
    EXPECT_EQ(this->history("galaga"), "Galaga (c) 1981 Namco.");

    writeAll("folders/catver.ini", "[Category]\ngalaga=Shooter / Gallery\n");
    EXPECT_TRUE(refreshKeptSupportFiles(store).categoriesChanged);
    EXPECT_EQ(frontEnd.catalogue().categories().value("galaga").category, "Shooter / Gallery");
    ASSERT_TRUE(QFile::remove("folders/Category.ini"));
    EXPECT_TRUE(refreshKeptSupportFiles(store).categoriesChanged);
    EXPECT_FALSE(frontEnd.catalogue().categories().contains("galagao"));
    frontEnd.games().categoriesChanged(); // what the front end does after a refresh
    EXPECT_TRUE(frontEnd.games().narrowColumns().anyCategories);
    // A new file in a folder searched counts too.
    writeAll("folders/mature.ini", "[Mature]\ngalaga\n");
    EXPECT_TRUE(refreshKeptSupportFiles(store).categoriesChanged);
    EXPECT_TRUE(frontEnd.catalogue().categories().value("galaga").mature);
}

TEST_F(SupportFiles, InfoGivesTheHistoryAndEachKindOfArtworkOfTheSetOrItsParent) {
    listWithCatalogue();
    ASSERT_TRUE(QDir().mkpath("flyers") && QDir().mkpath("home/.mame"));
    ASSERT_TRUE(QFile::copy(kFixtures + "/snap.zip", "home/.mame/snap.zip"));
    ASSERT_TRUE(QFile::copy(kFixtures + "/red.png", "flyers/puckman.png"));
    frontEnd.games().search("[pacman]");
    const GameInfo info = resultAs<GameInfo>(run([this] { frontEnd.info(); }));
    EXPECT_TRUE(info.history.startsWith("Puck Man (c) 1980 Namco.\n")); // the parent's
    const QList<InfoPicture> expected = {
        {"Snapshot", folder.filePath("home/.mame/snap.zip"), "puckman.jpg", true},
        {"Flyer", folder.filePath("flyers/puckman.png"), "", false}};
    EXPECT_EQ(info.artwork, expected);
    EXPECT_EQ(info.picture, ""); // the plain box's snapshot is a file of the set's own
    frontEnd.games().search("[dkong]");
    const GameInfo none = resultAs<GameInfo>(run([this] { frontEnd.info(); }));
    EXPECT_EQ(none.history, "");
    EXPECT_TRUE(none.artwork.isEmpty());
}
