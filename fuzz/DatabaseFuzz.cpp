// SPDX-License-Identifier: GPL-2.0-or-later
// The database file: a file that reads is written back byte for byte, one
// CR LF after each record, and reads again as the same records, unless a
// record is one that the database takes no more of (see unreadableReason).

#include "FuzzCheck.h"
#include "database/DatabaseFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::Input(data, size);
    const Outcome<GameTable> load =
        readDatabase(fuzz::WriteBytes(QStringLiteral("coinslot.dat"), bytes));
    const QList<QByteArray> lines = fuzz::RawLines(bytes);
    if (lines.isEmpty())
        FUZZ_CHECK(!load.ok() && load.failure().endsWith(QStringLiteral(" is empty.")));
    if (!load.ok())
        return 0;
    const GameTable& games = load.value();
    FUZZ_CHECK(std::ssize(games) == lines.size());

    const QString again = fuzz::Path(QStringLiteral("again.dat"));
    const Outcome<Done> written = writeDatabase(again, games);
    FUZZ_CHECK(written.ok() == !findUnreadableRecord(games).has_value());
    if (!written.ok())
        return 0;
    FUZZ_CHECK(fuzz::ReadBytes(again) == lines.join("\r\n") + "\r\n");
    const Outcome<GameTable> reread = readDatabase(again);
    FUZZ_CHECK(reread.ok());
    FUZZ_CHECK(reread.value() == games);
    return 0;
}
