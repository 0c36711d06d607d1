#include "FakeMame.h"
#include "app/FrontEndLoad.h"
#include "launch/Platform.h"
#include "text/TextFile.h"
#include "ui/frmMain.h"

#include <QListView>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// Old-MAME listings of `count` games, listed out of description order, every
// fifth game a clone of the one before it; and the database they must give.
struct Listings {
    QByteArray full = "Name:     Description:\n";
    QByteArray clones = "Name:    Clone of:\n";
    QByteArray source;
    QStringList expected;
};

Listings Synthetic(int count) {
    Listings out;
    std::vector<QString> lines(count);
    for (int i = 0; i < count; ++i) {
        const QByteArray name = "g" + QByteArray::number(i).rightJustified(4, '0');
        const int key = (i * 7) % count;
        const QByteArray description = "Game " + QByteArray::number(key).rightJustified(4, '0');
        const QByteArray parent =
            i % 5 == 1 ? "g" + QByteArray::number(i - 1).rightJustified(4, '0') : "";
        const QByteArray driver = "drv" + QByteArray::number(i % 13);
        out.full += name.leftJustified(10) + '"' + description + "\"\n";
        if (!parent.isEmpty())
            out.clones += name.leftJustified(8) + ' ' + parent.leftJustified(8) + '\n';
        out.source += name.leftJustified(8) + " src/drivers/" + driver + ".c\n";
        lines[key] = description + '|' + name + '|' + parent + '|' + driver;
    }
    out.expected = QStringList(lines.begin(), lines.end());
    return out;
}

class Build : public ::testing::Test {
  protected:
    Build() {
        FakeMameFolder::RunForReal(seam);
        form.strMameExe = "mame";
        form.strMameCommand = MameCommandFor("mame");
        form.strDatFile = "coinslot.dat";
        form.DisableGameCommands();
    }

    // Points the fake MAME at listings of our own.
    void UseListings(const QByteArray& full, const QByteArray& clones, const QByteArray& source,
                     const QByteArray& audit = {}) {
        QDir().mkdir("fixtures");
        WriteAll("fixtures/listfull.txt", full);
        WriteAll("fixtures/listclones.txt", clones);
        WriteAll("fixtures/listsourcefile.txt", source);
        WriteAll("fixtures/verifysets.txt", audit);
        folder.Set("FAKEMAME_FIXTURES", folder.path() + "/fixtures");
    }

    FakeMameFolder folder;
    ScriptedSeam seam;
    frmMain form{seam};
};

} // namespace

TEST_F(Build, ListBuildsTheExpectedFileSortedAndEnablesTheGameCommands) {
    const Listings listings = Synthetic(300);
    UseListings(listings.full, listings.clones, listings.source);
    form.cmdList_Click();
    ASSERT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
    EXPECT_EQ(ReadAll("coinslot.dat"), (listings.expected.join("\r\n") + "\r\n").toLatin1());
    EXPECT_TRUE(
        seam.runs[0].commandLine.startsWith("./mame -listfull > " + folder.path() + "/tmp/"));
    EXPECT_TRUE(seam.runs[0].commandLine.endsWith("/~FULL.TMP"));
    EXPECT_TRUE(seam.runs[1].commandLine.contains(" -listclones > "));
    EXPECT_TRUE(seam.runs[2].commandLine.contains(" -listsourcefile > "));
    for (const auto& run : seam.runs)
        EXPECT_EQ(run.hideFlag, -1);
    EXPECT_TRUE(folder.TempLeftovers().isEmpty());
    for (QPushButton* b : {form.cmdPlay, form.cmdDriver, form.cmdSet, form.cmdList, form.cmdAudit})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(form.mnuListFilter->isEnabled());
    EXPECT_EQ(form.SelectedIndex(), 0);
    EXPECT_EQ(form.udtShown.size(), 300u);

    const QByteArray first = ReadAll("coinslot.dat");
    form.cmdList_Click();
    EXPECT_EQ(ReadAll("coinslot.dat"), first);
}

TEST_F(Build, TheSavedFilterIsKeptWhileItMatchesAndDroppedWhenNot) {
    form.strFilter = "drv3 nomore";
    const Listings listings = Synthetic(40);
    UseListings(listings.full, listings.clones, listings.source);
    form.cmdList_Click();
    EXPECT_EQ(form.strFilter, "drv3");
    EXPECT_EQ(form.udtShown.size(), 3u); // games 3, 16 and 29

    form.strFilter = "nomore";
    form.cmdList_Click();
    EXPECT_EQ(form.strFilter, "");
    EXPECT_EQ(form.udtShown.size(), 40u);
}

TEST_F(Build, ACloneThatNeverAppearsHoldsTheCursorAndAQuoteCutsTheDescription) {
    UseListings("Name:     Description:\n"
                "aaa       \"Alpha \"the first\"\"\n"
                "bbb       \"Bravo\"\n"
                "ccc       \"Charlie\"\n",
                "Name:    Clone of:\n"
                "zzz      aaa     \n"
                "ccc      bbb     \n",
                "aaa      src/drivers/one.c\n"
                "bbb      src/drivers/two.c\n"
                "ccc      src/drivers/two.c\n");
    form.cmdList_Click();
    EXPECT_EQ(ReadLines("coinslot.dat"),
              QStringList({"Alpha |aaa||one", "Bravo|bbb||two", "Charlie|ccc||two"}));
}

