// Start-up and shutdown through the settings and database files.
#include "FakeMame.h"
#include "ScriptedSeam.h"
#include "app/FrontEndStartup.h"
#include "frontend/FrontEnd.h"
#include "ui/GameListView.h"
#include "ui/frmMain.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>
#include <memory>

namespace {

QStringList Keys(const QByteArray& ini) {
    QStringList keys;
    for (const QByteArray& line : ini.split('\n'))
        if (!line.isEmpty())
            keys.append(QString::fromLatin1(line.left(line.indexOf(" = "))));
    return keys;
}

QString Value(const QByteArray& ini, const QString& key) {
    for (const QByteArray& line : ini.split('\n')) {
        const QString text = QString::fromLatin1(line).remove('\r');
        if (text.startsWith(key + " = "))
            return text.mid(key.size() + 3);
    }
    return "<absent>";
}

class StartUp : public ::testing::Test {
  protected:
    bool Load() {
        form.reset();
        frontEnd = std::make_unique<FrontEnd>(runner);
        form = std::make_unique<frmMain>(*frontEnd, seam);
        QObject::connect(form.get(), &frmMain::unloading,
                         [this] { unloadFrontEnd(*form, *frontEnd, seam); });
        return loadFrontEnd(*form, *frontEnd, seam, "Coinslot.exe");
    }
    // Ends the run the way the close box does.
    void Quit() {
        form->show();
        form->close();
    }
    QPushButton* Button(const char* name) { return form->findChild<QPushButton*>(name); }
    GameListView* List() { return form->findChild<GameListView*>("lstGames"); }

    FakeMameFolder folder;
    ScriptedSeam seam;
    MameRunner runner;
    std::unique_ptr<FrontEnd> frontEnd;
    std::unique_ptr<frmMain> form;
};

const QByteArray kGoodIni = "mameexe = mame\r\n";

} // namespace

TEST_F(StartUp, FirstStartAsksForMameAndWritesSixteenSettings) {
    WriteAll("notes.txt", "not a program");
    seam.fileAnswers = {folder.filePath("notes.txt"), folder.path() + "/mame"};
    ASSERT_TRUE(Load());
    EXPECT_EQ(seam.fileTitles,
              std::vector<QString>({"Select MAME executable", "Select MAME executable"}));
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, folder.filePath("notes.txt") + " is not an executable file.");
    EXPECT_EQ(seam.messages[0].title, "Load");
    seam.messages.clear();
    const FrontEndState& state = frontEnd->state();
    EXPECT_EQ(state.mameExecutable, "mame");
    EXPECT_EQ(state.settingsFile, "coinslot.ini");
    EXPECT_EQ(state.databaseFile, "coinslot.dat");
    EXPECT_EQ(state.mameIniFile, "mame.ini");
    EXPECT_EQ(state.playCommandPrefix, "./mame");
    for (const char* off : {"cmdPlay", "cmdDriver", "cmdParent", "cmdSet", "cmdAudit"})
        EXPECT_FALSE(Button(off)->isEnabled()) << off;
    for (const char* on : {"cmdQuit", "cmdMame", "cmdList"})
        EXPECT_TRUE(Button(on)->isEnabled()) << on;
    EXPECT_EQ(form->windowTitle(), "MAME");
    EXPECT_TRUE(seam.messages.empty());

    Quit();
    const QByteArray ini = ReadAll("coinslot.ini");
    EXPECT_EQ(Keys(ini),
              QStringList({"left", "top", "width", "height", "windowstate", "fontname", "fontsize",
                           "fontbold", "fontitalic", "lastgame", "mameexe", "commandlineoptions",
                           "filter", "hideconsole", "noshortcuts", "caseinsensitive"}));
    EXPECT_TRUE(ini.endsWith("caseinsensitive = False\r\n"));
    EXPECT_EQ(Value(ini, "lastgame"), "-1");
    EXPECT_EQ(Value(ini, "windowstate"), "0");
}

