// SPDX-License-Identifier: GPL-2.0-or-later
#include "catalogue/ListingStore.h"

#include "catalogue/SqliteBulk.h"

#include <QSqlQuery>
#include <QVariant>

const char* const kCreateListingTables[7] = {
    "CREATE TABLE listing (which TEXT PRIMARY KEY CHECK (which IN ('current', 'previous')), "
    "build TEXT NOT NULL, listed_with TEXT NOT NULL, contents TEXT NOT NULL) WITHOUT ROWID",
    "CREATE TABLE listing_machine (name TEXT PRIMARY KEY, romof TEXT NOT NULL, devices TEXT NOT "
    "NULL, disks TEXT NOT NULL, runnable INTEGER NOT NULL) WITHOUT ROWID",
    "CREATE TABLE listing_rom (machine TEXT NOT NULL, name TEXT NOT NULL, size INTEGER, crc "
    "INTEGER, sha1 BLOB, merge TEXT NOT NULL, status TEXT NOT NULL, disk INTEGER NOT NULL)",
    "CREATE TABLE build_machine (build TEXT NOT NULL, name TEXT NOT NULL, description TEXT NOT "
    "NULL, parent TEXT NOT NULL, status INTEGER NOT NULL, roms INTEGER NOT NULL, PRIMARY KEY "
    "(build, name)) WITHOUT ROWID",
    "CREATE TABLE audit_ground (id INTEGER PRIMARY KEY CHECK (id = 1), audited_with TEXT NOT "
    "NULL, listing TEXT NOT NULL, folders TEXT NOT NULL)",
    "CREATE TABLE rom_folder (name TEXT PRIMARY KEY, state INTEGER NOT NULL) WITHOUT ROWID",
    "CREATE TABLE audit_known (name TEXT PRIMARY KEY, verdict TEXT NOT NULL, problems TEXT NOT "
    "NULL) WITHOUT ROWID"};

