// A run whose MAME prints more than its request allows ends there.
#include "FakeMame.h"
#include "launch/MameRun.h"

TEST(OutputLimit, MoreOutputThanTheLimitEndsTheRunAndSaysSo) {
    WorkingFolder work;
    for (const auto& [limit, end] : {std::pair{qint64{100}, RunEnd::OutputNotWritten},
                                     std::pair{qint64{0}, RunEnd::Finished}}) {
        MameRunRequest request;
        request.program = "/bin/sh";
        request.arguments = {"-c", "yes | head -c 1000000"};
        request.outputFile = work.filePath("out");
        request.outputLimit = limit;
        MameRun run(request);
        const std::optional<RunResult> result =
            await<RunResult>(run, &MameRun::finished, [&] { run.start(); });
        ASSERT_TRUE(result);
        EXPECT_EQ(result->end, end) << limit;
        EXPECT_EQ(result->detail,
                  limit ? "MAME printed more than 100 bytes, more than any listing" : "");
        EXPECT_EQ(QFileInfo(work.filePath("out")).size(), limit ? 0 : 1000000);
    }
}
