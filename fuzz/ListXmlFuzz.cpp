// A current MAME's -listxml output, read as it arrives. The input is read
// twice, whole and in two pieces cut where its first byte says, and both
// reads must build the same table or both fail; whatever builds, in either letter-case mode, is
// sorted by description and reads back the same through the database file.

#include "FuzzCheck.h"
#include "database/DatabaseFile.h"
#include "database/ListXmlImport.h"
#include "text/Compare.h"

namespace {

Outcome<GameTable> readInPieces(const QByteArray& input, qsizetype cut, bool caseInsensitive) {
    ListXmlReader reader;
    reader.addData(input.left(cut));
    const qsizetype before = reader.machinesRead();
    reader.addData(input.mid(cut));
    FUZZ_CHECK(reader.machinesRead() >= before || reader.machinesRead() == 0);
    return reader.finish(caseInsensitive);
}

void CheckImport(const QByteArray& input, bool caseInsensitive) {
    static const CaseInsensitiveCompare ignoringCase;
    const qsizetype cut = input.isEmpty() ? 0 : static_cast<uchar>(input[0]) * input.size() / 256;
    const Outcome<GameTable> import = readInPieces(input, input.size(), caseInsensitive);
    const Outcome<GameTable> pieces = readInPieces(input, cut, caseInsensitive);
    // Failure texts may differ: Qt places an encoding fault where the piece
    // holding it was decoded.
    FUZZ_CHECK(import.ok() == pieces.ok());
    if (!import.ok())
        return;
    FUZZ_CHECK(import.value() == pieces.value());
    const GameTable& games = import.value();
    FUZZ_CHECK(!games.empty() && std::ssize(games) <= kMaxGames);
    for (size_t i = 1; i < games.size(); ++i) {
        const QString& a = games[i - 1].description;
        const QString& b = games[i].description;
        FUZZ_CHECK((caseInsensitive ? ignoringCase(a, b) : compareOrdinal(a, b)) <= 0);
    }

    const QString path = fuzz::Path(QStringLiteral("listed.dat"));
    FUZZ_CHECK(writeDatabase(path, games).ok());
    const Outcome<GameTable> load = readDatabase(path);
    FUZZ_CHECK(load.ok() && load.value() == games);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input = fuzz::Input(data, size);
    CheckImport(input, false);
    CheckImport(input, true);
    return 0;
}
