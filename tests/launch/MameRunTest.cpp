#include "launch/MameRun.h"
#include "FakeMame.h"
#include "launch/Platform.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class MameRunTest : public InWorkFolder {
  protected:
    // Runs `program` with `arguments` to its end (or `whileRunning` first).
    RunResult Run(MameRunRequest request, std::function<void(MameRun&)> whileRunning = {}) {
        MameRun run(request);
        QObject::connect(&run, &MameRun::linesCounted, [this](qint64 n) { counted = n; });
        const std::optional<RunResult> result = Await<RunResult>(run, &MameRun::finished, [&] {
            run.start();
            if (whileRunning)
                whileRunning(run);
        });
        return result.value_or(RunResult{RunEnd::Finished, -999, "<no end>"});
    }
    static MameRunRequest Shell(const QString& script, const QString& output = {}) {
        MameRunRequest request;
        request.program = "/bin/sh";
        request.arguments = {"-c", script, "sh", "*", "two words"};
        request.outputFile = output;
        return request;
    }
    qint64 counted = 0;
};

} // namespace

TEST_F(MameRunTest, ArgumentsArriveWholeAndTheOutputIsKeptAndCounted) {
    ASSERT_TRUE(QDir().mkdir("a folder"));
    MameRunRequest request =
        Shell("printf '%s\\n' \"$1\" \"$2\"; i=0; while [ $i -lt 3000 ]; do echo \"romset g$i is "
              "good\"; echo romsets; i=$((i+1)); done; exit 2",
              "a folder/out.txt");
    request.countedText = "romset ";
    const RunResult result = Run(request);
    EXPECT_EQ(result.end, RunEnd::Finished);
    EXPECT_EQ(result.exitCode, 2); // a status of its own is no failure here
    const QByteArray out = ReadAll("a folder/out.txt");
    EXPECT_TRUE(out.startsWith("*\ntwo words\nromset g0 is good\n"));
    EXPECT_EQ(out.count('\n'), 6002);
    EXPECT_EQ(counted, 3000);
}

TEST_F(MameRunTest, ACrashAStartFailureAndAFullDiskAreToldApart) {
    RunResult crash = Run(Shell("echo half; kill -SEGV $$"));
    EXPECT_EQ(crash.end, RunEnd::Crashed);
    EXPECT_TRUE(crash.detail.startsWith("signal 11")) << crash.detail.toStdString();

    MameRunRequest missing;
    missing.program = m_work.filePath("no-such-mame");
    EXPECT_EQ(Run(missing).end, RunEnd::FailedToStart);

    const RunResult full = Run(Shell("yes romset | head -c 100000", "/dev/full"));
    EXPECT_EQ(full.end, RunEnd::OutputNotWritten);
    EXPECT_TRUE(full.detail.contains("No space left on device")) << full.detail.toStdString();
}

TEST_F(MameRunTest, CancelEndsMameAndEverythingItStarted) {
    // The "MAME" starts a child of its own and notes both process ids.
    const RunResult result =
        Run(Shell("sleep 60 & echo $! > child.pid; echo $$ > mame.pid; wait"),
            [](MameRun& run) { QTimer::singleShot(300, &run, [&run] { run.cancel(); }); });
    EXPECT_EQ(result.end, RunEnd::Cancelled);
    for (const char* file : {"mame.pid", "child.pid"}) {
        const qint64 pid = ReadAll(file).trimmed().toLongLong();
        ASSERT_GT(pid, 0) << file;
        QDeadlineTimer deadline(5000);
        while (QFile::exists(QString("/proc/%1").arg(pid)) && !deadline.hasExpired())
            QThread::msleep(20);
        // A child that ended but was not yet collected by init is a zombie.
        const QByteArray status = ReadAll(QString("/proc/%1/status").arg(pid));
        EXPECT_TRUE(status == "<missing>" || status.contains("State:\tZ")) << file;
    }
}

TEST_F(MameRunTest, MameEndsWithTheFrontEndHoweverItEnds) {
    // Quit: a run that goes away takes MAME with it.
    {
        MameRun run(Shell("echo $$ > quit.pid; exec sleep 60"));
        run.start();
        ASSERT_TRUE(WaitUntil([] { return ReadAll("quit.pid").endsWith('\n'); }));
    }
    // Killed: a front end that dies without a word.
    const pid_t frontEnd = fork();
    if (frontEnd == 0) {
        QProcess mame;
        prepareChildProcess(mame);
        mame.start("/bin/sh", {"-c", "echo $$ > killed.pid; exec sleep 60"});
        mame.waitForStarted(5000);
        for (int i = 0; i < 500 && !ReadAll("killed.pid").endsWith('\n'); ++i)
            QThread::msleep(10);
        raise(SIGKILL);
    }
    ASSERT_GT(frontEnd, 0);
    int status = 0;
    ASSERT_EQ(waitpid(frontEnd, &status, 0), frontEnd);
    for (const char* file : {"quit.pid", "killed.pid"}) {
        const qint64 pid = ReadAll(file).trimmed().toLongLong();
        ASSERT_GT(pid, 0) << file;
        EXPECT_TRUE(WaitUntil([pid] {
            const QByteArray state = ReadAll(QString("/proc/%1/status").arg(pid));
            return state == "<missing>" || state.contains("State:\tZ");
        })) << file
            << ": MAME outlived the front end";
    }
}
