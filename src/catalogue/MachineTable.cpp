// SPDX-License-Identifier: GPL-2.0-or-later
#include "catalogue/MachineTable.h"

#include "catalogue/SqliteBulk.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QVariant>
#include <QtEndian>
#include <algorithm>
#include <sqlite3.h> // SQLITE_CORRUPT

const char* const kCreateMachineTables[2] = {
    "CREATE TABLE machine (name TEXT PRIMARY KEY, year TEXT NOT NULL, manufacturer TEXT NOT "
    "NULL, status TEXT NOT NULL, imperfect TEXT NOT NULL, unemulated TEXT NOT NULL, cloneof "
    "TEXT NOT NULL, sourcefile TEXT NOT NULL, softwarelists TEXT NOT NULL, screen TEXT NOT NULL, "
    "rotate INTEGER NOT NULL, screens INTEGER NOT NULL, players INTEGER NOT NULL, coins INTEGER "
    "NOT NULL, mechanical INTEGER NOT NULL, disk INTEGER NOT NULL) WITHOUT ROWID",
    "CREATE TABLE machine_list (id INTEGER PRIMARY KEY CHECK (id = 1), bits BLOB NOT NULL, "
    "names BLOB NOT NULL, manufacturers BLOB NOT NULL, names_hash INTEGER NOT NULL)"};

namespace {

constexpr int kColumnCount = 16;

const QString kColumns =
    QStringLiteral("name, year, manufacturer, status, imperfect, unemulated, cloneof, sourcefile, "
                   "softwarelists, screen, rotate, screens, players, coins, mechanical, disk");

QString statusText(DriverStatus status) {
    switch (status) {
    case DriverStatus::Good:
        return QStringLiteral("good");
    case DriverStatus::Imperfect:
        return QStringLiteral("imperfect");
    case DriverStatus::Preliminary:
        return QStringLiteral("preliminary");
    case DriverStatus::Unknown:
        break;
    }
    return QStringLiteral("");
}

DriverStatus statusFrom(const QString& text) {
    if (text == u"good")
        return DriverStatus::Good;
    if (text == u"imperfect")
        return DriverStatus::Imperfect;
    if (text == u"preliminary")
        return DriverStatus::Preliminary;
    return DriverStatus::Unknown;
}

bool failed(const QSqlQuery& query, QSqlError& error) {
    error = query.lastError();
    return false;
}

// Whether `facts` gave every machine's; else `error` says why not.
bool sourceWhole(const MachineFactsSource& facts, QSqlError& error) {
    const std::optional<QString> failure = facts.failure();
    if (failure)
        error = QSqlError(QString(), *failure, QSqlError::UnknownError);
    return !failure;
}

} // namespace

bool writeMachineTable(QSqlDatabase& database, MachineFactsSource& facts, QSqlError& error) {
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("DELETE FROM machine")))
        return failed(query, error);
    const QString insert = QStringLiteral("INSERT OR REPLACE INTO machine (%1) VALUES (?%2)")
                               .arg(kColumns, QStringLiteral(", ?").repeated(kColumnCount - 1));
    QString status; // the row's status text, kept until the row is stepped
    return insertRows(
               database, insert,
               [&](RowBinder& bind) {
                   const MachineFacts* m = facts.next();
                   if (!m)
                       return false;
                   status = statusText(m->status);
                   int column = 1;
                   for (const QString* text :
                        {&m->name, &m->year, &m->manufacturer, static_cast<const QString*>(&status),
                         &m->imperfectFeatures, &m->unemulatedFeatures, &m->cloneOf, &m->sourceFile,
                         &m->softwareLists, &m->screenType})
                       bind.text(column++, *text);
                   for (const int number : {m->screenRotation, m->screens, m->players, m->coins,
                                            int(m->mechanical), int(m->needsDisk)})
                       bind.number(column++, number);
                   return true;
               },
               error) &&
           sourceWhole(facts, error);
}

bool writeMachineList(QSqlDatabase& database, const MachineList& list, QSqlError& error) {
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("DELETE FROM machine_list")))
        return failed(query, error);
    if (list.empty())
        return true;
    if (!query.prepare(QStringLiteral("INSERT INTO machine_list (id, bits, names, manufacturers, "
                                      "names_hash) VALUES (1, ?, ?, ?, ?)")))
        return failed(query, error);
    query.bindValue(0, list.bits);
    query.bindValue(1, list.names);
    query.bindValue(2, list.manufacturers);
    query.bindValue(3, static_cast<qint64>(list.namesHash));
    return query.exec() || failed(query, error);
}

bool readMachineList(QSqlDatabase& database, MachineList& list, QSqlError& error) {
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("SELECT bits, names, manufacturers, names_hash FROM "
                                   "machine_list WHERE id = 1")))
        return failed(query, error);
    list = {};
    if (!query.next())
        return !query.lastError().isValid() || failed(query, error);
    list.bits = query.value(0).toByteArray();
    list.names = query.value(1).toByteArray();
    list.manufacturers = query.value(2).toByteArray();
    list.namesHash = static_cast<quint64>(query.value(3).toLongLong());
    if (!isWellFormed(list)) {
        list = {};
        // Told like a damaged page, which it is in effect.
        error = QSqlError(
            QString(),
            QCoreApplication::translate("MachineTable", "its list of machines is damaged"),
            QSqlError::StatementError, QString::number(SQLITE_CORRUPT));
        return false;
    }
    return true;
}

std::optional<MachineFacts> readMachineFacts(QSqlDatabase& database, const QString& set,
                                             QSqlError* error) {
    QSqlQuery query(database);
    query.prepare(QStringLiteral("SELECT %1 FROM machine WHERE name = ?").arg(kColumns));
    query.bindValue(0, set);
    const bool found = query.exec() && query.next();
    if (error)
        *error = query.lastError();
    if (!found)
        return std::nullopt;
    const auto text = [&](int column) { return query.value(column).toString(); };
    const auto number = [&](int column) { return query.value(column).toInt(); };
    MachineFacts m;
    m.name = text(0);
    m.year = text(1);
    m.manufacturer = text(2);
    m.status = statusFrom(text(3));
    m.imperfectFeatures = text(4);
    m.unemulatedFeatures = text(5);
    m.cloneOf = text(6);
    m.sourceFile = text(7);
    m.softwareLists = text(8);
    m.screenType = text(9);
    m.screenRotation = number(10);
    m.screens = number(11);
    m.players = number(12);
    m.coins = number(13);
    m.mechanical = number(14) != 0;
    m.needsDisk = number(15) != 0;
    return m;
}

MachineColumns readMachineColumns(QSqlDatabase& database) {
    MachineColumns columns;
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT name, year, status, players, coins FROM machine")))
        return columns;
    const auto small = [](int number) { return static_cast<quint8>(std::clamp(number, 0, 255)); };
    while (query.next()) {
        columns.names.push_back(query.value(0).toString());
        columns.years.push_back(query.value(1).toString());
        columns.statuses.push_back(statusFrom(query.value(2).toString()));
        columns.players.push_back(small(query.value(3).toInt()));
        columns.coins.push_back(small(query.value(4).toInt()));
    }
    if (query.lastError().isValid())
        return {};
    return columns;
}
