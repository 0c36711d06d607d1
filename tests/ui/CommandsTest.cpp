// SPDX-License-Identifier: GPL-2.0-or-later
// The window's commands end to end: what they ask, show, run and open; and
// the search box's cue for a search that matches nothing.
#include "WindowTestFixture.h"
#include "ui/SearchBox.h"

#include <QTest>

namespace {

class Commands : public WindowTest {
  protected:
    Commands() { loadDatabase(kSevenGames); }
};

const QString kFilterPrompt =
    "Enter driver name(s). To specify multiple drivers separate each with a space. Clear filter "
    "and click OK to reset.\n\neg. cps1 cps2, neogeo";

} // namespace

TEST_F(Commands, FilterAsksAgainUntilAMatchOrCancelAndInfoTellsTheFamily) {
    seam.textAnswers = {QString("nosuchdriver"), QString(" NEOGEO  cps1 neogeo")};
    item("filterItem")->trigger();
    ASSERT_EQ(seam.prompts.size(), 2u);
    EXPECT_EQ(seam.prompts[0].prompt, kFilterPrompt);
    EXPECT_EQ(seam.prompts[0].title, "Filter");
    EXPECT_EQ(seam.prompts[1].defaultText, "nosuchdriver");
    EXPECT_EQ(shownNames(), QStringList({"ffight", "ffightu", "mslug", "alpham2"}));
    EXPECT_EQ(gameList()->model()->rowCount(), 4);

    const QString words = QString("w ").repeated(257);
    seam.textAnswers = {words}; // then Cancel
    item("filterItem")->trigger();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].title, "Filter");
    EXPECT_EQ(seam.prompts.back().defaultText, words);
    EXPECT_EQ(frontEnd.games().driverFilter(), "cps1 neogeo");

    item("infoItem")->trigger();
    ASSERT_EQ(seam.messages.size(), 2u);
    EXPECT_EQ(seam.messages[1].title, "Info");
    EXPECT_EQ(seam.messages[1].icon, DialogSeam::Icon::Information);
    EXPECT_EQ(seam.messages[1].text,
              "Final Fight (World)\n\nSet\tffight\nClone\tffightu\nDriver\tcps1");
}

TEST_F(Commands, PlayHidesTheWindowAndBringsItBackAsItWasOrWithAWarning) {
    window.showMaximized();
    std::vector<bool> visibleWhileRunning;
    QObject::connect(&frontEnd, &FrontEnd::busyChanged, [&](Command, bool busy) {
        if (busy)
            QTimer::singleShot(0, [&] { visibleWhileRunning.push_back(window.isVisible()); });
    });
    frontEnd.games().select(3);
    clickAndWait("playButton");
    EXPECT_EQ(visibleWhileRunning, std::vector<bool>({false}));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(gameList()->selectedRow(), 3);

    // Play... asks, remembers the answer, and Cancel runs nothing.
    seam.textAnswers = {QString("-window")};
    item("playWithOptionsItem")->trigger();
    ASSERT_TRUE(waitUntil([&] { return !frontEnd.busy(); }));
    item("playWithOptionsItem")->trigger();
    EXPECT_EQ(seam.prompts[0].title, "Play...");
    EXPECT_EQ(seam.prompts[0].defaultText, "");
    EXPECT_EQ(seam.prompts[1].defaultText, "-window");
    EXPECT_EQ(folder.playLog(), QStringList({"pacman", "pacman -window"}));

    // A game that did not run says why in a Play warning over the window brought back.
    folder.set("FAKEMAME_PLAY_STATUS", "3");
    clickAndWait("playButton");
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, "MAME ended with status 3.");
    EXPECT_EQ(seam.messages[0].title, "Play");
    EXPECT_EQ(seam.messages[0].icon, DialogSeam::Icon::Warning);
    EXPECT_TRUE(seam.messages[0].ownerShown);
    folder.set("FAKEMAME_PLAY_STATUS", "");

    // A double click plays the game under the pointer, even while Play is disabled.
    button("playButton")->setEnabled(false);
    const QRect game = gameList()->visualRect(gameList()->model()->index(2, 0));
    QTest::mouseDClick(gameList()->viewport(), Qt::LeftButton, {}, game.center());
    ASSERT_TRUE(waitUntil([&] { return !frontEnd.busy() && folder.playLog().size() == 4; }));
    EXPECT_EQ(folder.playLog().last(), "mslug");
}

