// What the window tells when something does not go as asked: why a game did
// not start, what the audit found, a search that matches nothing.
#include "WindowTestFixture.h"
#include "ui/SearchBox.h"

namespace {

class Feedback : public WindowTest {
  protected:
    Feedback() { loadDatabase(kSevenGames); }
};

} // namespace

TEST_F(Feedback, ASearchThatMatchesNothingSaysSoUntilItMatchesOrIsCleared) {
    auto* box = window.findChild<SearchBox*>("searchBox");
    const QColor normal = box->palette().color(QPalette::Text);
    box->setText("pac");
    ASSERT_EQ(selectedName(), "pacman");
    EXPECT_FALSE(box->showsNoMatch());
    box->setText("pacx");
    EXPECT_TRUE(box->showsNoMatch());
    EXPECT_NE(box->palette().color(QPalette::Text), normal);
    EXPECT_FALSE(box->toolTip().isEmpty());
    EXPECT_EQ(selectedName(), "pacman"); // a miss leaves the selection
    box->setText("[pacl");               // a set name still being typed is no miss yet
    EXPECT_FALSE(box->showsNoMatch());
    box->setText("[pacx]");
    EXPECT_TRUE(box->showsNoMatch());
    box->setText("");
    EXPECT_FALSE(box->showsNoMatch());
    EXPECT_EQ(box->palette().color(QPalette::Text), normal);
    EXPECT_TRUE(box->toolTip().isEmpty());

    box->setText("zz");
    ASSERT_TRUE(box->showsNoMatch());
    ASSERT_TRUE(frontEnd.games().replaceGames(frontEnd.games().games()).ok());
    EXPECT_FALSE(box->showsNoMatch()) << "a miss among the old games says nothing of the new";
}

TEST_F(Feedback, AGameThatDidNotRunSaysWhyInAPlayWarningOverTheWindowBroughtBack) {
    window.show();
    folder.set("FAKEMAME_PLAY_STATUS", "3");
    clickAndWait("playButton");
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, "MAME ended with status 3.");
    EXPECT_EQ(seam.messages[0].title, "Play");
    EXPECT_EQ(seam.messages[0].icon, DialogSeam::Icon::Warning);
    EXPECT_TRUE(seam.messages[0].ownerShown);
}
