// SPDX-License-Identifier: GPL-2.0-or-later
// What the change report adds to a List of 39,372 machines: the store's side
// of a List (keepListing, in a transaction rolled back after each run) with
// a new build, which reads the last build's digests, compares, moves the
// favourites of renamed sets and writes the report's lines, against the same
// List with the same build, which does none of that. Both keep the same ROM
// listing, which is already stored and so not written again.
#include "catalogue/Catalogue.h"
#include "catalogue/ListingStore.h"
#include "database/BuildChanges.h"
#include "text/TextFile.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kMachines = 39372;

// A listing of kMachines machines with a ROM each, and its digests under two
// builds that differ in 300 machines (60 each renamed, removed, added, now
// working and with other ROMs).
struct Builds {
    RomListing roms;
    BuildDigests before;
    BuildDigests after;

    Builds() {
        for (int i = 0; i < kMachines; ++i) {
            const QByteArray name = "m" + QByteArray::number(i);
            roms.beginMachine(name, {}, true);
            RomEntry rom;
            rom.name = "a.bin";
            rom.size = 1024;
            rom.crc = quint32(i);
            roms.addRom(rom);
            before.push_back({QString::fromLatin1(name),
                              "Game " + QString::fromLatin1(name),
                              {},
                              i % 50 == 3 ? DriverStatus::Preliminary : DriverStatus::Good,
                              quint64(i) + 1});
        }
        roms.end();
        after = before;
        for (int i = 0; i < 60; ++i) {
            after[size_t(i * 600)].name += "r";     // renamed
            after[size_t(i * 600 + 1)].name += "x"; // removed, and added
            after[size_t(i * 600 + 1)].roms += 1000000;
            after[size_t(i * 600 + 3)].status = DriverStatus::Good; // now working
            after[size_t(i * 600 + 4)].roms += 2000000;             // other ROMs
        }
    }
};

const Builds& builds() {
    static const Builds made;
    return made;
}

// A store holding the listing under `build`, with a few favourites.
QString storeWith(const QTemporaryDir& dir, const QString& build) {
    const QString path = dir.filePath(build + ".sqlite");
    Catalogue store(path);
    (void)store.open();
    for (const char* set : {"m0", "m601", "m9000"})
        (void)store.setFavourite(set, true);
    const ListingUpdate update{build, "mame", &builds().roms, digestsOf(builds().before)};
    std::optional<BuildChanges> changes;
    (void)Catalogue::change(path, [&](QSqlDatabase& db, QSqlError& error) {
        return keepListing(db, &update, changes, error);
    });
    return path;
}

void runList(benchmark::State& state, const QString& storedBuild) {
    QTemporaryDir dir;
    const QString path = storeWith(dir, storedBuild);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench");
        db.setDatabaseName(path);
        db.open();
        const ListingUpdate update{"0.252", "mame", &builds().roms, digestsOf(builds().after)};
        qsizetype changed = 0;
        for (auto _ : state) {
            db.transaction();
            std::optional<BuildChanges> changes;
            QSqlError error;
            if (!keepListing(db, &update, changes, error))
                state.SkipWithError(qPrintable(error.text()));
            if (changes) {
                const QStringList lines = changesReportLines(*changes);
                (void)writeLinesAtomically(dir.filePath("changes.txt"), lines);
                changed = changes->machineCount();
            }
            db.rollback();
        }
        state.counters["changed"] = double(changed);
    }
    QSqlDatabase::removeDatabase("bench");
}

void BM_ListWithANewBuild(benchmark::State& state) {
    runList(state, "0.251");
}
void BM_ListWithTheSameBuild(benchmark::State& state) {
    runList(state, "0.252");
}

} // namespace

BENCHMARK(BM_ListWithANewBuild)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ListWithTheSameBuild)->Unit(benchmark::kMillisecond)->UseRealTime();
