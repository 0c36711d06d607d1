// The command lines run for real: the runner, the shell and the fake MAME.
#include "launch/MameCommands.h"
#include "launch/Platform.h"
#include "launch/ProcessRunner.h"
#include "launch/TempListingFolder.h"

#include "LaunchTestSupport.h"

class FakeMameRun : public InWorkFolder {
  protected:
    QByteArray Fixture(const char* name) const {
        return ReadAll(QString(COINSLOT_FIXTURES) + "/old-mame/" + name);
    }
    const QString strMameCommand = MameCommandFor("mame");
    ProcessRunner runner;
};

TEST_F(FakeMameRun, PlayLinesReachMameAsBuilt) {
    ScopedEnv log("FAKEMAME_LOG", m_work.filePath("play.log").toLocal8Bit());
    runner.RunAndWait(*PlayCommand(strMameCommand, "pacman"), 0);
    runner.RunAndWait(*PlayWithOptionsCommand(strMameCommand, "sf2ce", "-window -nosound"), 0);
    const auto empty = PlayWithOptionsCommand(strMameCommand, "galaxyr", "");
    EXPECT_EQ(*empty, "./mame galaxyr ");
    runner.RunAndWait(*empty, kHide);
    // The user's options are the user's own: a redirection or a star in them
    // reaches the shell or MAME as typed.
    runner.RunAndWait(*PlayWithOptionsCommand(strMameCommand, "outrun", "-inipath * > out.txt"), 0);
    EXPECT_EQ(ReadAll("play.log"), "pacman\nsf2ce -window -nosound\ngalaxyr\noutrun -inipath *\n");
    EXPECT_TRUE(QFile::exists("out.txt"));
}

TEST_F(FakeMameRun, ListingsAndAuditLandInTheTemporaryFilesWhole) {
    TempListingFolder folder;
    ASSERT_TRUE(folder.isValid()) << folder.errorText().toStdString();
    runner.RunAndWait(ListFullCommand(strMameCommand, folder.fullListing()), kHide);
    runner.RunAndWait(ListClonesCommand(strMameCommand, folder.cloneListing()), kHide);
    runner.RunAndWait(ListSourceFileCommand(strMameCommand, folder.sourceListing()), kHide);
    runner.RunAndWait(VerifySetsCommand(strMameCommand, folder.auditReport()), 0);
    EXPECT_EQ(ReadAll(folder.fullListing()), Fixture("listfull.txt"));
    EXPECT_EQ(ReadAll(folder.cloneListing()), Fixture("listclones.txt"));
    EXPECT_EQ(ReadAll(folder.sourceListing()), Fixture("listsourcefile.txt"));
    EXPECT_EQ(ReadAll(folder.auditReport()), Fixture("verifysets.txt"));
}

TEST_F(FakeMameRun, AModernMameLeavesEmptyFilesForWhatItRefuses) {
    ScopedEnv modern("FAKEMAME_MODERN", QByteArray("1"));
    TempListingFolder folder;
    ASSERT_TRUE(folder.isValid());
    runner.RunAndWait(ListFullCommand(strMameCommand, folder.fullListing()), kHide);
    runner.RunAndWait(ListSourceFileCommand(strMameCommand, folder.sourceListing()), kHide);
    runner.RunAndWait(VerifySetsCommand(strMameCommand, folder.auditReport()), 0);
    EXPECT_EQ(ReadAll(folder.fullListing()), Fixture("listfull.txt"));
    EXPECT_EQ(ReadAll(folder.sourceListing()), "");
    EXPECT_EQ(ReadAll(folder.auditReport()), "");
}

TEST_F(FakeMameRun, CreateConfigWritesTheIniTheFrontEndLooksFor) {
    ASSERT_FALSE(QFile::exists(MameIniFor("mame")));
    runner.RunAndWait(CreateConfigCommand(strMameCommand), kHide);
    EXPECT_TRUE(QFileInfo(MameIniFor("mame")).isFile());
    EXPECT_EQ(MameIniFor("mame"), "mame.ini");
}
