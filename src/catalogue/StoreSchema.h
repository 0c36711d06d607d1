// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QStringList>

// The store's schema: the statements that make its tables, the step from an
// older version, and a check that a file's tables are the ones they make.

// The schema version that this program writes (PRAGMA user_version).
inline constexpr int kStoreVersion = 4;

// The statements that make the tables of a new store.
QStringList storeTableStatements();

// The tables of the store, by name.
QStringList storeTableNames();

// Brings a store of an older version to this one: it only adds (version 2
// the table of the database stamp, version 3 the tables of MAME's support
// files, version 4 those of a current MAME's listing and of the audit of only
// what changed), so nothing of the user's is ever dropped. The caller
// holds the transaction; false with `error` set when a statement fails.
bool migrateStore(QSqlDatabase& database, int fromVersion, QSqlError& error);

// Whether each of the store's tables has exactly the columns its statement
// makes, in order: a file with the right table names but other columns is
// no store of this program's. False with `error` unset for such a file, or
// with `error` set when the file could not be read.
bool hasStoreColumns(QSqlDatabase& database, QSqlError& error);
