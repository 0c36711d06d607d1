#include "launch/ProcessRunner.h"

#include "TestFolders.h"

#include <utility>
#include <vector>

class ProcessRunnerTest : public InWorkFolder {};

TEST_F(ProcessRunnerTest, ReturnsOnlyAfterTheShellHasEnded) {
    ProcessRunner runner;
    runner.RunAndWait("sleep 0.3; echo done > late.txt", 0);
    EXPECT_EQ(ReadAll("late.txt"), "done\n");
}

TEST_F(ProcessRunnerTest, TheShellInheritsWorkingFolderAndEnvironment) {
    ScopedEnv probe("COINSLOT_PROBE", QByteArray("inherited"));
    ProcessRunner runner;
    runner.RunAndWait("echo $COINSLOT_PROBE > probe.txt; pwd -P >> probe.txt", 0);
    EXPECT_EQ(ReadAll(m_work.filePath("probe.txt")),
              "inherited\n" + QDir(m_work.path()).canonicalPath().toLocal8Bit() + "\n");
}

TEST_F(ProcessRunnerTest, LinesThatCannotRunReturnWithoutAMessage) {
    ProcessRunner runner;
    runner.RunAndWait("./no-such-mame -listfull > out.txt", kHide); // the shell starts, MAME not
    EXPECT_EQ(ReadAll("out.txt"), "");
    runner.RunAndWait("./mame " + QString(300000, 'x'), kHide); // not even the shell starts
    runner.RunAndWait("", kHide);
}

TEST_F(ProcessRunnerTest, OnlyMinusOneHides) {
    ProcessRunner runner;
    for (const qint16 flag : {qint16(-1), qint16(0), qint16(1), qint16(-2), qint16(32767)}) {
        runner.RunAndWait("true", flag);
        EXPECT_EQ(runner.lastHideFlag(), flag);
        EXPECT_EQ(runner.lastRunHidden(), flag == -1) << flag;
    }
}

namespace {

// Notes each run instead of starting anything.
class RecordingRunner : public ProcessRunner {
  public:
    void RunAndWait(const QString& commandLine, qint16 hideFlag) override {
        runs.emplace_back(commandLine, hideFlag);
    }
    std::vector<std::pair<QString, qint16>> runs;
};

} // namespace

TEST(PrimeMameOnce, RunsTheBarePrefixHiddenOnceWhereThePlatformPrimes) {
    int asked = 0;
    PrimeMameOnce prime([&asked] { return ++asked > 0; });
    RecordingRunner runner;
    prime.Run(runner, "./mame");
    prime.Run(runner, "./mame");
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(runner.runs.size(), 1u);
    EXPECT_EQ(runner.runs[0], std::make_pair(QString("./mame"), kHide));

    PrimeMameOnce here; // this platform never primes
    here.Run(runner, "./mame");
    EXPECT_TRUE(here.primed());
    EXPECT_EQ(runner.runs.size(), 1u);
}
