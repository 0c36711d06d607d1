// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Where a current MAME looks for ROM files (its rompath), listed without
// reading a file: for every name, in lower case, one hash of what stands for
// it in the folders, in their order:
//   "<name>.zip", "<name>.7z"  their sizes, modification and change times
//                              (to the nanosecond) and file numbers
//   a folder "<name>"          the same of every entry in it (its files, and
//                              so a set's "<disk>.chd" files); nothing deeper
//   "<name>.chd"               kept as the name "<name>.chd"
// Other files are left out. Links are followed; a folder that is missing or
// cannot be read counts as empty. A file rewritten in place, replaced, added
// or removed gives its name another hash.
QHash<QString, quint64> listRomFolders(const QStringList& folders);

// The folders of MAME's "rompath" line in its -showconfig output, expanded
// as MAME expands them, relative ones taken from `workingFolder` (where MAME
// runs).
QStringList romFoldersOf(const QString& showConfigOutput, const QString& workingFolder);
