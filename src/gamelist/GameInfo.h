// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/GameRecord.h"
#include "database/MachineFacts.h"
#include "gamelist/ShownRows.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// The most clones the information names; the rest are counted.
inline constexpr int kMostClonesNamed = 20;

// One row of a game's information: a label and its value. A row without a
// label continues the one above (the second clone and on).
struct InfoRow {
    QString label{};
    QString value{};

    bool operator==(const InfoRow&) const = default;
};

// A picture of a game found among MAME's artwork: a file, or a member of a
// zip file.
struct InfoPicture {
    QString caption; // its kind: "Snapshot", "Title", "Flyer" ...
    QString file;
    QString member; // empty: `file` is the picture itself
    bool snapshot = false;

    bool operator==(const InfoPicture&) const = default;
};

// What is known of one game at a glance: its description as the title and
// rows under it, and, once Info has found them, the snapshot MAME took of it,
// its history from history.xml and its artwork.
struct GameInfo {
    QString title{};
    QList<InfoRow> rows{};
    bool withFacts = false;       // rows from a current MAME's facts follow "Driver"
    QString picture{};            // the snapshot's path; empty when there is none
    QString history{};            // empty: none
    QList<InfoPicture> artwork{}; // every kind found, in the order of their tabs
};

// How often a game was played, and when last (never: 0, no time).
struct PlayCount {
    int times = 0;
    QDateTime last{};
};

// The information of `game`, one of the `shown` rows of `games`. The rows:
//
//   "Set"      the set name
//   family     for a clone "Parent" and its parent. Otherwise the shown games
//              whose parent is this game's set, in list order: "Clone" and its
//              name for one, "Clones" and the first name, then a row without a
//              label for each further one; past kMostClonesNamed clones, the
//              first kMostClonesNamed are named and a last row says "and N
//              more". No family row without a shown clone.
//   "Driver"   the driver
//
// With a current MAME's `facts`, these rows follow, `plays` counting the plays:
//
//   "Year"           as MAME gives it ("unknown" when it gives none)
//   "Manufacturer"   likewise
//   "Status"         good, imperfect or preliminary, then "; imperfect: " and
//                    the imperfect features, "; unemulated: " and the
//                    unemulated ones, each list joined by ", "
//   "Players"        the count ("none" for 0)
//   "Screen"         type and orientation ("raster, vertical"; "2 screens,
//                    lcd, horizontal"; "none")
//   "Played"         "never", or "once" or "N times", then ", last " and the
//                    local date and time of the last play ("2026-12-07 14:03")
//
// It needs no run of MAME: the list and the catalogue have all of it.
GameInfo gameInfo(const GameRecord& game, const GameTable& games, const ShownRows& shown,
                  const std::optional<MachineFacts>& facts = std::nullopt,
                  const PlayCount& plays = {});
