// The three listings of an old MAME (-listfull, -listclones, -listsourcefile),
// cut from the input at NUL bytes; a listing the input does not reach counts
// as one MAME left no file for. Whatever builds, in either letter-case mode,
// is sorted by description and reads back the same through the database file.

#include "FuzzCheck.h"
#include "database/DatabaseFile.h"
#include "database/ListingImport.h"
#include "text/Compare.h"
#include "text/TextFile.h"

#include <array>

namespace {

void CheckImport(const std::array<std::optional<QStringList>, 3>& listings, bool caseInsensitive) {
    static const CaseInsensitiveCompare ignoringCase;
    const Outcome<GameTable> import =
        importListings(listings[0], listings[1], listings[2], caseInsensitive);
    if (!import.ok()) {
        FUZZ_CHECK(!import.failure().isEmpty());
        return;
    }
    const GameTable& games = import.value();
    FUZZ_CHECK(!games.empty());
    FUZZ_CHECK(listings[0] && std::ssize(games) == listings[0]->size() - 1);
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
    const QList<QByteArray> parts = fuzz::Input(data, size).split('\0');
    std::array<std::optional<QStringList>, 3> listings;
    for (qsizetype i = 0; i < 3 && i < parts.size(); ++i)
        listings[i] = splitLines(parts[i]);
    CheckImport(listings, false);
    CheckImport(listings, true);
    return 0;
}
