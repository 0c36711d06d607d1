// The thread that reads -listxml straight from MAME's pipe.
#include "frontend/OutputReader.h"
#include "FakeMame.h"
#include "launch/Platform.h"

#include <gtest/gtest.h>
#include <unistd.h>

// MAME's end of the pipe may close before the front end hears that MAME has
// ended: the reading, and so the List, must still end only when told, having
// read everything.
TEST(OutputReader, ReadsAPipeWholeAndEndsOnlyWhenTold) {
    const Outcome<std::pair<int, int>> pipe = makeOutputPipe();
    ASSERT_TRUE(pipe.ok()) << pipe.failure().toStdString();
    const auto [readEnd, writeEnd] = pipe.value();
    QByteArray read;
    OutputReader reader(readEnd, [&read](const QByteArray& chunk) { read += chunk; });
    bool ended = false;
    QObject::connect(&reader, &OutputReader::ended, [&ended] { ended = true; });
    const QByteArray written = QByteArray("<machine/>\n").repeated(200000);
    for (qsizetype at = 0; at < written.size();)
        at += ::write(writeEnd, written.constData() + at, written.size() - at);
    closeDescriptor(writeEnd);
    EXPECT_FALSE(WaitUntil([&ended] { return ended; }, 1));
    reader.end();
    ASSERT_TRUE(WaitUntil([&ended] { return ended; }));
    EXPECT_EQ(read, written);
}
