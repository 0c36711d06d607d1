// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <array>

// The kinds of artwork the front end shows, in the order of their tabs.
enum class ArtKind { Snapshot, Title, Flyer, Cabinet, Marquee, Pcb, ControlPanel };
inline constexpr int kArtKinds = 7;

// The caption of a kind of artwork ("Snapshot", "Flyer", "PCB" ...).
QString artKindCaption(ArtKind kind);

// Where a current MAME's menu finds its support files: the folders of its
// ui.ini's "historypath" and "categorypath" and of the artwork options, and
// the snapshot folders of its own configuration. Each list holds absolute
// folders, searched in order.
struct SupportFolders {
    QString uiIni; // the ui.ini file read; empty when none was found
    QStringList history;
    QStringList categories;
    std::array<QStringList, kArtKinds> art;

    const QStringList& artFolders(ArtKind kind) const { return art[static_cast<size_t>(kind)]; }
    bool operator==(const SupportFolders&) const = default;
};

// The folders as `uiIniText` (a ui.ini file's text; empty for none) names
// them: an option that is missing keeps MAME's default ("historypath"
// "history;dats;.", "categorypath" "folders", "titles_directory" "titles",
// "flyers_directory" "flyers", "cabinets_directory" "cabinets;cabdevs",
// "marquees_directory" "marquees", "pcbs_directory" "pcb",
// "cpanels_directory" "cpanel"). Folders are expanded as MAME expands them,
// with `home` for $HOME and "~", and a relative one is taken from
// `workingFolder`, where MAME runs. The snapshots are `snapshotFolders`.
SupportFolders supportFoldersFrom(const QString& uiIniText, const QStringList& snapshotFolders,
                                  const QString& home, const QString& workingFolder);

// The ui.ini MAME reads: the first folder of `iniFolders` that holds one, or
// nothing (an empty text).
QString findUiIni(const QStringList& iniFolders);

// Reads the ui.ini that findUiIni() finds and gives its folders (MAME's
// defaults without one). A file larger than 1 MB is not MAME's and is
// taken as missing.
SupportFolders readSupportFolders(const QStringList& iniFolders, const QStringList& snapshotFolders,
                                  const QString& home, const QString& workingFolder);
