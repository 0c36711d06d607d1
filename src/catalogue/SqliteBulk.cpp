// SPDX-License-Identifier: GPL-2.0-or-later
#include "catalogue/SqliteBulk.h"

#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>

namespace {

sqlite3* sqliteHandle(QSqlDatabase& database) {
    const QVariant handle = database.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.data());
}

QSqlError sqliteError(sqlite3* handle) {
    return QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(handle)),
                     QSqlError::StatementError, QString::number(sqlite3_errcode(handle)));
}

} // namespace

void RowBinder::text(int column, const QString& value) {
    // A null text would be bound as NULL; the columns hold empty texts.
    const void* data = value.isNull() ? static_cast<const void*>(u"") : value.constData();
    sqlite3_bind_text16(static_cast<sqlite3_stmt*>(m_statement), column, data,
                        static_cast<int>(value.size() * sizeof(char16_t)), SQLITE_STATIC);
}

void RowBinder::number(int column, qint64 value) {
    sqlite3_bind_int64(static_cast<sqlite3_stmt*>(m_statement), column, value);
}

bool insertRows(QSqlDatabase& database, const QString& statement, qsizetype rows,
                const std::function<void(qsizetype row, RowBinder& binder)>& bindRow,
                QSqlError& error) {
    return insertRows(
        database, statement,
        [&, row = qsizetype(0)](RowBinder& binder) mutable {
            if (row == rows)
                return false;
            bindRow(row++, binder);
            return true;
        },
        error);
}

bool insertRows(QSqlDatabase& database, const QString& statement,
                const std::function<bool(RowBinder& binder)>& bindNext, QSqlError& error) {
    sqlite3* handle = sqliteHandle(database);
    if (!handle) {
        error = QSqlError(QStringLiteral("the SQLite driver gives no connection"), {},
                          QSqlError::ConnectionError);
        return false;
    }
    sqlite3_stmt* prepared = nullptr;
    if (sqlite3_prepare_v2(handle, statement.toUtf8().constData(), -1, &prepared, nullptr) !=
        SQLITE_OK) {
        error = sqliteError(handle);
        return false;
    }
    RowBinder binder(prepared);
    bool ok = true;
    while (ok && bindNext(binder)) {
        ok = sqlite3_step(prepared) == SQLITE_DONE;
        if (!ok)
            error = sqliteError(handle);
        sqlite3_reset(prepared);
    }
    sqlite3_finalize(prepared);
    return ok;
}
