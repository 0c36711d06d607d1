// SPDX-License-Identifier: GPL-2.0-or-later
// The suggestions on their thread: the newest request answered, the index
// following the games and their facts; and the first suggestions with the
// MAME installed on this machine, when there is one.
#include "frontend/GameSuggestions.h"
#include "FrontEndFixture.h"
#include "OutcomeText.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

class GameSuggestionsTest : public FrontEndFixture {
  protected:
    // The answers that came, as "text: name name ...".
    QStringList answers;
    GameSuggestions suggestions{frontEnd.games()};

    void SetUp() override {
        QObject::connect(&suggestions, &GameSuggestions::ready,
                         [this](const QString& text, const QList<Suggestion>& found) {
                             QStringList names;
                             for (const Suggestion& suggestion : found) {
                                 names.append(frontEnd.games().games()[suggestion.position].name());
                             }
                             answers.append(text + ": " + names.join(' '));
                         });
    }
    // The answer to `text`, waited for.
    QString ask(const QString& text) {
        const qsizetype before = answers.size();
        suggestions.request(text);
        return waitUntil([&] { return answers.size() > before; }, 20) ? answers.back()
                                                                      : "<no answer>";
    }
};

} // namespace

TEST_F(GameSuggestionsTest, OnlyTheNewestRequestIsAnsweredAndTheIndexFollowsTheGames) {
    loadDatabase(kSevenGames);
    suggestions.prepare(); // the index alone: no answer
    EXPECT_EQ(ask("metal slgu"), "metal slgu: mslug");
    suggestions.request("pac");
    suggestions.request("alpha");
    suggestions.request("[pacman]"); // a set name: no suggestions, and no older answer
    suggestions.request("");
    QThread::msleep(200);
    QCoreApplication::processEvents();
    EXPECT_EQ(answers.size(), 1) << answers.join(" / ").toStdString();
    suggestions.request("pac");
    EXPECT_EQ(ask("alpha"), "alpha: alpham2 sfa");
    EXPECT_EQ(answers.size(), 2) << "the request replaced was answered";

    GameTable games = frontEnd.games().games();
    games.push_back({"Alpha One", "alpha1", "", "x"});
    ASSERT_TRUE(frontEnd.games().replaceGames(games).ok());
    EXPECT_EQ(ask("alpha"), "alpha: alpham2 alpha1 sfa");
    // Only shown games.
    ASSERT_TRUE(valueOf(frontEnd.games().applyDriverFilter("neogeo")));
    EXPECT_EQ(ask("alpha"), "alpha: alpham2");
}

TEST_F(GameSuggestionsTest, SuggestionsCarryTheFactsAndTheFavourites) {
    folder.set("FAKEMAME_MODERN", "1");
    ASSERT_TRUE(frontEnd.loadCatalogue().ok());
    ASSERT_TRUE(list().ok());
    // Among the titles "Galaga": the parent, then the clones in list order;
    // then the descriptions that start so: parents, then later years.
    ASSERT_EQ(ask("galaga"), "galaga: galaga galagamf galagamw galagamk galagao galaga88 "
                             "galaga88a galaga88j galaga3a galaga3");
    const qsizetype row = frontEnd.games().rowOfGame(static_cast<qint32>(
        std::find_if(frontEnd.games().games().begin(), frontEnd.games().games().end(),
                     [](const GameRecord& game) { return game.name() == "galaga3m"; }) -
        frontEnd.games().games().begin()));
    frontEnd.games().select(row);
    ASSERT_TRUE(frontEnd.setFavourite(true).ok());
    QList<Suggestion> found;
    const auto connection =
        QObject::connect(&suggestions, &GameSuggestions::ready,
                         [&](const QString&, const QList<Suggestion>& answer) { found = answer; });
    ask("galaga 3");
    QObject::disconnect(connection);
    ASSERT_FALSE(found.isEmpty());
    EXPECT_EQ(found[0], (Suggestion{found[0].position, "Galaga 3 (set 5)", "1984", "Namco", true}))
        << "the favourite rises among its equals";
}

// The first suggestion for each text of the table, with the MAME installed
// here (its list is made once, by one List).
TEST_F(GameSuggestionsTest, TheRealMameListGivesTheExpectedFirstSuggestions) {
    QString mame = QStringLiteral("/usr/games/mame");
    if (!QFileInfo(mame).isExecutable())
        mame = QStandardPaths::findExecutable(QStringLiteral("mame"));
    if (mame.isEmpty())
        GTEST_SKIP() << "no MAME is installed here (/usr/games/mame or mame on PATH)";
    frontEnd.setMameExecutable(mame);
    ASSERT_TRUE(frontEnd.loadCatalogue().ok());
    const Outcome<JobResult> built = run([this] { frontEnd.list(); }, 600);
    ASSERT_TRUE(built.ok()) << built.failure();
    const struct {
        const char* text;
        const char* first;
    } table[] = {
        {"pacman", "Pac-Man (Midway) [pacman]"},
        {"pac-man", "Pac-Man (Midway) [pacman]"},
        {"galaga", "Galaga (Namco rev. B) [galaga]"},
        {"galagga", "Galaga (Namco rev. B) [galaga]"},
        {"donkey kong", "Donkey Kong (US set 1) [dkong]"},
        {"donky kong", "Donkey Kong (US set 1) [dkong]"},
        {"street fighter ii", "Street Fighter II: The World Warrior (World 910522) [sf2]"},
        {"rally-x", "Rally X (32k Ver.?) [rallyx]"},
        {"puzzle bobble", "Puzzle Bobble (Japan, B-System) [pbobble]"},
        {"metal slug", "Metal Slug - Super Vehicle-001 [mslug]"},
    };
    for (const auto& row : table) {
        QList<Suggestion> found;
        const auto connection = QObject::connect(
            &suggestions, &GameSuggestions::ready,
            [&](const QString&, const QList<Suggestion>& answer) { found = answer; });
        ask(row.text);
        QObject::disconnect(connection);
        ASSERT_FALSE(found.isEmpty()) << row.text;
        const GameRecord first = frontEnd.games().games()[found[0].position];
        EXPECT_EQ(first.description() + " [" + first.name() + "]", row.first) << row.text;
    }
}