namespace {

bool run(QSqlDatabase& database, const QString& statement, QSqlError& error,
         const QVariantList& values = {}) {
    QSqlQuery query(database);
    if (!query.prepare(statement)) {
        error = query.lastError();
        return false;
    }
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (query.exec())
        return true;
    error = query.lastError();
    return false;
}

struct ListingRow {
    QString build;
    QString listedWith;
    QString contents;
};

bool readListingRow(QSqlDatabase& database, const QString& which, std::optional<ListingRow>& row,
                    QSqlError& error) {
    QSqlQuery query(database);
    query.prepare(
        QStringLiteral("SELECT build, listed_with, contents FROM listing WHERE which = ?"));
    query.bindValue(0, which);
    if (!query.exec()) {
        error = query.lastError();
        return false;
    }
    row.reset();
    if (query.next())
        row = ListingRow{query.value(0).toString(), query.value(1).toString(),
                         query.value(2).toString()};
    return true;
}

bool writeListingRow(QSqlDatabase& database, const QString& which, const ListingRow& row,
                     QSqlError& error) {
    return run(database,
               QStringLiteral("INSERT OR REPLACE INTO listing (which, build, listed_with, "
                              "contents) VALUES (?, ?, ?, ?)"),
               error, {which, row.build, row.listedWith, row.contents});
}

QByteArray joined(const std::vector<QByteArrayView>& words) {
    QByteArray text;
    for (const QByteArrayView word : words) {
        if (!text.isEmpty())
            text += ' ';
        text += word;
    }
    return text;
}

QString dumpStatusText(DumpStatus status) {
    switch (status) {
    case DumpStatus::BadDump:
        return QStringLiteral("baddump");
    case DumpStatus::NoDump:
        return QStringLiteral("nodump");
    case DumpStatus::Good:
        break;
    }
    return QString();
}

QSqlError spoolError(const QString& why) {
    return QSqlError(QString(), why, QSqlError::UnknownError);
}

// The listing's machines and their ROMs, replacing the last one's: two passes
// over the listing, one for each table.
bool writeRomListing(QSqlDatabase& database, const RomListing& roms, QSqlError& error) {
    if (!run(database, QStringLiteral("DELETE FROM listing_machine"), error) ||
        !run(database, QStringLiteral("DELETE FROM listing_rom"), error))
        return false;
    RomListing::Reader machines(roms);
    const bool machinesWritten = insertRows(
        database,
        QStringLiteral("INSERT OR REPLACE INTO listing_machine (name, romof, devices, disks, "
                       "runnable) VALUES (?, ?, ?, ?, ?)"),
        [&](RowBinder& bind) {
            if (!machines.next())
                return false;
            std::vector<QByteArrayView> disks;
            for (const RomEntry& rom : machines.roms()) {
                if (rom.disk)
                    disks.push_back(rom.name);
            }
            bind.utf8(1, machines.name());
            bind.utf8(2, machines.romOf());
            bind.utf8(3, joined(machines.devicesWithRoms()));
            bind.utf8(4, joined(disks));
            bind.number(5, machines.runnable() ? 1 : 0);
            return true;
        },
        error);
    if (!machinesWritten)
        return false;
    if (const auto failure = machines.failure()) {
        error = spoolError(*failure);
        return false;
    }
    // One row per ROM: the machines' ROMs one after another.
    const QString statuses[] = {dumpStatusText(DumpStatus::Good),
                                dumpStatusText(DumpStatus::BadDump),
                                dumpStatusText(DumpStatus::NoDump)};
    RomListing::Reader machine(roms);
    size_t next = 0;
    const bool romsWritten = insertRows(
        database,
        QStringLiteral("INSERT INTO listing_rom (machine, name, size, crc, sha1, merge, "
                       "status, disk) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
        [&](RowBinder& bind) {
            while (next == machine.roms().size()) {
                if (!machine.next())
                    return false;
                next = 0;
            }
            const RomEntry& rom = machine.roms()[next++];
            bind.utf8(1, machine.name());
            bind.utf8(2, rom.name);
            if (rom.disk)
                bind.null(3);
            else
                bind.number(3, rom.size);
            if (rom.crc)
                bind.number(4, *rom.crc);
            else
                bind.null(4);
            if (rom.sha1.isEmpty())
                bind.null(5);
            else
                bind.blob(5, rom.sha1);
            bind.utf8(6, rom.merge);
            bind.text(7, statuses[static_cast<int>(rom.status)]);
            bind.number(8, rom.disk ? 1 : 0);
            return true;
        },
        error);
    if (romsWritten && machine.failure())
        error = spoolError(*machine.failure());
    return romsWritten && !machine.failure();
}

// The machines of `build` that the other build has not as they are: under
// another name, with another status or other files. Only those can have
// changed.
bool readDiffering(QSqlDatabase& database, const QString& build, const QString& other,
                   BuildDigests& digests, QSqlError& error) {
    return selectRows(
        database,
        QStringLiteral("SELECT name, description, parent, status, roms FROM build_machine AS m "
                       "WHERE build = ? AND NOT EXISTS (SELECT 1 FROM build_machine AS o WHERE "
                       "o.build = ? AND o.name = m.name AND o.status = m.status AND o.roms = "
                       "m.roms)"),
        {build, other},
        [&digests](const RowReader& row) {
            digests.push_back({row.text(0), row.text(1), row.text(2),
                               static_cast<DriverStatus>(row.number(3)),
                               static_cast<quint64>(row.number(4))});
        },
        error);
}

bool writeDigests(QSqlDatabase& database, const QString& build, const BuildDigestSource& digests,
                  QSqlError& error) {
    return insertRows(
        database,
        QStringLiteral("INSERT OR REPLACE INTO build_machine (build, name, description, parent, "
                       "status, roms) VALUES (?, ?, ?, ?, ?, ?)"),
        digests.size,
        [&](qsizetype row, RowBinder& bind) {
            const MachineDigest machine = digests.at(row);
            bind.text(1, build);
            bind.text(2, machine.name);
            bind.text(3, machine.description);
            bind.text(4, machine.parent);
            bind.number(5, static_cast<qint64>(machine.status));
            bind.number(6, static_cast<qint64>(machine.roms));
        },
        error);
}

// Moves the favourite mark and the plays of each renamed set to its new name;
// plays already counted under the new name are added to.
bool followRenames(QSqlDatabase& database, const BuildChanges& changes, QSqlError& error) {
    for (const auto& [from, to] : changes.renamed) {
        const QVariantList names{to.name, from.name};
        if (!run(database,
                 QStringLiteral("INSERT OR IGNORE INTO favourite (name) SELECT ? FROM favourite "
                                "WHERE name = ?"),
                 error, names) ||
            !run(database, QStringLiteral("DELETE FROM favourite WHERE name = ?"), error,
                 {from.name}) ||
            !run(database,
                 QStringLiteral("INSERT INTO play (name, count, last) SELECT ?, count, last FROM "
                                "play WHERE name = ? ON CONFLICT (name) DO UPDATE SET count = "
                                "count + excluded.count, last = max(last, excluded.last)"),
                 error, names) ||
            !run(database, QStringLiteral("DELETE FROM play WHERE name = ?"), error, {from.name}))
            return false;
    }
    return true;
}

// The favourites that `build` has no machine for, by name.
bool readMissingFavourites(QSqlDatabase& database, const QString& build, QStringList& missing,
                           QSqlError& error) {
    return selectRows(
        database,
        QStringLiteral("SELECT name FROM favourite WHERE name NOT IN (SELECT name FROM "
                       "build_machine WHERE build = ?) ORDER BY name"),
        {build}, [&missing](const RowReader& row) { missing.append(row.text(0)); }, error);
}

// What the ROM tables hold: equal keys, equal tables (the build's name is
// kept apart).
QString contentsKey(const ListingUpdate& update) {
    return QString::number(update.roms->contentHash(), 16);
}

} // namespace

bool addListingTables(QSqlDatabase& database, QSqlError& error) {
    for (const char* statement : kCreateListingTables) {
        if (!run(database, QString::fromLatin1(statement), error))
            return false;
    }
    return true;
}

bool keepListing(QSqlDatabase& database, const ListingUpdate* update,
                 std::optional<BuildChanges>& changes, QSqlError& error) {
    changes.reset();
    if (!update || !update->roms) {
        for (const char* table : {"listing", "listing_machine", "listing_rom", "build_machine"}) {
            if (!run(database, QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)), error))
                return false;
        }
        return true;
    }
    std::optional<ListingRow> last;
    if (!readListingRow(database, QStringLiteral("current"), last, error))
        return false;
    const ListingRow now{update->build, update->listedWith, contentsKey(*update)};
    // The same listing again needs no rewriting of its 300,000 ROMs.
    if ((!last || last->contents != now.contents) &&
        !writeRomListing(database, *update->roms, error))
        return false;

    if (last && !last->build.isEmpty() && !now.build.isEmpty() && last->build != now.build) {
        // The new build's machines go beside the last one's, and the store
        // compares the two: only the machines that differ are read.
        BuildDigests before;
        BuildDigests after;
        if (!run(database, QStringLiteral("DELETE FROM build_machine WHERE build <> ?"), error,
                 {last->build}) ||
            !writeDigests(database, now.build, update->digests, error) ||
            !readDiffering(database, last->build, now.build, before, error) ||
            !readDiffering(database, now.build, last->build, after, error))
            return false;
        BuildChanges found = compareBuilds(before, after);
        found.build = now.build;
        found.previousBuild = last->build;
        if (!followRenames(database, found, error) ||
            !readMissingFavourites(database, now.build, found.missingFavourites, error) ||
            !writeListingRow(database, QStringLiteral("previous"), *last, error))
            return false;
        changes = std::move(found);
        return writeListingRow(database, QStringLiteral("current"), now, error);
    }
    if (last && last->build == now.build) {
        if (!run(database, QStringLiteral("DELETE FROM build_machine WHERE build = ?"), error,
                 {now.build}))
            return false;
    } else if (!run(database, QStringLiteral("DELETE FROM build_machine"), error) ||
               !run(database, QStringLiteral("DELETE FROM listing WHERE which = 'previous'"),
                    error)) {
        return false;
    }
    return writeDigests(database, now.build, update->digests, error) &&
           writeListingRow(database, QStringLiteral("current"), now, error);
}

