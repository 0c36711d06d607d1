// SPDX-License-Identifier: GPL-2.0-or-later
// A current MAME's -listxml output, read as it arrives. The input is read
// whole, in two pieces cut where its first byte says, and (up to 1 KB) a byte
// at a time, cut at every position: all reads must build the same table or all fail;
// whatever builds, in either letter-case mode, is sorted by description and
// reads back the same through the database file.

#include "FuzzCheck.h"
#include "database/DatabaseFile.h"
#include "database/ListXmlImport.h"
#include "text/Compare.h"

namespace {

constexpr qsizetype kEveryByteUpTo = 1024;

Outcome<GameTable> readInPieces(const QByteArray& input, const QList<qsizetype>& cuts,
                                bool caseInsensitive) {
    ListXmlReader reader;
    qsizetype at = 0;
    for (const qsizetype cut : cuts) {
        const qsizetype before = reader.machinesRead();
        reader.addData(input.mid(at, cut - at));
        FUZZ_CHECK(reader.machinesRead() >= before || reader.failed());
        at = cut;
    }
    reader.addData(input.mid(at));
    return reader.finish(caseInsensitive);
}

void CheckImport(const QByteArray& input, bool caseInsensitive) {
    static const CaseInsensitiveCompare ignoringCase;
    const qsizetype cut = input.isEmpty() ? 0 : static_cast<uchar>(input[0]) * input.size() / 256;
    // A byte at a time only for short inputs: it is slow, and the two-piece
    // cut covers the rest.
    QList<qsizetype> everyByte;
    for (qsizetype at = 1; at < input.size() && input.size() <= kEveryByteUpTo; ++at)
        everyByte.append(at);
    const Outcome<GameTable> whole = readInPieces(input, {}, caseInsensitive);
    // Failure texts may differ: Qt places an encoding fault where the piece
    // holding it was decoded.
    for (const Outcome<GameTable>& pieces : {readInPieces(input, {cut}, caseInsensitive),
                                             readInPieces(input, everyByte, caseInsensitive)}) {
        FUZZ_CHECK(whole.ok() == pieces.ok());
        FUZZ_CHECK(!whole.ok() || whole.value() == pieces.value());
    }
    if (!whole.ok())
        return;
    const GameTable& games = whole.value();
    FUZZ_CHECK(!games.empty() && std::ssize(games) <= kMaxGames);
    for (size_t i = 1; i < games.size(); ++i) {
        const QString a = games[i - 1].description();
        const QString b = games[i].description();
        FUZZ_CHECK((caseInsensitive ? ignoringCase(a, b) : compareOrdinal(a, b)) <= 0);
    }

    const QString path = fuzz::Path(QStringLiteral("listed.dat"));
    FUZZ_CHECK(writeDatabase(path, games).ok());
    const Outcome<GameTable> load = readDatabase(path);
    FUZZ_CHECK(load.ok());
    FUZZ_CHECK(load.value() == games);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input = fuzz::Input(data, size);
    CheckImport(input, false);
    CheckImport(input, true);
    return 0;
}
