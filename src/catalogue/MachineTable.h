// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/MachineColumns.h"
#include "database/MachineFacts.h"
#include "database/MachineList.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <optional>

// The catalogue's machine facts and the SQL that reads and writes them: the table
// "machine", one row per set, and beside it "machine_list", one row that
// holds the MachineList of the database file, so that start-up reads a few
// values instead of a row per machine. Callers hold the connection and the
// transaction.

// The statements that make the two tables.
extern const char* const kCreateMachineTables[2];

// Replaces the facts with those `facts` gives; false with `error` set when a
// statement fails.
bool writeMachineTable(QSqlDatabase& database, MachineFactsSource& facts, QSqlError& error);

// Replaces the machine list; false with `error` set when it fails.
bool writeMachineList(QSqlDatabase& database, const MachineList& list, QSqlError& error);

// Reads the machine list (empty when there is none); false with `error` set
// when it cannot be read or is damaged.
bool readMachineList(QSqlDatabase& database, MachineList& list, QSqlError& error);

// The facts of one set, when the table holds them; with `error`, why a read
// that failed did (left unset when the set has none).
std::optional<MachineFacts> readMachineFacts(QSqlDatabase& database, const QString& set,
                                             QSqlError* error = nullptr);

// The facts of every machine as columns (empty when the table cannot be read).
MachineColumns readMachineColumns(QSqlDatabase& database);
