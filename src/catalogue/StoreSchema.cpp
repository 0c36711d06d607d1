// SPDX-License-Identifier: GPL-2.0-or-later
#include "catalogue/StoreSchema.h"

#include "catalogue/DatabaseStamp.h"
#include "catalogue/ListingStore.h"
#include "catalogue/MachineTable.h"
#include "catalogue/SupportTables.h"

#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace {

// The user's own tables and the audit's, as schema version 1 made them.
const char* const kCreateOwnTables[3] = {
    "CREATE TABLE favourite (name TEXT PRIMARY KEY) WITHOUT ROWID",
    "CREATE TABLE play (name TEXT PRIMARY KEY, count INTEGER NOT NULL, last TEXT NOT NULL) "
    "WITHOUT ROWID",
    "CREATE TABLE audit (name TEXT PRIMARY KEY, verdict TEXT NOT NULL, problems TEXT NOT NULL) "
    "WITHOUT ROWID"};

// The columns of `table` in order, or false with `error` set.
bool columnsOf(QSqlDatabase& database, const QString& table, QStringList& columns,
               QSqlError& error) {
    QSqlQuery query(database);
    columns.clear();
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table))) {
        error = query.lastError();
        return false;
    }
    while (query.next())
        columns.append(query.value(1).toString() + u' ' + query.value(2).toString());
    error = query.lastError();
    return !error.isValid();
}

// Each table's columns as the statements make them, from a store made in memory.
const QList<QStringList>& expectedColumns() {
    static const QList<QStringList> expected = [] {
        static std::atomic<int> made{0};
        const QString name = QStringLiteral("coinslot-schema-%1").arg(made++);
        QList<QStringList> columns;
        {
            QSqlDatabase memory = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            memory.setDatabaseName(QStringLiteral(":memory:"));
            memory.open();
            QSqlError error;
            for (const QString& statement : storeTableStatements())
                QSqlQuery(memory).exec(statement);
            for (const QString& table : storeTableNames()) {
                columns.append(QStringList());
                columnsOf(memory, table, columns.back(), error);
            }
            memory.close();
        }
        QSqlDatabase::removeDatabase(name);
        return columns;
    }();
    return expected;
}

} // namespace

QStringList storeTableStatements() {
    QStringList statements;
    for (const char* statement : kCreateMachineTables)
        statements.append(QString::fromLatin1(statement));
    for (const char* statement : kCreateOwnTables)
        statements.append(QString::fromLatin1(statement));
    for (const char* statement : kCreateStampTables)
        statements.append(QString::fromLatin1(statement));
    for (const char* statement : kCreateSupportTables)
        statements.append(QString::fromLatin1(statement));
    for (const char* statement : kCreateListingTables)
        statements.append(QString::fromLatin1(statement));
    return statements;
}

QStringList storeTableNames() {
    QStringList names = {QStringLiteral("machine"),   QStringLiteral("machine_list"),
                         QStringLiteral("favourite"), QStringLiteral("play"),
                         QStringLiteral("audit"),     QStringLiteral("database_stamp")};
    for (const char* name : kSupportTableNames)
        names.append(QString::fromLatin1(name));
    names += {QStringLiteral("listing"),      QStringLiteral("listing_machine"),
              QStringLiteral("listing_rom"),  QStringLiteral("build_machine"),
              QStringLiteral("audit_ground"), QStringLiteral("rom_folder"),
              QStringLiteral("audit_known")};
    return names;
}

bool migrateStore(QSqlDatabase& database, int fromVersion, QSqlError& error) {
    QSqlQuery query(database);
    if (fromVersion < 2) {
        for (const char* statement : kCreateStampTables) {
            if (!query.exec(QString::fromLatin1(statement))) {
                error = query.lastError();
                return false;
            }
        }
    }
    if (fromVersion < 3 && !addSupportTables(database, error))
        return false;
    if (fromVersion < 4 && !addListingTables(database, error))
        return false;
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kStoreVersion))) {
        error = query.lastError();
        return false;
    }
    return true;
}

bool hasStoreColumns(QSqlDatabase& database, QSqlError& error) {
    const QStringList tables = storeTableNames();
    const QList<QStringList>& expected = expectedColumns();
    QStringList columns;
    for (qsizetype i = 0; i < tables.size(); ++i) {
        if (!columnsOf(database, tables[i], columns, error))
            return false;
        if (columns != expected.value(i))
            return false;
    }
    return true;
}
