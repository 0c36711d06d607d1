#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Where a current MAME reads its ini files: the first folder of the "inipath"
// line that `mame -showconfig` prints (Debian's: "inipath  $HOME/.mame;/etc/mame").
// The value may be in double quotes (MAME quotes a value with blanks); its
// folders are separated by ";". "$HOME", "${HOME}" and a leading "~" are
// replaced by `home`; other variables are left as they are. Returns nothing
// when there is no inipath line or its first folder is empty.
std::optional<QString> firstIniFolder(const QString& showConfigOutput, const QString& home);

// Where a current MAME keeps its snapshots: every folder of the
// "snapshot_directory" line of `mame -showconfig` (Debian's: "$HOME/.mame/snap"),
// read like inipath's and expanded the same way; a relative folder is taken
// from `workingFolder`, where Play runs MAME. Empty when there is no such line.
QStringList snapshotFolders(const QString& showConfigOutput, const QString& home,
                            const QString& workingFolder);

// The picture MAME took of `set` in one of `folders`: "<set>.png", or
// "<set>/0000.png" (the first of MAME's own naming, "%g/%i"); the first found
// in the folders' order, or nothing.
std::optional<QString> findSnapshot(const QStringList& folders, const QString& set);
