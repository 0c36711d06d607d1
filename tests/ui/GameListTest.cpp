#include "ScriptedSeam.h"
#include "text/TextFile.h"
#include "ui/frmMain.h"

#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

GameTable Games() {
    return {
        {"Final Fight (World)", "ffight", "", "cps1"},
        {"Final Fight (US)", "ffightu", "ffight", "cps1"},
        {"Metal Slug", "mslug", "", "neogeo"},
        {"Pac-Man (Midway)", "pacman", "puckman", "pacman"},
        {"PAC-LAND", "pacland", "", "pacland"},
        {"Street Fighter Alpha", "sfa", "", "cps2"},
        {"Final Fight (Japan)", "ffightj", "ffight", "cps1"},
    };
}

class GameList : public ::testing::Test {
  protected:
    GameList() {
        form.strDatFile = folder.path() + "/coinslot.dat";
        form.udtGames = Games();
        form.ShowAllGames();
        form.SelectGame(0);
    }

    QStringList ListTexts() const {
        QStringList texts;
        const QAbstractItemModel* model = form.lstGames->model();
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->index(row, 0).data().toString();
        return texts;
    }

    WorkingFolder folder;
    ScriptedSeam seam;
    frmMain form{seam};
};

} // namespace

TEST_F(GameList, TheListShowsTheShownTableItemForRecord) {
    EXPECT_EQ(ListTexts().size(), 7);
    EXPECT_EQ(ListTexts()[3], "Pac-Man (Midway)");
    EXPECT_EQ(form.windowTitle(), "MAME: Final Fight (World) [ffight]");
    EXPECT_FALSE(form.cmdParent->isEnabled());
    form.SelectGame(1);
    EXPECT_EQ(form.windowTitle(), "MAME: Final Fight (US) [ffightu]");
    EXPECT_TRUE(form.cmdParent->isEnabled());
    form.SelectGame(-1);
    EXPECT_EQ(form.windowTitle(), "MAME");
    EXPECT_FALSE(form.cmdParent->isEnabled());
}

TEST_F(GameList, TypingSearchesTheShownGamesAndAFailureLeavesTheSelection) {
    form.txtSearch->setText("pac");
    EXPECT_EQ(form.SelectedIndex(), 3);
    form.txtSearch->setText("pacx");
    EXPECT_EQ(form.SelectedIndex(), 3);
    form.txtSearch->setText("[sfa]");
    EXPECT_EQ(form.windowTitle(), "MAME: Street Fighter Alpha [sfa]");

    ASSERT_TRUE(form.ApplyDriverFilter("cps1"));
    form.txtSearch->setText("[mslug]"); // hidden by the filter
    EXPECT_EQ(form.SelectedIndex(), 0);
}

TEST_F(GameList, FocusOnTheSearchBoxSelectsItsTextHoweverItArrives) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.txtSearch->setText("metal");
    form.lstGames->setFocus();
    // A click would put the cursor in the text; the whole text is selected all the same.
    QTest::mouseClick(form.txtSearch, Qt::LeftButton, {}, QPoint(5, 5));
    for (int i = 0; i < 100 && form.txtSearch->selectedText().isEmpty(); ++i)
        QTest::qWait(10);
    EXPECT_TRUE(form.txtSearch->hasFocus());
    EXPECT_EQ(form.txtSearch->selectedText(), "metal");
}

TEST_F(GameList, FilterCommandAsksAgainUntilAMatchOrCancel) {
    const QString prompt =
        "Enter driver name(s). To specify multiple drivers seperate each with a space. Clear "
        "filter and click OK to reset.\r\n\r\neg. cps1 cps2, neogeo";
    form.SelectGame(2);
    seam.textAnswers = {QString("nosuchdriver"), QString("  CPS1   neogeo cps1 none ")};
    form.mnuListFilter_Click();
    ASSERT_EQ(seam.prompts.size(), 2u);
    EXPECT_EQ(seam.prompts[0].prompt, prompt);
    EXPECT_EQ(seam.prompts[0].title, "Filter");
    EXPECT_EQ(seam.prompts[0].defaultText, "");
    EXPECT_EQ(seam.prompts[1].defaultText, "nosuchdriver");
    EXPECT_EQ(form.strFilter, "cps1 neogeo");
    EXPECT_EQ(ListTexts(), QStringList({"Final Fight (World)", "Final Fight (US)", "Metal Slug",
                                        "Final Fight (Japan)"}));
    EXPECT_EQ(form.SelectedIndex(), 0);

    seam.textAnswers = {QString("nosuchdriver")}; // then Cancel
    form.SelectGame(2);
    form.mnuListFilter_Click();
    EXPECT_EQ(seam.prompts[2].defaultText, "cps1 neogeo");
    EXPECT_EQ(form.strFilter, "cps1 neogeo");
    EXPECT_EQ(form.SelectedIndex(), 2);
    EXPECT_EQ(ListTexts().size(), 4);

    seam.textAnswers = {QString("")};
    form.mnuListFilter_Click();
    EXPECT_EQ(form.strFilter, "");
    EXPECT_EQ(ListTexts().size(), 7);
}

TEST_F(GameList, AFilterOfTooManyWordsIsRefusedAndTheBoxReopens) {
    QString words;
    for (int i = 0; i < 257; ++i)
        words += " cps1";
    seam.textAnswers = {words};
    form.mnuListFilter_Click();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].title, "Filter");
    ASSERT_EQ(seam.prompts.size(), 2u);
    EXPECT_EQ(seam.prompts[1].defaultText, words);
    EXPECT_EQ(form.strFilter, "");
    EXPECT_EQ(ListTexts().size(), 7);
}

TEST_F(GameList, SaveDatabaseWritesTheTableAndReappliesTheFilter) {
    ASSERT_TRUE(form.ApplyDriverFilter("neogeo cps2"));
    form.udtGames.push_back({"Alpha Mission II", "alpham2", "", "neogeo"});
    ASSERT_EQ(form.SaveDatabase(), "");
    EXPECT_EQ(ReadLines(form.strDatFile)->size(), 8);
    EXPECT_EQ(ReadLines(form.strDatFile)->at(1), "Final Fight (US)|ffightu|ffight|cps1");
    EXPECT_EQ(ListTexts(), QStringList({"Metal Slug", "Street Fighter Alpha", "Alpha Mission II"}));
    EXPECT_EQ(form.strFilter, "cps2 neogeo");

    form.udtGames = {{"Pac-Man (Midway)", "pacman", "puckman", "pacman"}};
    ASSERT_EQ(form.SaveDatabase(), "");
    EXPECT_EQ(form.strFilter, ""); // matches nothing any more: all games
    EXPECT_EQ(ListTexts(), QStringList({"Pac-Man (Midway)"}));
    EXPECT_EQ(form.SelectedIndex(), 0);
    EXPECT_TRUE(form.cmdParent->isEnabled());
}

TEST_F(GameList, InfoShowsTheSelectedGamesFamily) {
    form.mnuListInfo_Click();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].title, "Info");
    EXPECT_EQ(seam.messages[0].text, "Final Fight (World)\r\n\r\nSet\tffight\r\nClones\tffightu\r\n"
                                     "\tffightj\r\nDriver\tcps1");
}
