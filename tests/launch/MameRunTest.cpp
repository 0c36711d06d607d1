// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/MameRun.h"
#include "FakeMame.h"

#include "QtPrinters.h"

#include <csignal>
#include <functional>

namespace {

QByteArray status(const char* pidFile) {
    return readAll(QString("/proc/%1/status").arg(readAll(pidFile).trimmed().toLongLong()));
}

// Whether the process noted in `pidFile` has ended: gone, or a zombie left to init.
bool ended(const char* pidFile) {
    return readAll(pidFile).trimmed().toLongLong() > 0 && waitUntil([&] {
               const QByteArray state = status(pidFile);
               return state == "<missing>" || state.contains("State:\tZ");
           });
}

// A "MAME" that is a shell script, given "*" and "two words" as its arguments.
MameRunRequest script(const QString& text, const QString& output = {},
                      const QByteArray& counted = {}, qint64 limit = 0) {
    MameRunRequest request;
    request.program = "/bin/sh";
    request.arguments = {"-c", text, "sh", "*", "two words"};
    request.outputFile = output;
    request.countedText = counted;
    request.outputLimit = limit;
    return request;
}

class MameRunTest : public InWorkFolder {
  protected:
    // Runs `request` to its end, calling `onOutput` on each piece of its output.
    RunResult run(const MameRunRequest& request, std::function<void(MameRun&)> onOutput = {}) {
        MameRun run(request);
        QObject::connect(&run, &MameRun::linesCounted, [this](qint64 n) { counted = n; });
        QObject::connect(&run, &MameRun::outputArrived, [&] {
            ++pieces;
            if (onOutput)
                onOutput(run);
        });
        return await<RunResult>(run, &MameRun::finished, [&] { run.start(); })
            .value_or(RunResult{RunEnd::Finished, -999, "<no end>"});
    }
    qint64 counted = 0;
    int pieces = 0;
};

} // namespace

TEST_F(MameRunTest, ArgumentsArriveWholeAndTheOutputIsKeptAndCountedOnceALine) {
    ASSERT_TRUE(QDir().mkdir("a folder"));
    // The counted text is cut in the second line, and whole before the cut in the third.
    const RunResult result =
        run(script("printf '%s\\n%s\\nromset 1\\nromsets\\nrom' \"$1\" \"$2\"; sleep 0.3; "
                   "printf 'set 2\\nxx romset 3'; sleep 0.3; printf ' cut\\nplain\\n'; exit 2",
                   "a folder/out.txt", "romset "));
    EXPECT_EQ(result.end, RunEnd::Finished);
    EXPECT_EQ(result.exitCode, 2); // a status of its own is no failure here
    EXPECT_EQ(readAll("a folder/out.txt"),
              "*\ntwo words\nromset 1\nromsets\nromset 2\nxx romset 3 cut\nplain\n");
    EXPECT_EQ(pieces, 3) << "the output came in other pieces than the test means";
    EXPECT_EQ(counted, 3); // not "romsets", which lacks the blank
}

TEST_F(MameRunTest, ACrashAStartFailureAFullDiskAndTooMuchOutputAreToldApart) {
    const RunResult crash = run(script("echo half; kill -SEGV $$"));
    EXPECT_EQ(crash.end, RunEnd::Crashed);
    EXPECT_TRUE(crash.detail.startsWith("signal 11")) << crash.detail.toStdString();
    MameRunRequest missing;
    missing.program = m_work.filePath("no-such-mame");
    EXPECT_EQ(run(missing).end, RunEnd::FailedToStart);
    const RunResult full = run(script("yes romset | head -c 100000", "/dev/full"));
    EXPECT_EQ(full.end, RunEnd::OutputNotWritten);
    EXPECT_TRUE(full.detail.contains("No space left on device")) << full.detail.toStdString();
    // More output than the request allows, on either stream, ends the run; no limit, no end.
    for (const qint64 limit : {100, 0}) {
        for (const char* stream : {"", ">&2"}) {
            MameRunRequest endless =
                script(QString("yes | head -c 1000000 %1").arg(stream), "out", {}, limit);
            endless.errorFile = "errors";
            endless.limitText = "any report";
            const RunResult result = run(endless);
            EXPECT_EQ(result.end, limit ? RunEnd::OutputNotWritten : RunEnd::Finished) << stream;
            EXPECT_EQ(result.detail,
                      limit ? "MAME printed more than 100 bytes, more than any report" : "");
            EXPECT_EQ(QFileInfo(*stream ? "errors" : "out").size(), limit ? 0 : 1000000);
        }
    }
}

TEST_F(MameRunTest, CancelEndsMameAndEverythingItStartedEvenWhenMameIgnoresTheRequest) {
    // The fake MAME ignores SIGTERM and sleeps half way; a child of the shell beside it.
    const ScopedEnv ignore("FAKEMAME_IGNORE_TERM", "1"), sleep("FAKEMAME_SLEEP", "60");
    bool ignoring = false;
    const auto check = [&](MameRun& run) {
        const QByteArray fake = status("fake.pid");
        const quint64 mask = fake.mid(fake.indexOf("SigIgn:\t") + 8, 16).toULongLong(nullptr, 16);
        ignoring = mask & (quint64(1) << (SIGTERM - 1));
        run.cancel();
    };
    EXPECT_EQ(run(script("sleep 60 & echo $! > child.pid; echo $$ > fake.pid; exec ./mame "
                         "-listfull"),
                  check)
                  .end,
              RunEnd::Cancelled);
    EXPECT_TRUE(ignoring) << "the fake MAME does not ignore SIGTERM";
    EXPECT_TRUE(ended("fake.pid"));
    EXPECT_TRUE(ended("child.pid"));
}
