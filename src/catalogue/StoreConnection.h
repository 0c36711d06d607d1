// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

// Connections to the store. Qt ties each to the thread that opens it, so the
// window, List's and Audit's workers and the thread that keeps the user's
// changes each open their own, under a name of their own.

// A name no other connection has.
QString uniqueConnectionName();

// Opens the connection `name` to the file `path` (made when missing), which
// waits up to `waitMilliseconds` for a store that another connection holds.
QSqlDatabase openConnection(const QString& name, const QString& path, int waitMilliseconds);

// Closes the connection `name` and lets its name go.
void closeConnection(const QString& name);

// Runs one statement; false with `error` set when it fails.
bool exec(QSqlDatabase& database, const QString& statement, QSqlError& error);

// Whether `error` says that the store's file is damaged ("database disk image
// is malformed") or not a store at all.
bool isDamage(const QSqlError& error);
// Whether it says that another connection holds the store (SQLITE_BUSY,
// SQLITE_LOCKED).
bool isBusy(const QSqlError& error);
// Whether it says that the store cannot be written (SQLITE_READONLY).
bool isReadOnly(const QSqlError& error);
