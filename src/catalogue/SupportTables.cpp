// SPDX-License-Identifier: GPL-2.0-or-later
#include "catalogue/SupportTables.h"

#include "catalogue/SqliteBulk.h"

#include <QSqlQuery>
#include <QVariant>

const char* const kCreateSupportTables[4] = {
    "CREATE TABLE category (name TEXT PRIMARY KEY, category TEXT NOT NULL, mature INTEGER NOT "
    "NULL, added TEXT NOT NULL) WITHOUT ROWID",
    "CREATE TABLE history_index (name TEXT PRIMARY KEY, offset INTEGER NOT NULL, length INTEGER "
    "NOT NULL) WITHOUT ROWID",
    "CREATE TABLE support_file (path TEXT NOT NULL, kind TEXT NOT NULL, size INTEGER NOT NULL, "
    "modified TEXT NOT NULL, position INTEGER NOT NULL, PRIMARY KEY (kind, position)) WITHOUT "
    "ROWID",
    "CREATE TABLE support_folder (kind TEXT NOT NULL, position INTEGER NOT NULL, folder TEXT NOT "
    "NULL, PRIMARY KEY (kind, position)) WITHOUT ROWID"};
const char* const kSupportTableNames[4] = {"category", "history_index", "support_file",
                                           "support_folder"};

namespace {

const QString kCategoryKind = QStringLiteral("category");
const QString kHistoryKind = QStringLiteral("history");

bool run(QSqlQuery& query, QSqlError& error) {
    if (query.exec())
        return true;
    error = query.lastError();
    return false;
}

bool runText(QSqlDatabase& database, const QString& statement, QSqlError& error) {
    QSqlQuery query(database);
    if (query.exec(statement))
        return true;
    error = query.lastError();
    return false;
}

bool writeFolders(QSqlDatabase& database, const QString& kind, const QStringList& folders,
                  QSqlError& error) {
    QSqlQuery remove(database);
    remove.prepare(QStringLiteral("DELETE FROM support_folder WHERE kind = ?"));
    remove.bindValue(0, kind);
    if (!run(remove, error))
        return false;
    for (qsizetype i = 0; i < folders.size(); ++i) {
        QSqlQuery insert(database);
        insert.prepare(
            QStringLiteral("INSERT INTO support_folder (kind, position, folder) VALUES (?, ?, ?)"));
        insert.bindValue(0, kind);
        insert.bindValue(1, i);
        insert.bindValue(2, folders[i]);
        if (!run(insert, error))
            return false;
    }
    return true;
}

bool writeFiles(QSqlDatabase& database, const QString& kind, const std::vector<FileStamp>& files,
                QSqlError& error) {
    QSqlQuery remove(database);
    remove.prepare(QStringLiteral("DELETE FROM support_file WHERE kind = ?"));
    remove.bindValue(0, kind);
    if (!run(remove, error))
        return false;
    for (size_t i = 0; i < files.size(); ++i) {
        QSqlQuery insert(database);
        insert.prepare(QStringLiteral("INSERT INTO support_file (path, kind, size, modified, "
                                      "position) VALUES (?, ?, ?, ?, ?)"));
        insert.bindValue(0, files[i].path);
        insert.bindValue(1, kind);
        insert.bindValue(2, files[i].size);
        insert.bindValue(3, files[i].modified.toUTC().toString(Qt::ISODateWithMs));
        insert.bindValue(4, static_cast<qint64>(i));
        if (!run(insert, error))
            return false;
    }
    return true;
}

} // namespace

bool addSupportTables(QSqlDatabase& database, QSqlError& error) {
    for (const char* statement : kCreateSupportTables) {
        if (!runText(database, QString::fromLatin1(statement), error))
            return false;
    }
    return true;
}

SupportFilesKept readSupportFilesKept(QSqlDatabase& database) {
    SupportFilesKept kept;
    QSqlQuery folders(database);
    if (folders.exec(QStringLiteral("SELECT kind, folder FROM support_folder ORDER BY kind, "
                                    "position"))) {
        while (folders.next())
            (folders.value(0).toString() == kCategoryKind ? kept.categoryFolders
                                                          : kept.historyFolders)
                .append(folders.value(1).toString());
    }
    QSqlQuery files(database);
    if (files.exec(QStringLiteral("SELECT kind, path, size, modified FROM support_file ORDER BY "
                                  "kind, position"))) {
        while (files.next()) {
            const FileStamp stamp{
                files.value(1).toString(), files.value(2).toLongLong(),
                QDateTime::fromString(files.value(3).toString(), Qt::ISODateWithMs).toLocalTime()};
            if (files.value(0).toString() == kCategoryKind)
                kept.categoryFiles.push_back(stamp);
            else
                kept.historyFile = stamp;
        }
    }
    return kept;
}

bool writeCategories(QSqlDatabase& database, const QStringList& folders,
                     const std::vector<FileStamp>& files, const CategoryTable& table,
                     QSqlError& error) {
    if (!writeFolders(database, kCategoryKind, folders, error) ||
        !writeFiles(database, kCategoryKind, files, error) ||
        !runText(database, QStringLiteral("DELETE FROM category"), error))
        return false;
    return insertRows(
        database,
        QStringLiteral("INSERT INTO category (name, category, mature, added) VALUES (?, ?, ?, ?)"),
        [&, it = table.cbegin()](RowBinder& bind) mutable {
            if (it == table.cend())
                return false;
            bind.text(1, it.key());
            bind.text(2, it->category);
            bind.number(3, it->mature ? 1 : 0);
            bind.text(4, it->versionAdded);
            ++it;
            return true;
        },
        error);
}

bool writeHistoryIndex(QSqlDatabase& database, const QStringList& folders,
                       const std::optional<FileStamp>& file, const HistoryIndex& index,
                       QSqlError& error) {
    if (!writeFolders(database, kHistoryKind, folders, error) ||
        !writeFiles(database, kHistoryKind, file ? std::vector{*file} : std::vector<FileStamp>{},
                    error) ||
        !runText(database, QStringLiteral("DELETE FROM history_index"), error))
        return false;
    return insertRows(
        database,
        QStringLiteral("INSERT INTO history_index (name, offset, length) VALUES (?, ?, ?)"),
        [&, it = index.cbegin()](RowBinder& bind) mutable {
            if (it == index.cend())
                return false;
            bind.text(1, it.key());
            bind.number(2, it->offset);
            bind.number(3, it->length);
            ++it;
            return true;
        },
        error);
}

CategoryTable readCategories(QSqlDatabase& database) {
    CategoryTable table;
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT name, category, mature, added FROM category")))
        return table;
    while (query.next())
        table.insert(
            query.value(0).toString(),
            {query.value(1).toString(), query.value(2).toInt() != 0, query.value(3).toString()});
    return table;
}

std::optional<HistoryPlace> readHistoryPlace(QSqlDatabase& database, const QString& set) {
    QSqlQuery query(database);
    query.prepare(QStringLiteral("SELECT offset, length FROM history_index WHERE name = ?"));
    query.bindValue(0, set);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return HistoryPlace{query.value(0).toLongLong(), query.value(1).toInt()};
}
