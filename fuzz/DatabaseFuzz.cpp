// The database file: a file that reads is written back byte for byte, one
// CR LF after each record, and reads again as the same records.

#include "FuzzCheck.h"
#include "database/DatabaseFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::Input(data, size);
    const DatabaseLoad load = readDatabase(fuzz::WriteBytes(QStringLiteral("coinslot.dat"), bytes));
    const QList<QByteArray> lines = fuzz::RawLines(bytes);
    FUZZ_CHECK((load.status == DatabaseStatus::EmptyFile) == lines.isEmpty());
    if (load.status != DatabaseStatus::Ok) {
        FUZZ_CHECK(load.games.empty());
        return 0;
    }
    FUZZ_CHECK(std::ssize(load.games) == lines.size());

    const QString again = fuzz::Path(QStringLiteral("again.dat"));
    FUZZ_CHECK(writeDatabase(again, load.games).isEmpty());
    FUZZ_CHECK(fuzz::ReadBytes(again) == lines.join("\r\n") + "\r\n");
    const DatabaseLoad reread = readDatabase(again);
    FUZZ_CHECK(reread.status == DatabaseStatus::Ok);
    FUZZ_CHECK(reread.games == load.games);
    return 0;
}