TEST_F(Commands, TheIniButtonsOpenTheirFilesWithTheirOwnTitles) {
    clickAndWait("mameButton");
    EXPECT_EQ(seam.progressTitles, std::vector<QString>({"Mame"}));
    frontEnd.games().select(1);
    for (const char* name : {"mameButton", "driverButton", "parentButton", "setButton"})
        clickAndWait(name);
    EXPECT_EQ(seam.opened, std::vector<QString>({"mame.ini", "mame.ini", "ini/cps1.ini",
                                                 "ini/ffight.ini", "ini/ffightu.ini"}));
    // Which MAME this is is asked once; an old one writes mame.ini where it runs.
    EXPECT_EQ(runs(), QStringList({"-listfull", "-createconfig"}));
    EXPECT_TRUE(QFileInfo("mame.ini").isFile() && QFileInfo("ini/ffightu.ini").isFile());
    seam.openSucceeds = false;
    clickAndWait("setButton");
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, "No editor could be started for ini/ffightu.ini.");
    EXPECT_EQ(seam.messages[0].title, "Set");
}

TEST_F(Commands, DuringARunTheWindowPaintsAndStartsNothingElseAndCancelEndsItSilently) {
    folder.set("FAKEMAME_SLEEP", "30");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    int paints = 0;
    struct PaintCounter : QObject {
        int& paints;
        explicit PaintCounter(int& p) : paints(p) {}
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter(paints);
    gameList()->viewport()->installEventFilter(&counter);

    QTest::mouseClick(button("auditButton"), Qt::LeftButton);
    ASSERT_TRUE(frontEnd.busy());
    EXPECT_TRUE(seam.progressOpen);
    EXPECT_FALSE(button("auditButton")->isEnabled());
    EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
    ASSERT_TRUE(
        waitUntil([&] { return !seam.progress.empty() && seam.progress.back().value > 0; }));
    EXPECT_EQ(seam.progress.back().total, 7);
    const int before = paints;
    gameList()->viewport()->update();
    ASSERT_TRUE(waitUntil([&] { return paints > before; }));
    // Pressed while MAME runs: nothing starts, now or afterwards.
    for (const char* name : {"listButton", "auditButton", "playButton", "setButton"})
        button(name)->click();
    seam.cancelProgress();
    ASSERT_TRUE(waitUntil([&] { return !frontEnd.busy(); }));
    QTest::qWait(50);
    EXPECT_EQ(runner.requests.size(), 1u);
    EXPECT_EQ(seam.progressTitles, std::vector<QString>({"Audit"}));
    EXPECT_FALSE(seam.progressOpen);
    EXPECT_TRUE(seam.messages.empty()) << "the user's own Cancel is no error";
    EXPECT_TRUE(seam.opened.empty());
    EXPECT_EQ(readAll("coinslot.dat"), kSevenGames);
    EXPECT_TRUE(button("auditButton")->isEnabled());
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(Commands, AnAuditThatKeepsNothingLeavesAnEmptyWindow) {
    // None of these sets is in the fake MAME's report.
    clickAndWait("auditButton");
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, "0 games found, 7 removed.\n\nThe report was saved in " +
                                         QFileInfo("coinslot-audit.txt").absoluteFilePath() + ".");
    EXPECT_EQ(seam.messages[0].icon, DialogSeam::Icon::Information);
    EXPECT_TRUE(seam.messages[0].details.contains("\nNot found: 7"));
    EXPECT_FALSE(QFile::exists("coinslot.dat"));
    EXPECT_EQ(window.windowTitle(), "MAME");
    EXPECT_EQ(gameList()->model()->rowCount(), 0);
    for (const char* off :
         {"playButton", "driverButton", "parentButton", "setButton", "auditButton"})
        EXPECT_FALSE(button(off)->isEnabled()) << off;
    EXPECT_TRUE(button("listButton")->isEnabled());
    EXPECT_FALSE(item("infoItem")->isEnabled());
}

TEST_F(Commands, ASearchThatMatchesNothingSaysSoUntilItMatchesOrIsCleared) {
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

TEST_F(Commands, AuditWithShiftChecksEverySetAndListTellsWhatANewBuildChanged) {
    folder.set("FAKEMAME_MODERN", "1");
    folder.set("HOME", folder.filePath("home"));
    ASSERT_TRUE(frontEnd.loadCatalogue().ok());
    clickAndWait("listButton");
    clickAndWait("auditButton");
    clickAndWait("listButton");
    runner.requests.clear();
    // Nothing changed: MAME is asked about no set; with Shift, about all.
    QTest::mouseClick(button("auditButton"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !frontEnd.busy(); }));
    clickAndWait("listButton");
    QTest::mouseClick(button("auditButton"), Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_TRUE(waitUntil([&] { return !frontEnd.busy(); }));
    EXPECT_EQ(runs(), QStringList({"-showconfig", "-listxml", "-showconfig", "-verifyroms *"}));

    folder.set("FAKEMAME_BUILD", "0.252");
    clickAndWait("listButton");
    const ScriptedSeam::Message& said = seam.messages.back();
    EXPECT_EQ(said.title, "List");
    EXPECT_EQ(said.icon, DialogSeam::Icon::Information);
    EXPECT_TRUE(said.text.startsWith("MAME 0.252 changed 5 machines.\n\n")) << said.text;
    EXPECT_TRUE(said.details.contains("Renamed: 1\n  puckmanb \u2192 puckmanbl")) << said.details;
}
