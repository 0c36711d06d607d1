// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/Audit.h"

#include <QStringList>

// The audit's report, the same under the message's "Show Details..." and in
// the file <program>-audit.txt: how many sets got each verdict, then each bad
// set with the files MAME named and why. Best-available sets are usable and
// only counted; sets MAME did not find are only counted.
//
//   Audit of 7 games
//   Good: 1
//   Best available: 1
//   Bad: 2
//   Not found: 3
//
//   Bad sets:
//   Metal Slug [mslug]
//     201-p1.p1: wrong checksum
//   Pac-Man (Midway) [pacman]
//     (MAME named no file)
//
// Counts have thousands separators ("39,372"). `findings` are those of
// `games`, one each, in the same order.
QStringList auditReportLines(const GameTable& games, const std::vector<SetFinding>& findings);
