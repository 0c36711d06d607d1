// SPDX-License-Identifier: GPL-2.0-or-later
#include "catalogue/SqliteBulk.h"

#include <QCoreApplication>
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

// `statement` prepared on the connection's SQLite handle (given in `handle`),
// or null with `error` set.
sqlite3_stmt* prepare(QSqlDatabase& database, const QString& statement, sqlite3*& handle,
                      QSqlError& error) {
    handle = sqliteHandle(database);
    if (!handle) {
        error = QSqlError(
            QCoreApplication::translate("SqliteBulk", "the SQLite driver gives no connection"), {},
            QSqlError::ConnectionError);
        return nullptr;
    }
    sqlite3_stmt* prepared = nullptr;
    if (sqlite3_prepare_v2(handle, statement.toUtf8().constData(), -1, &prepared, nullptr) !=
        SQLITE_OK) {
        error = sqliteError(handle);
        return nullptr;
    }
    return prepared;
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

void RowBinder::utf8(int column, QByteArrayView value) {
    sqlite3_bind_text(static_cast<sqlite3_stmt*>(m_statement), column,
                      value.isNull() ? "" : value.data(), static_cast<int>(value.size()),
                      SQLITE_TRANSIENT);
}

void RowBinder::blob(int column, QByteArrayView value) {
    sqlite3_bind_blob(static_cast<sqlite3_stmt*>(m_statement), column,
                      value.isNull() ? "" : value.data(), static_cast<int>(value.size()),
                      SQLITE_TRANSIENT);
}

void RowBinder::null(int column) {
    sqlite3_bind_null(static_cast<sqlite3_stmt*>(m_statement), column);
}

QString RowReader::text(int column) const {
    const QByteArrayView raw = bytes(column);
    return QString::fromUtf8(raw);
}

QByteArrayView RowReader::bytes(int column) const {
    auto* statement = static_cast<sqlite3_stmt*>(m_statement);
    const auto* data = static_cast<const char*>(sqlite3_column_blob(statement, column));
    return QByteArrayView(data, sqlite3_column_bytes(statement, column));
}

qint64 RowReader::number(int column) const {
    return sqlite3_column_int64(static_cast<sqlite3_stmt*>(m_statement), column);
}

bool selectRows(QSqlDatabase& database, const QString& statement,
                const std::function<void(const RowReader& row)>& readRow, QSqlError& error) {
    return selectRows(database, statement, {}, readRow, error);
}

bool selectRows(QSqlDatabase& database, const QString& statement, const QStringList& values,
                const std::function<void(const RowReader& row)>& readRow, QSqlError& error) {
    sqlite3* handle = nullptr;
    sqlite3_stmt* prepared = prepare(database, statement, handle, error);
    if (!prepared)
        return false;
    for (int i = 0; i < values.size(); ++i) {
        const QByteArray value = values[i].toUtf8();
        sqlite3_bind_text(prepared, i + 1, value.constData(), int(value.size()), SQLITE_TRANSIENT);
    }
    const RowReader reader(prepared);
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(prepared)) == SQLITE_ROW)
        readRow(reader);
    const bool ok = step == SQLITE_DONE;
    if (!ok)
        error = sqliteError(handle);
    sqlite3_finalize(prepared);
    return ok;
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
    sqlite3* handle = nullptr;
    sqlite3_stmt* prepared = prepare(database, statement, handle, error);
    if (!prepared)
        return false;
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
