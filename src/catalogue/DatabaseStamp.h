// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <optional>

// Which database file the store describes: the file's size and modification
// time as they were when the store's machine facts were committed with it.
// A store whose stamp is not that of the file beside it describes another
// database (a List or Audit was killed between the file's replacement and the
// store's commit, or the file was replaced by hand): its facts are then
// taken as missing until the next List. The set names need no stamp of their
// own: the machine list carries their hash (MachineList::namesHash).
struct DatabaseStamp {
    qint64 size = -1;    // -1: there is no such file
    qint64 modified = 0; // nanoseconds since the epoch
    bool operator==(const DatabaseStamp&) const = default;
};

// The stamp of `databaseFile` as it is now.
DatabaseStamp stampOf(const QString& databaseFile);

// The statements that a store of schema version 2 adds to version 1: the
// table "database_stamp", one row.
extern const char* const kCreateStampTables[1];

// Replaces the stamp; false with `error` set when it fails. The caller holds
// the transaction.
bool writeStamp(QSqlDatabase& database, const DatabaseStamp& stamp, QSqlError& error);

// The stamp, when the store has one; false with `error` set when it cannot be read.
bool readStamp(QSqlDatabase& database, std::optional<DatabaseStamp>& stamp, QSqlError& error);
