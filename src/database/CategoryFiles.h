// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/FileStamp.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

// What the category files say of one set.
struct SetCategory {
    QString category; // "Genre / Subgenre" or "Genre"; empty: none
    bool mature = false;
    QString versionAdded; // the MAME version that added the set (".37b16", "0.251")
    bool operator==(const SetCategory&) const = default;
};

// Every set's category, by set name.
using CategoryTable = QHash<QString, SetCategory>;

// The category files: "catver.ini", whose [Category] section holds lines
// "set=Genre / Subgenre", with " * Mature *" after the ones for adults, and
// whose [VerAdded] section holds "set=version"; and the folder files
// "Category.ini" (its sections name the categories, each line under one a set)
// and "Mature.ini" (every set in it is for adults). In a folder file the
// section [FOLDER_SETTINGS] and the lines of [ROOT_FOLDER] are no sets; lines
// starting with ";" are comments everywhere. A set keeps the first category it
// is given, in the order the files are read.

// Adds what `text` (a catver.ini) says to `table`.
void readCatverIni(QByteArrayView text, CategoryTable& table);
// Adds what `text` (a folder file) says to `table`: each set's category, or,
// with `matureFile`, that each set is for adults.
void readFolderFile(QByteArrayView text, CategoryTable& table, bool matureFile);

// The category files in `folders`, in the order they are read: in each
// folder, catver.ini, then Category.ini, then Mature.ini (names matched in
// any letter case).
std::vector<FileStamp> findCategoryFiles(const QStringList& folders);

// Reads the files `stamps` names into one table; a file that cannot be read
// or is larger than 64 MB adds nothing.
CategoryTable readCategoryFiles(const std::vector<FileStamp>& stamps);

// The genre of "Genre / Subgenre" (the whole category when it has no " / ").
QString categoryGenre(const QString& category);