TEST_F(Build, EveryMalformedListingFailsWithOneMessageAndChangesNothing) {
    const QByteArray head = "Name:     Description:\n";
    const QByteArray cloneHead = "Name:    Clone of:\nxxx      yyy     \n";
    const QByteArray good = head + "aaa       \"Alpha\"\n";
    const QByteArray source = "aaa      src/drivers/one.c\n";
    QByteArray tooMany = head, tooManySource;
    for (int i = 0; i < 10002; ++i) {
        const QByteArray name = "s" + QByteArray::number(i);
        tooMany += name.leftJustified(10) + "\"Game\"\n";
        tooManySource += name.leftJustified(8) + " src/drivers/d.c\n";
    }
    const struct {
        const char* what;
        QByteArray full, clones, source;
    } cases[] = {
        {"no game", head, cloneHead, source},
        {"game line without a quote", head + "aaa       \"Alpha\n", cloneHead, source},
        {"game line without a blank", head + "aaa\n", cloneHead, source},
        {"clone listing of one line", good, "Name:    Clone of:\n", source},
        {"driver listing lacks the game", good, cloneHead, "bbb      src/drivers/one.c\n"},
        {"driver line without .c", good, cloneHead, "aaa      src/drivers/one\n"},
        {"empty description", head + "aaa       \"\"\n", cloneHead, source},
        {"| in a name", head + "a|a       \"Alpha\"\n", cloneHead, "a|a      src/drivers/x.c\n"},
        {"more than 10,001 games", tooMany, cloneHead, tooManySource},
    };
    const QByteArray old = "Old|old||drv\r\n";
    for (const auto& c : cases) {
        WriteAll("coinslot.dat", old);
        form.udtGames = {{"Old", "old", "", "drv"}};
        UseListings(c.full, c.clones, c.source);
        seam.messages.clear();
        form.cmdList_Click();
        ASSERT_EQ(seam.messages.size(), 1u) << c.what;
        EXPECT_EQ(seam.messages[0].title, "List") << c.what;
        EXPECT_EQ(ReadAll("coinslot.dat"), old) << c.what;
        EXPECT_EQ(form.udtGames.size(), 1u) << c.what;
        EXPECT_TRUE(folder.TempLeftovers().isEmpty()) << c.what;
        EXPECT_TRUE(form.cmdList->isEnabled()) << c.what;
        EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor) << c.what;
    }
}

TEST_F(Build, AMissingListingFileAndAModernMameChangeNothing) {
    WriteAll("coinslot.dat", "Old|old||drv\r\n");
    seam.onRun = nullptr; // nothing runs: no listing file appears
    form.cmdList_Click();
    ASSERT_EQ(seam.messages.size(), 1u);

    FakeMameFolder::RunForReal(seam);
    folder.Set("FAKEMAME_MODERN", "1");
    form.cmdList_Click();
    form.udtGames = {{"Old", "old", "", "drv"}};
    form.cmdAudit_Click();
    ASSERT_EQ(seam.messages.size(), 3u);
    EXPECT_EQ(seam.messages[2].title, "Audit");
    EXPECT_EQ(ReadAll("coinslot.dat"), "Old|old||drv\r\n");
    EXPECT_TRUE(folder.TempLeftovers().isEmpty());
}

TEST_F(Build, AuditKeepsTheGoodSetsInOrderAndReportsTheCounts) {
    form.cmdList_Click();
    ASSERT_TRUE(seam.messages.empty());
    const size_t before = form.udtGames.size();
    WriteAll("coinslot.dat", ReadAll("coinslot.dat").replace("\r\n", "\n"));
    form.cmdAudit_Click();
    ASSERT_EQ(seam.messages.size(), 1u);
    const size_t kept = form.udtGames.size();
    EXPECT_EQ(seam.messages[0].text,
              QString("%1 games found, %2 removed.").arg(kept).arg(before - kept));
    EXPECT_EQ(seam.messages[0].icon, DialogSeam::Icon::Information);
    EXPECT_EQ(seam.runs.back().hideFlag, 0);
    EXPECT_TRUE(seam.runs.back().commandLine.contains(" -verifysets * > "));
    EXPECT_TRUE(std::any_of(form.udtGames.begin(), form.udtGames.end(),
                            [](const GameRecord& g) { return g.strName == "outrunra"; }));
    EXPECT_FALSE(std::any_of(form.udtGames.begin(), form.udtGames.end(),
                             [](const GameRecord& g) { return g.strName == "shangon"; }));
    EXPECT_EQ(ReadLines("coinslot.dat")->size(), static_cast<qsizetype>(kept));
    EXPECT_TRUE(ReadAll("coinslot.dat").contains("\r\n"));
    EXPECT_TRUE(form.cmdAudit->isEnabled());
    EXPECT_TRUE(folder.TempLeftovers().isEmpty());
}

TEST_F(Build, AnAuditThatKeepsNothingLeavesNoDatabaseAndARestartAgrees) {
    UseListings("Name:     Description:\naaa       \"Alpha\"\n",
                "Name:    Clone of:\nzzz      yyy     \n", "aaa      src/drivers/one.c\n",
                "romset aaa is bad\n1 romsets found, 0 were OK.\n");
    form.cmdList_Click();
    ASSERT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
    form.cmdAudit_Click();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, "0 games found, 1 removed.");
    EXPECT_FALSE(QFile::exists("coinslot.dat"));
    EXPECT_EQ(form.windowTitle(), "MAME");
    EXPECT_EQ(form.lstGames->model()->rowCount(), 0);
    EXPECT_FALSE(form.cmdAudit->isEnabled());
    EXPECT_FALSE(form.cmdPlay->isEnabled());
    EXPECT_TRUE(form.cmdList->isEnabled());

    ScriptedSeam again;
    frmMain restarted(again);
    WriteAll("coinslot.ini", "mameexe = mame\r\n");
    ASSERT_TRUE(LoadFrontEnd(restarted, "coinslot"));
    EXPECT_FALSE(restarted.cmdPlay->isEnabled());
    EXPECT_TRUE(again.messages.empty());
}
