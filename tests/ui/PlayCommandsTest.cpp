#include "FakeMame.h"
#include "launch/Platform.h"
#include "ui/frmMain.h"

#include <QDir>
#include <QFileInfo>
#include <QListView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Playing : public ::testing::Test {
  protected:
    Playing() {
        FakeMameFolder::RunForReal(seam);
        seam.window = &form;
        form.strMameExe = "mame";
        form.strMameCommand = MameCommandFor("mame");
        form.strMameIni = MameIniFor("mame");
        form.udtGames = {{"Astron Belt", "astron", "", "segald"},
                         {"Out Run (bootleg)", "outrunb", "outrun", "segaorun"}};
        form.ShowAllGames();
        form.show();
        form.setGeometry(100, 120, 520, 330);
        form.SelectGame(1);
    }

    QStringList Lines() const {
        QStringList lines;
        for (const auto& run : seam.runs)
            lines << run.commandLine;
        return lines;
    }

    FakeMameFolder folder;
    ScriptedSeam seam;
    frmMain form{seam};
};

const QString kPlayPrompt =
    "Enter additional command line options. Specifying an invalid option will cause MAME to "
    "exit prematurely.\r\n\r\neg. -window";

} // namespace

TEST_F(Playing, PlayHidesTheWindowRunsTheSetAndBringsEverythingBack) {
    const QRect before = form.geometry();
    form.cmdPlay_Click();
    ASSERT_EQ(seam.runs.size(), 1u);
    EXPECT_EQ(seam.runs[0].commandLine, "./mame outrunb");
    EXPECT_EQ(seam.runs[0].hideFlag, 0);
    EXPECT_FALSE(seam.runs[0].windowVisible);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.geometry(), before);
    EXPECT_EQ(form.SelectedIndex(), 1);
    EXPECT_EQ(folder.PlayLog(), QStringList({"outrunb"}));

    form.blnHideConsole = true;
    form.cmdPlay_Click();
    EXPECT_EQ(seam.runs[1].hideFlag, -1);
}

TEST_F(Playing, PlayWithOptionsRemembersTheAnswerButPlayNeverUsesIt) {
    seam.textAnswers = {QString("-window -nosound"), QString(""), QString("-inipath * > out.txt")};
    form.mnuListPlay_Click();
    EXPECT_EQ(seam.prompts[0].prompt, kPlayPrompt);
    EXPECT_EQ(seam.prompts[0].title, "Play...");
    EXPECT_EQ(form.strOptions, "-window -nosound");
    form.cmdPlay_Click();
    form.mnuListPlay_Click();
    EXPECT_EQ(seam.prompts[1].defaultText, "-window -nosound");
    EXPECT_EQ(Lines(), QStringList({"./mame outrunb -window -nosound", "./mame outrunb",
                                    "./mame outrunb "}));
    EXPECT_EQ(folder.PlayLog(), QStringList({"outrunb -window -nosound", "outrunb", "outrunb"}));

    // The options are the user's own shell text: a star and a redirection work.
    form.mnuListPlay_Click();
    EXPECT_EQ(seam.prompts[2].defaultText, "");
    EXPECT_EQ(folder.PlayLog().last(), "outrunb -inipath *");
    EXPECT_TRUE(QFile::exists("out.txt"));

    form.mnuListPlay_Click(); // Cancel
    EXPECT_EQ(seam.runs.size(), 4u);
    EXPECT_EQ(form.strOptions, "-inipath * > out.txt");
}

TEST_F(Playing, DoubleClickPlaysTheGameUnderItEvenWhilePlayIsDisabled) {
    form.strOptions = "-window";
    form.DisableGameCommands();
    const QRect item = form.lstGames->visualRect(form.lstGames->model()->index(0, 0));
    QTest::mouseDClick(form.lstGames->viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_EQ(Lines(), QStringList({"./mame astron"}));
}

TEST_F(Playing, NothingRunsWithoutASelectedGameOrForAHostileName) {
    form.SelectGame(-1);
    form.cmdPlay_Click();
    form.ReplaceShown({});
    QTest::mouseDClick(form.lstGames->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(seam.runs.empty());

    form.udtGames = {{"Evil", "x;touch hacked", "", "drv"}};
    form.ShowAllGames();
    form.SelectGame(0);
    form.cmdPlay_Click();
    EXPECT_TRUE(seam.runs.empty());
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(QFile::exists("hacked"));
}

TEST_F(Playing, MameCreatesItsIniOnlyWhenMissingAndAlwaysOpensIt) {
    form.cmdMame_Click();
    EXPECT_EQ(Lines(), QStringList({"./mame -createconfig"}));
    EXPECT_EQ(seam.runs[0].hideFlag, -1);
    EXPECT_TRUE(QFileInfo("mame.ini").isFile());
    form.cmdMame_Click();
    EXPECT_EQ(seam.runs.size(), 1u);
    EXPECT_EQ(seam.opened, std::vector<QString>({"mame.ini", "mame.ini"}));
}

TEST_F(Playing, GameInisAreOpenedBelowAnIniFolderMadeOnce) {
    form.cmdDriver_Click();
    form.cmdParent_Click();
    form.cmdSet_Click();
    EXPECT_EQ(seam.opened,
              std::vector<QString>({"ini/segaorun.ini", "ini/outrun.ini", "ini/outrunb.ini"}));
    EXPECT_TRUE(QFileInfo("ini").isDir());
    EXPECT_TRUE(QFileInfo("ini/outrun.ini").isFile());
    EXPECT_TRUE(seam.runs.empty());

    form.udtGames = {{"Evil", "evil", "", "../../etc/passwd"}};
    form.ShowAllGames();
    form.SelectGame(0);
    form.cmdDriver_Click();
    EXPECT_EQ(seam.opened.size(), 3u);
    EXPECT_EQ(seam.messages.size(), 1u);
}