TEST_F(StartUp, CancellingTheDialogEndsWithoutTouchingTheSettings) {
    const QByteArray ini = "mameexe = gone\r\nleft = 15\r\n";
    WriteAll("coinslot.ini", ini);
    ASSERT_FALSE(Load());                  // no answer prepared: Cancel
    EXPECT_EQ(seam.fileTitles.size(), 1u); // the saved executable no longer exists
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, "Load failed, executable required.");
    EXPECT_EQ(seam.messages[0].title, "Load");
    EXPECT_EQ(ReadAll("coinslot.ini"), ini);
}

TEST_F(StartUp, ABrokenOrUnshowableSettingIsDeletedAndNothingElse) {
    const char* broken[] = {"left = word",
                            "fontbold = yes",
                            "lastgame = 2147483648",
                            "windowstate = 3",
                            "width = -15",
                            "fontsize = 1e-300",
                            "width = 600000\r\nheight = 600000",
                            "left = -2147483648",
                            "top = 2147483647"};
    for (const char* line : broken) {
        WriteAll("coinslot.dat", "Game|g||drv\r\n");
        WriteAll("coinslot.ini", kGoodIni + line + "\r\n");
        seam.messages.clear();
        EXPECT_FALSE(Load()) << line;
        ASSERT_EQ(seam.messages.size(), 1u) << line;
        EXPECT_EQ(seam.messages[0].text, "Load failed, options reset.");
        EXPECT_EQ(seam.messages[0].icon, DialogSeam::Icon::Error);
        EXPECT_FALSE(QFile::exists("coinslot.ini")) << line;
        EXPECT_EQ(ReadAll("coinslot.dat"), "Game|g||drv\r\n");
    }
}

TEST_F(StartUp, ABrokenDatabaseIsDeletedAndTheSettingsAreKept) {
    const QByteArray ini = kGoodIni + "left = 15\r\n";
    const QByteArray broken[] = {"", "Game|g||drv\r\n\r\n", "Game|g|drv\r\n", "|g||drv\r\n"};
    for (const QByteArray& dat : broken) {
        WriteAll("coinslot.ini", ini);
        WriteAll("coinslot.dat", dat);
        seam.messages.clear();
        EXPECT_FALSE(Load());
        ASSERT_EQ(seam.messages.size(), 1u);
        EXPECT_EQ(seam.messages[0].text, "Load failed, database reset.");
        EXPECT_FALSE(QFile::exists("coinslot.dat"));
        EXPECT_EQ(ReadAll("coinslot.ini"), ini);
    }
    ASSERT_TRUE(Load()); // the next start has no database
    EXPECT_FALSE(Button("cmdPlay")->isEnabled());
}

TEST_F(StartUp, TheSavedFilterAndGameAreAppliedOrDroppedWhenTheyNoLongerFit) {
    WriteAll("coinslot.dat", "A|a||cps1\r\nB|b|a|neogeo\r\nC|c||cps1\r\nD|d||cps2\r\n");
    WriteAll("coinslot.ini", kGoodIni + "filter = cps1\r\nlastgame = 1\r\n");
    ASSERT_TRUE(Load());
    EXPECT_EQ(frontEnd->state().shown.size(), 2u);
    EXPECT_EQ(List()->selectedRow(), 1);
    EXPECT_EQ(form->windowTitle(), "MAME: C [c]");

    WriteAll("coinslot.ini", kGoodIni + "filter = gone\r\nlastgame = 3\r\n");
    ASSERT_TRUE(Load());
    EXPECT_EQ(frontEnd->state().shown.size(), 4u);
    EXPECT_EQ(List()->selectedRow(), 0);
    Quit();
    EXPECT_EQ(Value(ReadAll("coinslot.ini"), "filter"), "");
    EXPECT_EQ(Value(ReadAll("coinslot.ini"), "lastgame"), "0");

    WriteAll("coinslot.ini", kGoodIni + "lastgame = 40000\r\n");
    ASSERT_TRUE(Load());
    EXPECT_EQ(List()->selectedRow(), 0);
}

