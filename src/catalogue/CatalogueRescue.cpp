// SPDX-License-Identifier: GPL-2.0-or-later
#include "catalogue/CatalogueRescue.h"

#include "catalogue/StoreConnection.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

// Calls `take` on each row of `statement` until the rows end or one cannot be read.
template <class Take> void readRows(QSqlDatabase& database, const QString& statement, Take take) {
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(statement))
        return;
    while (query.next())
        take(query);
}

} // namespace

SalvagedData salvage(const QString& path) {
    SalvagedData data;
    const QString name = uniqueConnectionName();
    {
        QSqlDatabase database = openConnection(name, path, 0);
        readRows(database, QStringLiteral("SELECT name FROM favourite"),
                 [&](const QSqlQuery& row) { data.favourites.append(row.value(0).toString()); });
        readRows(database, QStringLiteral("SELECT name, count, last FROM play"),
                 [&](const QSqlQuery& row) {
                     data.plays.push_back({row.value(0).toString(), row.value(1).toLongLong(),
                                           row.value(2).toString()});
                 });
    }
    closeConnection(name);
    return data;
}

bool restore(QSqlDatabase& database, const SalvagedData& data, QSqlError& error) {
    QSqlQuery favourite(database), play(database);
    if (!favourite.prepare(QStringLiteral("INSERT OR IGNORE INTO favourite (name) VALUES (?)")) ||
        !play.prepare(QStringLiteral("INSERT OR IGNORE INTO play (name, count, last) VALUES (?, "
                                     "?, ?)"))) {
        error = favourite.lastError().isValid() ? favourite.lastError() : play.lastError();
        return false;
    }
    for (const QString& name : data.favourites) {
        favourite.bindValue(0, name);
        if (!favourite.exec()) {
            error = favourite.lastError();
            return false;
        }
    }
    for (const SalvagedData::Play& row : data.plays) {
        play.bindValue(0, row.name);
        play.bindValue(1, row.count);
        play.bindValue(2, row.last);
        if (!play.exec()) {
            error = play.lastError();
            return false;
        }
    }
    return true;
}

QString checkStore(QSqlDatabase& database) {
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("PRAGMA quick_check(1)")))
        return query.lastError().text();
    if (!query.next())
        return query.lastError().isValid() ? query.lastError().text()
                                           : QStringLiteral("it could not be checked");
    const QString answer = query.value(0).toString();
    return answer == QLatin1String("ok") ? QString() : answer.simplified(); // one line
}
