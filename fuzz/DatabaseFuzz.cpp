// The database file: a file that reads is written back byte for byte, one
// CR LF after each record, and reads again as the same records.

#include "FuzzCheck.h"
#include "database/DatabaseFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::Input(data, size);
    const Outcome<GameTable> load =
        readDatabase(fuzz::WriteBytes(QStringLiteral("coinslot.dat"), bytes));
    const QList<QByteArray> lines = fuzz::RawLines(bytes);
    const bool empty = !load.ok() && load.failure().endsWith(QStringLiteral(" is empty."));
    FUZZ_CHECK(empty == lines.isEmpty());
    if (!load.ok())
        return 0;
    FUZZ_CHECK(std::ssize(load.value()) == lines.size());

    const QString again = fuzz::Path(QStringLiteral("again.dat"));
    FUZZ_CHECK(writeDatabase(again, load.value()).ok());
    FUZZ_CHECK(fuzz::ReadBytes(again) == lines.join("\r\n") + "\r\n");
    const Outcome<GameTable> reread = readDatabase(again);
    FUZZ_CHECK(reread.ok());
    FUZZ_CHECK(reread.value() == load.value());
    return 0;
}
