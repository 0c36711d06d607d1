// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Where MAME's ini files are: its own ini beside it, and the folders a current
// MAME names in its configuration (`mame -showconfig`), such as
// "inipath  $HOME/.mame;/etc/mame".

// MAME's own ini file (`mameIniFile`), which MAME writes into the working folder
// on -createconfig: the executable's file name with a final "exe" replaced by
// "ini" (mame.exe -> mame.ini), any other name with ".ini" added (mame -> mame.ini).
QString mameIniFor(const QString& mameExecutable);

// A variable's value from the environment: empty when it is not set.
QString environmentValue(const QString& name);

// Expands a folder as MAME does: "~" alone or before "/" at the start becomes
// $HOME; "$VAR" (letters, digits, "_") and "${VAR}" become the variable's value,
// an unset one nothing; a "$" before anything else, "${}" and an unclosed "${"
// stay as they are. Values are the environment's bytes (environmentPath). `value` gives a
// variable's value (the environment by default).
QString expandMameFolder(const QString& folder,
                         const std::function<QString(const QString&)>& value = environmentValue);

// The folders of `option`'s line in the -showconfig output: its value without
// the double quotes MAME puts around one with blanks, cut at ";", each folder
// trimmed and expanded by expandMameFolder with `value`; empty folders are left
// out. Nothing when there is no such line.
std::optional<QStringList>
mameOptionFolders(const QString& showConfigOutput, const QString& option,
                  const std::function<QString(const QString&)>& value = environmentValue);

// Where a current MAME reads its ini files: the first folder of its "inipath",
// with `home` for $HOME and "~". Nothing when there is no inipath line or its
// first folder is empty, before or after the expansion.
std::optional<QString> firstIniFolder(const QString& showConfigOutput, const QString& home);

// The folders of `option`'s line in `text` (-showconfig's output, or an ini
// file's text) as mameOptionFolders gives them, with `home` for $HOME and
// "~", each a clean absolute path, a relative one taken from
// `workingFolder`. Nothing when there is no such line.
std::optional<QStringList> absoluteMameFolders(const QString& text, const QString& option,
                                               const QString& home, const QString& workingFolder);

// Every folder of a current MAME's "inipath", expanded like snapshot_directory's
// below, a relative one taken from `workingFolder`. Empty when there is none.
QStringList iniFolders(const QString& showConfigOutput, const QString& home,
                       const QString& workingFolder);

// Where a current MAME keeps its snapshots: every folder of its
// "snapshot_directory" line (Debian's: "$HOME/.mame/snap"), expanded like
// inipath's with `home` for $HOME and "~"; a relative folder is taken from
// `workingFolder`, where Play runs MAME. Empty when there is no such line.
QStringList snapshotFolders(const QString& showConfigOutput, const QString& home,
                            const QString& workingFolder);

// What a current MAME's configuration says of its folders: the first of its
// inipath, cleaned (firstIniFolder), every folder of it (iniFolders), and its
// snapshot folders (snapshotFolders), with the user's home folder and the
// current folder. Safe on any thread.
struct MameFolders {
    std::optional<QString> iniFolder;
    QStringList iniFolders;
    QStringList snapshotFolders;
    QStringList romFolders; // its rompath (romFoldersOf)
};
MameFolders mameFoldersFrom(const QString& showConfigOutput);

// The picture MAME took of `set` in one of `folders`: "<set>.png", or
// "<set>/0000.png" (the first of MAME's own naming, "%g/%i"); the first found
// in the folders' order, or nothing.
std::optional<QString> findSnapshot(const QStringList& folders, const QString& set);