bool readAuditMemory(QSqlDatabase& database, AuditMemory& memory, QSqlError& error) {
    std::optional<ListingRow> listing;
    if (!readListingRow(database, QStringLiteral("current"), listing, error))
        return false;
    if (listing) {
        memory.listedWith = listing->listedWith;
        memory.listing = listing->contents;
    }
    const auto words = [](const RowReader& row, int column) {
        const QString text = row.text(column);
        return text.isEmpty() ? QStringList() : text.split(u' ');
    };
    return selectRows(
               database, QStringLiteral("SELECT audited_with, listing, folders FROM audit_ground"),
               [&memory](const RowReader& row) {
                   memory.auditedWith = row.text(0);
                   memory.auditedListing = row.text(1);
                   memory.auditedFolders = row.text(2);
               },
               error) &&
           selectRows(
               database, QStringLiteral("SELECT name, state FROM rom_folder"),
               [&memory](const RowReader& row) {
                   memory.folders.insert(row.text(0), static_cast<quint64>(row.number(1)));
               },
               error) &&
           selectRows(
               database, QStringLiteral("SELECT name, verdict, problems FROM audit_known"),
               [&memory](const RowReader& row) {
                   const QString problems = row.text(2);
                   QString name = row.text(0);
                   memory.verdicts.insert(
                       name, {name, verdictNamed(row.text(1)),
                              problems.isEmpty() ? QStringList() : problems.split(u'\n')});
               },
               error) &&
           selectRows(
               database,
               QStringLiteral("SELECT name, romof, devices, disks, runnable FROM listing_machine"),
               [&](const RowReader& row) {
                   memory.machines.insert(row.text(0), {row.text(1), words(row, 2), words(row, 3),
                                                        row.number(4) != 0});
               },
               error);
}

