// SPDX-License-Identifier: GPL-2.0-or-later
// The thread that reads -listxml straight from MAME's pipe.
#include "frontend/OutputReader.h"
#include "FakeMame.h"
#include "launch/OutputPipe.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

void writeAndClose(int descriptor, const QByteArray& bytes) {
    for (qsizetype at = 0; at < bytes.size();)
        at += ::write(descriptor, bytes.constData() + at, bytes.size() - at);
    closeDescriptor(descriptor);
}

} // namespace

// MAME's end of the pipe may close before the front end hears that MAME has
// ended: the reading, and so the List, must still end only when told, having
// read everything. Past its limit, the reading gives up and says why.
TEST(OutputReader, ReadsAPipeWholeEndsOnlyWhenToldAndGivesUpPastItsLimit) {
    const QByteArray written = QByteArray("<machine/>\n").repeated(200000);
    for (const qint64 limit : {qint64{0}, written.size() - 1}) {
        const Outcome<std::pair<int, int>> pipe = makeOutputPipe();
        ASSERT_TRUE(pipe.ok()) << pipe.failure().toStdString();
        QByteArray read;
        OutputReader reader(pipe.value().first, limit, [&read](const QByteArray& chunk) {
            read += chunk;
            return true;
        });
        std::optional<bool> gaveUp;
        bool ended = false;
        QObject::connect(&reader, &OutputReader::gaveUp, [&](bool passed) { gaveUp = passed; });
        QObject::connect(&reader, &OutputReader::ended, [&ended] { ended = true; });
        writeAndClose(pipe.value().second, written);
        EXPECT_FALSE(waitUntil([&ended] { return ended; }, 1));
        limit ? reader.stop() : reader.end();
        ASSERT_TRUE(waitUntil([&ended] { return ended; }));
        EXPECT_EQ(gaveUp, limit ? std::optional(true) : std::nullopt);
        EXPECT_EQ(read == written, limit == 0);
    }
}
