// The window's commands end to end: what they ask, show, run and open.
#include "WindowTestFixture.h"

#include <QTest>

namespace {

class Commands : public WindowTest {
  protected:
    Commands() { loadDatabase(kSevenGames); }

    QStringList Shown() const {
        QStringList names;
        for (const GameRecord& game : frontEnd.state().shown)
            names.append(game.name);
        return names;
    }

    // Clicks `button` and waits until the front end is idle again.
    void ClickAndWait(const char* button) {
        QTest::mouseClick(Button(button), Qt::LeftButton);
        ASSERT_TRUE(WaitUntil([&] { return !frontEnd.busy(); }));
    }
};

const QString kFilterPrompt =
    "Enter driver name(s). To specify multiple drivers seperate each with a space. Clear filter "
    "and click OK to reset.\r\n\r\neg. cps1 cps2, neogeo";

} // namespace

TEST_F(Commands, FilterAsksAgainUntilAMatchOrCancel) {
    seam.textAnswers = {QString("nosuchdriver"), QString(" NEOGEO  cps1 neogeo")};
    form.mnuListFilter_Click();
    ASSERT_EQ(seam.prompts.size(), 2u);
    EXPECT_EQ(seam.prompts[0].prompt, kFilterPrompt);
    EXPECT_EQ(seam.prompts[0].title, "Filter");
    EXPECT_EQ(seam.prompts[1].defaultText, "nosuchdriver");
    EXPECT_EQ(frontEnd.state().driverFilter, "cps1 neogeo");
    EXPECT_EQ(Shown(), QStringList({"ffight", "ffightu", "mslug", "alpham2"}));
    EXPECT_EQ(List()->model()->rowCount(), 4);

    QString words;
    for (int i = 0; i < 257; ++i)
        words += "w ";
    seam.textAnswers = {words}; // then Cancel
    form.mnuListFilter_Click();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].title, "Filter");
    EXPECT_EQ(seam.prompts.back().defaultText, words);
    EXPECT_EQ(frontEnd.state().driverFilter, "cps1 neogeo");
}

TEST_F(Commands, InfoShowsTheSelectedGamesFamily) {
    form.mnuListInfo_Click();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].title, "Info");
    EXPECT_EQ(seam.messages[0].text, "Final Fight (World)\r\n\r\nSet\tffight\r\nClone\tffightu\r\n"
                                     "Driver\tcps1");
    EXPECT_EQ(seam.messages[0].icon, DialogSeam::Icon::Information);
}

TEST_F(Commands, PlayHidesTheWindowAndBringsItBackAsItWas) {
    form.show();
    form.showMaximized();
    std::vector<bool> visibleWhileRunning;
    QObject::connect(&frontEnd, &FrontEnd::busyChanged, [&](MameCommand, bool busy) {
        if (busy)
            QTimer::singleShot(0, [&] { visibleWhileRunning.push_back(form.isVisible()); });
    });
    frontEnd.select(3);
    ClickAndWait("cmdPlay");
    EXPECT_EQ(visibleWhileRunning, std::vector<bool>({false}));
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(List()->selectedRow(), 3);
    EXPECT_EQ(folder.PlayLog(), QStringList({"pacman"}));

    // Play... asks, remembers the answer, and Cancel runs nothing.
    seam.textAnswers = {QString("-window")};
    form.mnuListPlay_Click();
    ASSERT_TRUE(WaitUntil([&] { return !frontEnd.busy(); }));
    EXPECT_EQ(seam.prompts[0].title, "Play...");
    EXPECT_EQ(seam.prompts[0].defaultText, "");
    form.mnuListPlay_Click();
    EXPECT_EQ(seam.prompts[1].defaultText, "-window");
    EXPECT_EQ(folder.PlayLog(), QStringList({"pacman", "pacman -window"}));
    EXPECT_EQ(runner.requests.size(), 2u);

    // A double click plays the game under the pointer, even while Play is disabled.
    form.disableGameCommands();
    const QRect item = List()->visualRect(List()->model()->index(2, 0));
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, item.center());
    ASSERT_TRUE(WaitUntil([&] { return !frontEnd.busy() && folder.PlayLog().size() == 3; }));
    EXPECT_EQ(folder.PlayLog().last(), "mslug");
}