bool writeAuditRecord(QSqlDatabase& database, const AuditRecord& record, QSqlError& error) {
    if (record.full || record.auditedWith.isEmpty()) {
        for (const char* table : {"audit_ground", "rom_folder", "audit_known"}) {
            if (!run(database, QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)), error))
                return false;
        }
        if (record.auditedWith.isEmpty())
            return true;
    }
    const std::vector<QString> folderNames(record.folders.keyBegin(), record.folders.keyEnd());
    std::vector<QString> problems;
    problems.reserve(record.verdicts.size());
    for (const SetFinding& finding : record.verdicts)
        problems.push_back(finding.problems.join(u'\n'));
    std::vector<QString> verdicts;
    verdicts.reserve(record.verdicts.size());
    for (const SetFinding& finding : record.verdicts)
        verdicts.push_back(verdictName(finding.verdict));
    const auto deleteNamed = [&](const char* table, const QStringList& names) {
        return insertRows(
            database, QStringLiteral("DELETE FROM %1 WHERE name = ?").arg(QLatin1String(table)),
            names.size(), [&](qsizetype row, RowBinder& bind) { bind.text(1, names[row]); }, error);
    };
    return deleteNamed("rom_folder", record.goneFolders) &&
           deleteNamed("audit_known", record.forgotten) &&
           insertRows(
               database,
               QStringLiteral("INSERT OR REPLACE INTO rom_folder (name, state) VALUES (?, ?)"),
               std::ssize(folderNames),
               [&](qsizetype row, RowBinder& bind) {
                   const QString& name = folderNames[size_t(row)];
                   bind.text(1, name);
                   bind.number(2, static_cast<qint64>(record.folders.value(name)));
               },
               error) &&
           insertRows(
               database,
               QStringLiteral(
                   "INSERT OR REPLACE INTO audit_known (name, verdict, problems) VALUES (?, ?, ?)"),
               std::ssize(record.verdicts),
               [&](qsizetype row, RowBinder& bind) {
                   bind.text(1, record.verdicts[size_t(row)].set);
                   bind.text(2, verdicts[size_t(row)]);
                   bind.text(3, problems[size_t(row)]);
               },
               error) &&
           run(database,
               QStringLiteral("INSERT OR REPLACE INTO audit_ground (id, audited_with, listing, "
                              "folders) VALUES (1, ?, ?, ?)"),
               error, {record.auditedWith, record.auditedListing, record.auditedFolders});
}
