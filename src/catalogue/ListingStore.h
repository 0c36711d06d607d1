// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/AuditScope.h"
#include "database/BuildChanges.h"
#include "database/RomListing.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <optional>

// The store's tables for what a current MAME listed and for the audit of only
// what changed, and the SQL on them. Callers hold the connection and the
// transaction:
//   listing          the last List's build, the MAME file that printed it and
//                    a key for its contents ('current'), and the build before
//                    ('previous')
//   listing_machine  per machine (devices and BIOS sets too): romof, the
//                    devices with files it uses, its disks, runnable or not
//   listing_rom      per ROM or disk: name, size, CRC, SHA-1, merge, status
//   build_machine    per build (the last two) and machine that can be run:
//                    description, parent, driver status, ROM digest
//   audit_ground     what the last audit with a current MAME rested on
//   rom_folder       the ROM folders' state before that audit ran
//   audit_known      the verdicts known to hold for that state

// The statements that make the tables.
extern const char* const kCreateListingTables[7];

// Adds the tables (a new store, or an older one): nothing is dropped or
// changed; the caller holds the transaction and sets the version.
bool addListingTables(QSqlDatabase& database, QSqlError& error);

// What a List with a current MAME hands to the store beside the machine facts.
struct ListingUpdate {
    QString build;                    // <mame build="...">
    QString listedWith;               // the MAME file that printed it (path, size, time)
    const RomListing* roms = nullptr; // ended (RomListing::end)
    BuildDigestSource digests;        // of the machines that can be run
};

// Keeps `update`'s listing, replacing the last one. When its build is another
// than the last List's (both known), compares the two builds into `changes`,
// moves each renamed set's favourite mark, play count and last play to its
// new name, and names the favourites the new build has no machine for (they
// stay). Without an update (an old MAME) the listing is forgotten, so that
// the next List compares nothing. False with `error` set when a statement
// fails.
bool keepListing(QSqlDatabase& database, const ListingUpdate* update,
                 std::optional<BuildChanges>& changes, QSqlError& error);

// Reads what an audit of only what changed rests on.
bool readAuditMemory(QSqlDatabase& database, AuditMemory& memory, QSqlError& error);

// Remembers an audit that stands.
bool writeAuditRecord(QSqlDatabase& database, const AuditRecord& record, QSqlError& error);
