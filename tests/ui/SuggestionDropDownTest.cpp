// SPDX-License-Identifier: GPL-2.0-or-later
// The suggestions under the search box: keys, clicks, and what closes them;
// the search box's word on games hidden by Show or the filter.
#include "ui/SuggestionDropDown.h"
#include "OutcomeText.h"
#include "WindowTestFixture.h"
#include "ui/SearchBox.h"

#include <QTest>

namespace {

class DropDown : public WindowTest {
  protected:
    void SetUp() override {
        loadDatabase(kSevenGames);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        searchBox()->setFocus();
    }
    SuggestionDropDown* dropDown() { return window.findChild<SuggestionDropDown*>("suggestions"); }
    // Types `text` into the emptied box and waits for the suggestions; their
    // set names.
    QString type(const QString& text) {
        searchBox()->clear();
        QTest::keyClicks(searchBox(), text);
        if (!waitUntil([&] { return dropDown()->text() == searchBox()->text(); }, 10))
            return "<no answer>";
        if (!dropDown()->isVisible())
            return "<closed>";
        QStringList names;
        for (const Suggestion& suggestion : dropDown()->suggestions())
            names.append(frontEnd.games().games()[suggestion.position].name());
        return names.join(' ');
    }
    void key(Qt::Key key) { QTest::keyClick(searchBox(), key); }
    int highlighted() { return dropDown()->highlightedRow(); }
};

} // namespace

TEST_F(DropDown, KeysMoveThroughTheSuggestionsAndEnterChoosesWithoutPlaying) {
    ASSERT_EQ(type("fi"), "ffight ffightu sfa");
    EXPECT_EQ(selectedName(), "ffight") << "the box's own search still selects";
    EXPECT_TRUE(searchBox()->hasFocus());
    key(Qt::Key_Down);
    EXPECT_EQ(highlighted(), 0);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(highlighted(), 2) << "Down stops at the last";
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    EXPECT_EQ(highlighted(), 0);
    key(Qt::Key_Up);
    EXPECT_EQ(highlighted(), -1) << "Up from the first goes back to the box";
    key(Qt::Key_PageDown);
    EXPECT_EQ(highlighted(), 2);
    key(Qt::Key_PageUp);
    EXPECT_EQ(highlighted(), 0);
    key(Qt::Key_Down);
    EXPECT_TRUE(searchBox()->hasFocus()) << "the keys never leave the box";
    ASSERT_TRUE(dropDown()->isVisible());

    key(Qt::Key_Return);
    EXPECT_FALSE(dropDown()->isVisible());
    EXPECT_EQ(window.windowTitle(), "MAME: Final Fight (US) [ffightu]");
    EXPECT_TRUE(button("parentButton")->isEnabled());
    EXPECT_EQ(gameList()->selectedRow(), 1);
    EXPECT_TRUE(searchBox()->hasFocus());
    EXPECT_EQ(searchBox()->text(), "fi");
    QTest::qWait(100);
    EXPECT_TRUE(runs().isEmpty()) << "Enter chose, and played nothing";
    key(Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return !frontEnd.busy() && folder.playLog().size() == 1; }));
    EXPECT_EQ(folder.playLog(), QStringList({"ffightu"})) << "the next Enter plays the choice";
}

TEST_F(DropDown, EscapeClosesAndEnterPlaysAgainWhileItIsClosed) {
    ASSERT_EQ(type("pac"), "pacland pacman");
    key(Qt::Key_Escape);
    EXPECT_FALSE(dropDown()->isVisible());
    key(Qt::Key_Down); // opens it again, on the first
    ASSERT_TRUE(dropDown()->isVisible());
    EXPECT_EQ(highlighted(), 0);
    key(Qt::Key_Escape);
    key(Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return !frontEnd.busy() && folder.playLog().size() == 1; }));
    EXPECT_EQ(folder.playLog(), QStringList({"pacman"}));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    searchBox()->setFocus();

    // Enter with none highlighted takes the first; it never plays while open.
    ASSERT_EQ(type("lan"), "pacland");
    key(Qt::Key_Return);
    EXPECT_EQ(selectedName(), "pacland");
    QTest::qWait(100);
    EXPECT_EQ(runs().size(), 1);
}

TEST_F(DropDown, AClickChoosesAndEmptyTextsSetNamesOrClicksElsewhereClose) {
    ASSERT_EQ(type("alpha"), "alpham2 sfa");
    const int rowHeight = dropDown()->height() / 2;
    QTest::mouseMove(dropDown(), QPoint(10, rowHeight * 3 / 2));
    EXPECT_EQ(highlighted(), 1) << "the pointer highlights";
    QTest::mouseClick(dropDown(), Qt::LeftButton, {}, QPoint(10, rowHeight * 3 / 2));
    EXPECT_EQ(selectedName(), "sfa");
    EXPECT_FALSE(dropDown()->isVisible());
    EXPECT_TRUE(searchBox()->hasFocus());

    ASSERT_EQ(type("alpha m"), "alpham2");
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(3, 3)); // beside the list
    EXPECT_TRUE(searchBox()->hasFocus());
    EXPECT_FALSE(dropDown()->isVisible()) << "a click elsewhere";
    searchBox()->setFocus();
    ASSERT_EQ(type("alpha me"), "<closed>") << "no game holds both words";

    ASSERT_EQ(type("metal"), "mslug");
    searchBox()->clear();
    EXPECT_FALSE(dropDown()->isVisible()) << "the text emptied";
    ASSERT_EQ(type("metal"), "mslug");
    searchBox()->setText("[mslug]");
    EXPECT_FALSE(dropDown()->isVisible()) << "a set name";
    ASSERT_EQ(type("metal"), "mslug");
    window.setFocus(); // the box loses the focus
    EXPECT_FALSE(dropDown()->isVisible());
    searchBox()->setFocus();
    ASSERT_EQ(type("metal"), "mslug");
    ASSERT_TRUE(valueOf(frontEnd.games().applyDriverFilter("cps1")));
    EXPECT_FALSE(dropDown()->isVisible()) << "the shown games changed";
}

TEST_F(DropDown, TheNoMatchTooltipCountsTheGamesThatShowOrTheFilterHide) {
    auto* box = window.findChild<SearchBox*>("searchBox");
    box->setText("[ffightu]");
    EXPECT_FALSE(box->showsNoMatch());
    ASSERT_TRUE(frontEnd.applyShowChoices({false, true, true, true, false})); // no clones
    box->setText("[ffightu");
    box->setText("[ffightu]");
    EXPECT_TRUE(box->showsNoMatch());
    EXPECT_EQ(box->toolTip(),
              "No shown game matches this text; 1 game hidden by Show or the filter does.");
    ASSERT_TRUE(frontEnd.applyShowChoices({}));
    ASSERT_TRUE(valueOf(frontEnd.games().applyDriverFilter("cps2")));
    // The prefix, the set name and the words each count.
    for (const QString c : {"final|2 games", "FINAL FIGHT (|2 games", "alpha mission|1 game",
                            "ffightu|1 game", "mission ii|1 game"}) {
        box->setText(c.section('|', 0, 0));
        EXPECT_EQ(box->toolTip(), "No shown game matches this text; " + c.section('|', 1) +
                                      " hidden by Show or the filter " +
                                      (c.endsWith("games") ? "do." : "does."))
            << c;
    }
    box->setText("zz");
    EXPECT_EQ(box->toolTip(), "No game matches this text.");
}