TEST_F(Commands, MameMakesItsIniOnceAndTheGameButtonsOpenTheirs) {
    ClickAndWait("cmdMame");
    ClickAndWait("cmdMame");
    // Which MAME this is is asked once; an old one writes mame.ini where it runs.
    ASSERT_EQ(runner.requests.size(), 2u);
    EXPECT_EQ(runner.requests[0].arguments, QStringList({"-listfull"}));
    EXPECT_EQ(runner.requests[1].arguments, QStringList({"-createconfig"}));
    EXPECT_EQ(seam.progressTitles, std::vector<QString>({"Mame"}));
    ASSERT_TRUE(QFileInfo("mame.ini").isFile());
    frontEnd.select(1);
    form.cmdDriver_Click();
    form.cmdParent_Click();
    form.cmdSet_Click();
    EXPECT_EQ(seam.opened, std::vector<QString>({"mame.ini", "mame.ini", "ini/cps1.ini",
                                                 "ini/ffight.ini", "ini/ffightu.ini"}));
    EXPECT_TRUE(QFileInfo("ini/ffightu.ini").isFile());
    EXPECT_TRUE(seam.messages.empty());
}

TEST_F(Commands, DuringARunTheWindowPaintsCountsAndStartsNothingElse) {
    folder.Set("FAKEMAME_SLEEP", "1");
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    int paints = 0;
    struct PaintCounter : QObject {
        int& paints;
        explicit PaintCounter(int& p) : paints(p) {}
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter(paints);
    List()->viewport()->installEventFilter(&counter);

    QTest::mouseClick(Button("cmdList"), Qt::LeftButton);
    ASSERT_TRUE(frontEnd.busy());
    EXPECT_TRUE(seam.progressOpen);
    EXPECT_FALSE(Button("cmdList")->isEnabled());
    EXPECT_EQ(form.cursor().shape(), Qt::WaitCursor);
    ASSERT_TRUE(
        WaitUntil([&] { return !seam.progress.empty() && seam.progress.back().value > 0; }));
    ASSERT_TRUE(frontEnd.busy()) << "the run did not last";
    const int before = paints;
    List()->viewport()->update();
    ASSERT_TRUE(WaitUntil([&] { return paints > before; }));
    // Pressed while MAME runs: neither starts a run, now or afterwards.
    form.cmdList_Click();
    form.cmdAudit_Click();
    Button("cmdPlay")->click();
    ASSERT_TRUE(WaitUntil([&] { return !frontEnd.busy(); }));
    QTest::qWait(50);
    EXPECT_EQ(runner.requests.size(), 3u);
    EXPECT_EQ(seam.progressTitles, std::vector<QString>({"List"}));
    EXPECT_FALSE(seam.progressOpen);
    EXPECT_EQ(seam.progress.back().text, QString::fromUtf8("Sorting 82 games…"));
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_TRUE(Button("cmdList")->isEnabled());
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(frontEnd.state().shown.size(), 82u);
    EXPECT_FALSE(QFile::exists("play.log")) << "a game was played";
}

TEST_F(Commands, CancelInTheProgressDialogAndAnAuditThatKeepsNothing) {
    folder.Set("FAKEMAME_SLEEP", "30");
    QTest::mouseClick(Button("cmdAudit"), Qt::LeftButton);
    ASSERT_TRUE(
        WaitUntil([&] { return !seam.progress.empty() && seam.progress.back().value > 0; }));
    EXPECT_EQ(seam.progress.back().total, 7);
    seam.cancelProgress();
    ASSERT_TRUE(WaitUntil([&] { return !frontEnd.busy(); }));
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, "Cancelled. The database was not changed.");
    EXPECT_EQ(seam.messages[0].title, "Audit");
    EXPECT_EQ(ReadAll("coinslot.dat"), kSevenGames);
    EXPECT_TRUE(Button("cmdAudit")->isEnabled());

    // None of these sets is in the fake MAME's report.
    folder.Set("FAKEMAME_SLEEP", "");
    ClickAndWait("cmdAudit");
    ASSERT_EQ(seam.messages.size(), 2u);
    EXPECT_EQ(seam.messages[1].text, "0 games found, 7 removed.");
    EXPECT_FALSE(QFile::exists("coinslot.dat"));
    EXPECT_EQ(form.windowTitle(), "MAME");
    EXPECT_EQ(List()->model()->rowCount(), 0);
    for (const char* off : {"cmdPlay", "cmdDriver", "cmdParent", "cmdSet", "cmdAudit"})
        EXPECT_FALSE(Button(off)->isEnabled()) << off;
    EXPECT_TRUE(Button("cmdList")->isEnabled());
    EXPECT_FALSE(Item("mnuListInfo")->isEnabled());
}
