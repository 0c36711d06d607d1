// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/SupportFiles.h"

#include "catalogue/SupportTables.h"

#include <QDir>

std::optional<FileStamp> findHistoryFile(const QStringList& folders) {
    for (const QString& folder : folders) {
        const QFileInfo file(QDir(folder).filePath(QStringLiteral("history.xml")));
        if (file.isFile())
            return stampOf(file);
    }
    return std::nullopt;
}

SupportRefresh refreshSupportFiles(const QString& storePath, const QStringList& categoryFolders,
                                   const QStringList& historyFolders, bool force) {
    SupportRefresh refresh;
    SupportFilesKept kept;
    (void)Catalogue::change(storePath, [&](QSqlDatabase& db, QSqlError&) {
        kept = readSupportFilesKept(db);
        return true;
    });
    const std::vector<FileStamp> categoryFiles = findCategoryFiles(categoryFolders);
    refresh.categoriesChanged =
        force || categoryFiles != kept.categoryFiles || categoryFolders != kept.categoryFolders;
    const std::optional<FileStamp> historyFile = findHistoryFile(historyFolders);
    refresh.historyChanged =
        force || historyFile != kept.historyFile || historyFolders != kept.historyFolders;
    if (refresh.categoriesChanged) {
        const CategoryTable table = readCategoryFiles(categoryFiles);
        const Outcome<Done> written =
            Catalogue::change(storePath, [&](QSqlDatabase& db, QSqlError& error) {
                return writeCategories(db, categoryFolders, categoryFiles, table, error);
            });
        if (!written.ok())
            refresh.failure = written.failure();
    }
    if (refresh.historyChanged) {
        const HistoryIndex index =
            historyFile ? indexHistoryFile(historyFile->path).value_or(HistoryIndex())
                        : HistoryIndex();
        const Outcome<Done> written =
            Catalogue::change(storePath, [&](QSqlDatabase& db, QSqlError& error) {
                return writeHistoryIndex(db, historyFolders, historyFile, index, error);
            });
        if (!written.ok())
            refresh.failure = written.failure();
    }
    return refresh;
}

SupportRefresh refreshKeptSupportFiles(const QString& storePath) {
    SupportFilesKept kept;
    const Outcome<Done> read = Catalogue::change(storePath, [&](QSqlDatabase& db, QSqlError&) {
        kept = readSupportFilesKept(db);
        return true;
    });
    if (!read.ok() || (kept.categoryFolders.isEmpty() && kept.historyFolders.isEmpty()))
        return {};
    return refreshSupportFiles(storePath, kept.categoryFolders, kept.historyFolders, false);
}

std::optional<QString> historyText(const Catalogue& catalogue, const QString& set,
                                   const QString& parent) {
    const std::optional<FileStamp> indexed = catalogue.historyFile();
    if (!indexed || stampOf(QFileInfo(indexed->path)) != *indexed)
        return std::nullopt;
    for (const QString& name : {set, parent}) {
        if (name.isEmpty())
            continue;
        if (const std::optional<HistoryPlace> place = catalogue.historyPlace(name))
            return readHistoryText(indexed->path, *place);
    }
    return std::nullopt;
}
