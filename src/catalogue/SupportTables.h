// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/CategoryFiles.h"
#include "database/HistoryFile.h"
#include "text/Outcome.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QStringList>
#include <optional>
#include <vector>

// The store's tables for MAME's support files: each set's category
// ("category"), the history index ("history_index", set name -> where its
// entry stands in history.xml), the files they were read from with their
// size and modification time ("support_file"), and the folders searched for
// them ("support_folder"), so that a later start can tell, without asking
// MAME, whether a file changed.

// The statements that make the tables; schema version 3 adds them to an
// older store, changing nothing else.
extern const char* const kCreateSupportTables[4];
// Their names, for the check that a store is whole.
extern const char* const kSupportTableNames[4];

// Makes the tables in an older store; the caller holds the transaction and
// sets the version.
bool addSupportTables(QSqlDatabase& database, QSqlError& error);

// What the store knows of the support files.
struct SupportFilesKept {
    QStringList categoryFolders;
    QStringList historyFolders;
    std::vector<FileStamp> categoryFiles;
    std::optional<FileStamp> historyFile;
};

SupportFilesKept readSupportFilesKept(QSqlDatabase& database);

// Replaces the categories, the category files they came from and the folders
// searched; false with `error` set when a statement fails.
bool writeCategories(QSqlDatabase& database, const QStringList& folders,
                     const std::vector<FileStamp>& files, const CategoryTable& table,
                     QSqlError& error);
// Replaces the history index, the file it indexes (none: no index) and the
// folders searched.
bool writeHistoryIndex(QSqlDatabase& database, const QStringList& folders,
                       const std::optional<FileStamp>& file, const HistoryIndex& index,
                       QSqlError& error);

// Every set's category (empty when there are none or they cannot be read).
CategoryTable readCategories(QSqlDatabase& database);
// Where the entry of `set` stands in the history file, when the index has one.
std::optional<HistoryPlace> readHistoryPlace(QSqlDatabase& database, const QString& set);
