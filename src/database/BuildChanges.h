// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/GameRecord.h"
#include "database/MachineFacts.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

// What the store keeps of a machine that can be run, per MAME build, so that
// two builds can be compared: its name, description, parent and driver
// status, and the digest of its ROM files (RomListing::runnableDigests).
struct MachineDigest {
    QString name;
    QString description;
    QString parent;
    DriverStatus status = DriverStatus::Unknown;
    quint64 roms = 0;

    bool operator==(const MachineDigest&) const = default;
};
using BuildDigests = std::vector<MachineDigest>;

// The digests of a build's machines that can be run, made one at a time as
// they are asked for: a million of them are never in memory together.
struct BuildDigestSource {
    qsizetype size = 0;
    std::function<MachineDigest(qsizetype)> at;
};

// The digests of `games` (sorted as the database is), with each game's driver
// status and ROM digest (RomListing::runnableDigests) given in the table's
// order. All three must outlive the source.
BuildDigestSource digestsOf(const GameTable& games, const std::vector<DriverStatus>& statuses,
                            const std::vector<quint64>& roms);
// The digests held in `digests`, which must outlive the source.
BuildDigestSource digestsOf(const BuildDigests& digests);

// What a new MAME build changed, machine by machine:
//   added, removed         a machine of only one of the builds...
//   renamed                ...unless a removed and an added one have the same
//                          files (equal digests, not 0, and no third machine of
//                          either side with them): then it was renamed
//   nowWorking             a machine of both whose driver status went from
//   noLongerWorking        preliminary to good or imperfect, or back
//   romsChanged            a machine of both whose files changed: the user's
//                          set needs updating
// Each list is sorted by description (ignoring case), then name.
struct BuildChanges {
    QString build;         // the new one, as MAME gives it ("0.252 (mame0252)")
    QString previousBuild; // the one before
    std::vector<MachineDigest> added;
    std::vector<MachineDigest> removed;
    std::vector<std::pair<MachineDigest, MachineDigest>> renamed; // from, to
    std::vector<MachineDigest> nowWorking;
    std::vector<MachineDigest> noLongerWorking;
    std::vector<MachineDigest> romsChanged;
    // The user's favourites that the new build has no machine for (after the
    // renames); the store keeps them.
    QStringList missingFavourites;

    // How many machines changed: each added, removed or renamed one, and each
    // other one whose status or files changed, once.
    qsizetype machineCount() const;
};

BuildChanges compareBuilds(const BuildDigests& before, const BuildDigests& after);

// The line for List's closing message: "MAME 0.252 changed 312 machines."
QString changesSummary(const BuildChanges& changes);

// The report, the same under "Show Details..." and in <program>-changes.txt:
//
//   MAME 0.252 changed 5 machines.
//   Builds compared: 0.251 (unknown) → 0.252 (unknown)
//
//   Added: 1
//     Pac-Man (new set) [pacmanzz]
//   Removed: 1
//     Ms. Pac-Man (Impeuropex bootleg) [mspacmanbi]
//   Renamed: 1
//     puckmanb → puckmanbl  Puck Man (bootleg set 1)
//   Now working: 1
//     ...
//   No longer working: 0
//   ROMs changed: 1
//     ...
//
//   Favourites no longer in MAME: mspacmanbi
//
// Counts have thousands separators; the favourites' line only when there are any.
QStringList changesReportLines(const BuildChanges& changes);
