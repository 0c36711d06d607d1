// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <vector>

// What can still be read of the user's own data in a damaged store, to be
// put into the fresh one that takes its place: the favourites and the plays,
// each table read row by row up to its first damaged page.
struct SalvagedData {
    struct Play {
        QString name;
        qint64 count = 0;
        QString last;
    };
    QStringList favourites;
    std::vector<Play> plays;
};

// Reads what it can of the store at `path` on a connection of its own.
SalvagedData salvage(const QString& path);

// Puts `data` into the store of `database`; the caller holds the transaction.
// False with `error` set when a statement fails.
bool restore(QSqlDatabase& database, const SalvagedData& data, QSqlError& error);

// Checks the whole file (PRAGMA quick_check) on the connection `database`:
// empty when it is whole, else what SQLite found first.
QString checkStore(QSqlDatabase& database);
