// SPDX-License-Identifier: GPL-2.0-or-later
// The three listings of an old MAME (-listfull, -listclones, -listsourcefile),
// cut from the input at NUL bytes; a listing the input does not reach counts
// as one MAME left no file for. Each is written to a file and read back as
// List reads it: a file whose last line has no line end, or with a line
// longer than kLongestListingLine bytes, fails; otherwise the result is what
// the lines themselves give. Whatever builds, in either letter-case mode, is
// sorted by description and reads back the same through the database file.

#include "FuzzCheck.h"
#include "database/DatabaseFile.h"
#include "database/ListingImport.h"
#include "text/Compare.h"
#include "text/TextFile.h"

#include <array>

namespace {

void CheckImport(const QList<QByteArray>& parts, bool caseInsensitive) {
    static const CaseInsensitiveCompare ignoringCase;
    std::array<std::optional<QStringList>, 3> listings;
    std::array<QString, 3> files;
    bool readable = true;
    for (qsizetype i = 0; i < 3; ++i) {
        files[i] = fuzz::Path(QStringLiteral("listing%1").arg(i));
        QFile::remove(files[i]);
        if (i >= parts.size())
            continue;
        const QByteArray& part = parts[i];
        fuzz::WriteBytes(QStringLiteral("listing%1").arg(i), part);
        listings[i] = splitLines(part);
        readable = readable && (part.isEmpty() || part.endsWith('\r') || part.endsWith('\n'));
        for (const QByteArray& line : fuzz::RawLines(part))
            readable = readable && line.size() <= kLongestListingLine;
    }
    const Outcome<GameTable> fromFiles =
        importListingFiles(files[0], files[1], files[2], caseInsensitive);
    if (!readable) {
        FUZZ_CHECK(!fromFiles.ok());
        return;
    }
    const Outcome<GameTable> import =
        importListings(listings[0], listings[1], listings[2], caseInsensitive);
    FUZZ_CHECK(fromFiles.ok() == import.ok());
    FUZZ_CHECK(fromFiles.failure() == import.failure());
    if (!import.ok())
        return;
    const GameTable& games = import.value();
    FUZZ_CHECK(fromFiles.value() == games);
    FUZZ_CHECK(!games.empty());
    FUZZ_CHECK(listings[0] && std::ssize(games) == listings[0]->size() - 1);
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
    const QList<QByteArray> parts = fuzz::Input(data, size).split('\0');
    CheckImport(parts, false);
    CheckImport(parts, true);
    return 0;
}
