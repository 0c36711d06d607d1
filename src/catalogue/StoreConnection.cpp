// SPDX-License-Identifier: GPL-2.0-or-later
#include "catalogue/StoreConnection.h"

#include <QSqlQuery>
#include <atomic>
#include <sqlite3.h>

namespace {

// SQLite's primary result code of the error, or 0.
int primaryCode(const QSqlError& error) {
    return error.nativeErrorCode().toInt() & 0xff;
}

} // namespace

QString uniqueConnectionName() {
    static std::atomic<int> next{0};
    return QStringLiteral("coinslot-store-%1").arg(next++);
}

QSqlDatabase openConnection(const QString& name, const QString& path, int waitMilliseconds) {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    database.setDatabaseName(path);
    database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(waitMilliseconds));
    database.open();
    return database;
}

void closeConnection(const QString& name) {
    if (!QSqlDatabase::contains(name))
        return;
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
}

bool exec(QSqlDatabase& database, const QString& statement, QSqlError& error) {
    QSqlQuery query(database);
    if (query.exec(statement))
        return true;
    error = query.lastError();
    return false;
}

bool isDamage(const QSqlError& error) {
    const int code = primaryCode(error);
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}

bool isBusy(const QSqlError& error) {
    const int code = primaryCode(error);
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

bool isReadOnly(const QSqlError& error) {
    return primaryCode(error) == SQLITE_READONLY;
}
