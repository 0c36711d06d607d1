// SPDX-License-Identifier: GPL-2.0-or-later
#include "catalogue/DatabaseStamp.h"

#include "text/SystemPath.h"

#include <QSqlQuery>
#include <QVariant>

#include <sys/stat.h>

const char* const kCreateStampTables[1] = {
    "CREATE TABLE database_stamp (id INTEGER PRIMARY KEY CHECK (id = 1), size INTEGER NOT NULL, "
    "modified INTEGER NOT NULL)"};

DatabaseStamp stampOf(const QString& databaseFile) {
    struct stat st {};
    if (::stat(systemPath(databaseFile).constData(), &st) != 0)
        return {};
    return {qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

bool writeStamp(QSqlDatabase& database, const DatabaseStamp& stamp, QSqlError& error) {
    QSqlQuery query(database);
    if (!query.prepare(QStringLiteral("INSERT OR REPLACE INTO database_stamp (id, size, modified) "
                                      "VALUES (1, ?, ?)"))) {
        error = query.lastError();
        return false;
    }
    query.bindValue(0, stamp.size);
    query.bindValue(1, stamp.modified);
    if (query.exec())
        return true;
    error = query.lastError();
    return false;
}

bool readStamp(QSqlDatabase& database, std::optional<DatabaseStamp>& stamp, QSqlError& error) {
    QSqlQuery query(database);
    stamp.reset();
    if (!query.exec(QStringLiteral("SELECT size, modified FROM database_stamp WHERE id = 1"))) {
        error = query.lastError();
        return false;
    }
    if (query.next())
        stamp = DatabaseStamp{query.value(0).toLongLong(), query.value(1).toLongLong()};
    error = query.lastError();
    return !error.isValid();
}
