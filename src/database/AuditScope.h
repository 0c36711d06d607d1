// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/Audit.h"
#include "database/GameRecord.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

// What a set's verdict in MAME's audit rests on: the files in MAME's ROM
// folders (its rompath) named after the set, after the machine it takes
// further files from (romof: a clone's parent, a game's BIOS, and so on up),
// and after each device it uses that has files of its own; a disk image may
// also lie in a ROM folder itself, as "<disk>.chd".

// What the last List with a current MAME kept of one machine (any machine:
// devices and BIOS sets too).
struct MachineLinks {
    QString romOf;       // empty: none
    QStringList devices; // those with files of their own
    QStringList disks;   // its disks' names
    bool runnable = false;
};
using MachineLinkTable = QHash<QString, MachineLinks>;

// The ROM folders as listed (never read): per name, in lower case, a hash of
// the names, sizes, times and file numbers of what stands for it there:
// "<name>.zip" and "<name>.7z" files, a folder "<name>" with the files in it,
// and "<name>.chd" files (as "<name>.chd"). Equal states: nothing changed.
using RomFolderState = QHash<QString, quint64>;

// What the store remembers of the last audit with a current MAME and of the
// last List: the ground an audit of only what changed stands on.
struct AuditMemory {
    // The last audit's: the MAME file it ran (path, size, time; empty when
    // nothing is remembered), the listing it rested on, its ROM folders, the
    // state they were in before MAME ran, and the verdicts known to hold for
    // that state (every machine that can be run that has one).
    QString auditedWith;
    QString auditedListing;
    QString auditedFolders;
    RomFolderState folders;
    QHash<QString, SetFinding> verdicts;
    // The last List's: the MAME file that printed it, a key for its contents,
    // and its machines.
    QString listedWith;
    QString listing;
    MachineLinkTable machines;
};

// Which sets an audit asks MAME about.
struct AuditScope {
    // Not empty: every set, with `-verifyroms *`; the reason, for tests and
    // the record.
    QString fullBecause;
    // Otherwise, the games of the database to check, sorted by name: those
    // whose files may have changed, and those without a verdict to go on.
    QStringList check;
    // Every machine whose verdict the changes may have changed, in the
    // database or not.
    QSet<QString> touched;
    // What changed in the folders, for the record: the new state of each
    // name that changed, and the names that are gone.
    RomFolderState changedFolders;
    QStringList goneFolders;
};

// The names whose state differs between `before` and `after` (new, gone or
// changed).
QSet<QString> changedFileNames(const RomFolderState& before, const RomFolderState& after);

// Every machine whose files include one of `names` (set names and
// "<disk>.chd"), however far up its romof and device links.
QSet<QString> machinesUsing(const QSet<QString>& names, const MachineLinkTable& machines);

// The audit to run now on `games`, with MAME `executable` (path, size, time)
// and its ROM folders `romFolders` in the state `folders`. A full one when
// `forceFull`, when nothing is remembered, when MAME, its ROM folders or the
// listing changed since the last audit, when the listing was not printed by
// this MAME, or when a game of the database is not in it.
AuditScope auditScope(const AuditMemory& memory, const QString& executable,
                      const QString& romFolders, const RomFolderState& folders,
                      const GameTable& games, bool forceFull);

// What an audit of only `checked` sets makes of `games`, with `remembered`
// verdicts for the others: what auditGames gives for a full report that
// holds the same verdicts.
AuditResult mergedAudit(const GameTable& games, const QHash<QString, SetFinding>& checked,
                        const QHash<QString, SetFinding>& remembered);

// What the store is to remember after an audit that stands.
struct AuditRecord {
    bool full = false; // replaces all that is remembered; else adds to it
    // The audit's ground; an empty `auditedWith` forgets everything.
    QString auditedWith;
    QString auditedListing;
    QString auditedFolders;
    RomFolderState folders;           // full: all; else the names that changed
    QStringList goneFolders;          // not full: names no longer in the folders
    std::vector<SetFinding> verdicts; // full: every machine that can be run; else the checked
    QStringList forgotten;            // not full: machines whose verdicts no longer hold
};