TEST_F(StartUp, SettingsAreAppliedAndWrittenBackSoTheyLoadAgain) {
    WriteAll("coinslot.ini", "  left  =  1200  \r\ntop=900\nwidth = 7500\nheight = 4800\n"
                             "fontsize = 12\nfontbold = true\nfontitalic = 1\nmameexe = mame\n"
                             "commandlineoptions =  -window  \nnoshortcuts = True\n"
                             "hideconsole = -1\nLeft = 99\nunknown = kept?\n");
    ASSERT_TRUE(Load());
    EXPECT_TRUE(seam.fileTitles.empty());
    EXPECT_EQ(form->geometry().topLeft(), QPoint(80, 60)); // 15 twips a pixel here
    EXPECT_EQ(form->size(), QSize(500, 320));
    EXPECT_EQ(List()->font().pointSizeF(), 12.0);
    EXPECT_TRUE(List()->font().bold());
    EXPECT_TRUE(List()->font().italic());
    EXPECT_EQ(frontEnd->state().playOptions, "-window");
    EXPECT_TRUE(frontEnd->state().hideConsole);
    EXPECT_EQ(Button("cmdPlay")->text(), "Play");

    Quit();
    const QByteArray ini = ReadAll("coinslot.ini");
    EXPECT_EQ(Keys(ini).size(), 16);
    EXPECT_EQ(Value(ini, "left"), "1200");
    EXPECT_EQ(Value(ini, "width"), "7500");
    EXPECT_EQ(Value(ini, "fontsize"), "12");
    EXPECT_EQ(Value(ini, "fontbold"), "True");
    EXPECT_EQ(Value(ini, "noshortcuts"), "True");
    EXPECT_EQ(Value(ini, "commandlineoptions"), "-window");
    ASSERT_TRUE(Load());
    Quit();
    EXPECT_EQ(ReadAll("coinslot.ini"), ini);
}

TEST_F(StartUp, AMaximisedOrMinimisedCloseSavesTheNormalRectangleAndTheState) {
    WriteAll("coinslot.ini", "mameexe = mame\r\nleft = 1500\r\ntop = 1500\r\n");
    ASSERT_TRUE(Load());
    form->show();
    const QRect normal = form->geometry();
    form->showMaximized();
    QCoreApplication::processEvents();
    ASSERT_NE(form->geometry(), normal); // the offscreen screen is larger than the window
    Quit();
    QByteArray ini = ReadAll("coinslot.ini");
    EXPECT_EQ(Value(ini, "windowstate"), "2");
    EXPECT_EQ(Value(ini, "left"), "1500");
    EXPECT_EQ(Value(ini, "width"), QString::number(normal.width() * 15));
    ASSERT_TRUE(Load());
    EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(form->normalRectTwips().topLeft(), QPointF(1500, 1500));

    form->show();
    form->setWindowState(Qt::WindowMinimized);
    Quit();
    EXPECT_EQ(Value(ReadAll("coinslot.ini"), "windowstate"), "1");
    ASSERT_TRUE(Load());
    EXPECT_TRUE(form->windowState() & Qt::WindowMinimized);
}

TEST_F(StartUp, AFailedSettingsWriteIsReportedAndTheRunStillEnds) {
    WriteAll("coinslot.ini", kGoodIni);
    ASSERT_TRUE(Load());
    QFile::remove("coinslot.ini");
    QDir().mkdir("coinslot.ini"); // a folder in the way: the file cannot be replaced
    Quit();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(seam.messages[0].text.startsWith("The settings could not be saved"));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(StartUp, AnExecutableElsewhereIsKeptByItsWholePath) {
    QTemporaryDir elsewhere;
    const QString exe = elsewhere.filePath("it's my mame");
    ASSERT_TRUE(QFile::copy(QStringLiteral(COINSLOT_FAKEMAME), exe));
    seam.fileAnswers = {exe};
    ASSERT_TRUE(Load());
    EXPECT_EQ(frontEnd->state().mameExecutable, exe);
    EXPECT_EQ(frontEnd->state().playCommandPrefix, "'" + elsewhere.path() + "/it'\\''s my mame'");
    Quit();
    EXPECT_EQ(Value(ReadAll("coinslot.ini"), "mameexe"), exe);
    ASSERT_TRUE(Load()); // found again without asking
    EXPECT_EQ(seam.fileTitles.size(), 1u);
}
