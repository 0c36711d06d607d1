// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "catalogue/Catalogue.h"
#include "launch/SupportFolders.h"

#include <QObject>
#include <QString>
#include <optional>

// What a refresh of the store's categories and history index did.
struct SupportRefresh {
    bool categoriesChanged = false;
    bool historyChanged = false;
    QString failure; // why the store could not take them; empty: it did
};

// Brings the store at `storePath` in line with the support files in
// `folders` (the category files of its categorypath, the first history.xml
// of its historypath): what changed in size or modification time since the
// last time, or every file with `force`, is read again and replaces what the
// store held; a file gone empties its part. Reads files and may take a
// second: for a worker thread.
SupportRefresh refreshSupportFiles(const QString& storePath, const QStringList& categoryFolders,
                                   const QStringList& historyFolders, bool force);
// The same with the folders the store kept from the last refresh (none: nothing).
SupportRefresh refreshKeptSupportFiles(const QString& storePath);

// The first history.xml in `folders`, or nothing.
std::optional<FileStamp> findHistoryFile(const QStringList& folders);

// The history text of `set`, else of `parent`, from the store's index and the
// file it indexed; nothing when neither has an entry, or when the file changed
// since it was indexed.
std::optional<QString> historyText(const Catalogue& catalogue, const QString& set,
                                   const QString& parent);
