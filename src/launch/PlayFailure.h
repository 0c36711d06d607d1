// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "launch/MameGeneration.h"
#include "launch/MameRun.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the "Play" box says when a game did not run to a good end.
//
// Play runs MAME through the shell, so the status is the shell's: 126 and 127
// when MAME could not be started (not executable, not found), 128 + n when it
// died of signal n, else MAME's own. A current MAME's own statuses mean: 1
// failed validity check, 2 missing files, 3 fatal error, 4 device error, 5 no
// such system, 6 invalid configuration; an old MAME's, and any other status,
// are only given as a number.

// Whether the words for this ending depend on which MAME it is (one of MAME's
// own statuses), so that the generation must be known first.
bool dependsOnGeneration(const RunResult& result);

// The message for a Play run that ended as `result` says, with MAME's last
// lines (what it wrote on standard error, else on standard output; see
// mameLastLines) below one sentence:
//
//   MAME could not find the ROM files of Pac-Man (Midway) [pacman].
//
//   10 files not found: pacman.6e, pacman.6f, pacman.6h, pacman.6j, ...
//   Fatal error: Required files are missing, the machine cannot be run.
//
// Nothing for a run that ended with status 0 or was ended on request.
// `generation` is nothing when it is not known.
std::optional<QString> playFailureText(const RunResult& result,
                                       std::optional<MameGeneration> generation,
                                       const QString& description, const QString& name);

// MAME's last lines, at most kMostLastLines: blank lines left out, the lines
// "FILE NOT FOUND ..." summed up in one, "N files not found: " and the first
// few names, where the first of them stood; when still too many, the first
// few and the last ones with "…" between. Over-long lines are cut.
inline constexpr qsizetype kMostLastLines = 15;
QStringList mameLastLines(const RunResult& result);
