// The search box's cue for a search that matches nothing.
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
