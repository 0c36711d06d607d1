// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <functional>

// Many rows inserted through SQLite's own API on Qt's connection: Qt binds
// each value through a named placeholder and a variant, which costs twenty
// times what SQLite itself needs for 40,000 rows.
//
// Prepares `statement` (one row's INSERT, "?" for its values), then for each
// row calls `bindRow(row)`, whose binder sets the row's values, and steps it.
// False with `error` set (SQLite's result code as the native code, so a
// damaged file is told like Qt tells it) when a step fails.
class RowBinder {
  public:
    // Texts must outlive the row's step.
    void text(int column, const QString& value);
    void number(int column, qint64 value);
    // UTF-8 text and bytes, copied by SQLite; null() leaves the column NULL.
    void utf8(int column, QByteArrayView value);
    void blob(int column, QByteArrayView value);
    void null(int column);

  private:
    friend bool insertRows(QSqlDatabase&, const QString&, const std::function<bool(RowBinder&)>&,
                           QSqlError&);
    explicit RowBinder(void* statement) : m_statement(statement) {}
    void* m_statement;
};

bool insertRows(QSqlDatabase& database, const QString& statement, qsizetype rows,
                const std::function<void(qsizetype row, RowBinder& binder)>& bindRow,
                QSqlError& error);

// The same for rows that come one after another: `bindNext` binds the next
// row's values and returns true, or returns false when there is none left.
bool insertRows(QSqlDatabase& database, const QString& statement,
                const std::function<bool(RowBinder& binder)>& bindNext, QSqlError& error);
// Many rows read through SQLite's own API: `statement` (with no values to
// bind) is stepped and `readRow` called for each row, whose reader gives the
// row's columns (from 0). False with `error` set when a step fails.
class RowReader {
  public:
    QString text(int column) const;
    QByteArrayView bytes(int column) const; // valid until the next row
    qint64 number(int column) const;

  private:
    friend bool selectRows(QSqlDatabase&, const QString&, const QStringList&,
                           const std::function<void(const RowReader&)>&, QSqlError&);
    explicit RowReader(void* statement) : m_statement(statement) {}
    void* m_statement;
};

bool selectRows(QSqlDatabase& database, const QString& statement,
                const std::function<void(const RowReader& row)>& readRow, QSqlError& error);
// The same with the statement's values (?) bound to `values`, in order.
bool selectRows(QSqlDatabase& database, const QString& statement, const QStringList& values,
                const std::function<void(const RowReader& row)>& readRow, QSqlError& error);
