#pragma once

#include "database/GameRecord.h"

#include <QString>
#include <QStringList>
#include <optional>

// Thins the master table to the games whose ROM sets MAME's audit report
// (-verifysets) calls usable.
//
// A report line is a good verdict when it contains "is good" or "is best
// available"; its set name is the text from column 8 up to the first blank at
// or after column 8. The good names are sorted (SortStrings) and every game is
// looked up among them by bisection on its short name, case-sensitively.

struct AuditOutcome {
    GameTable games;       // the surviving games, in master order
    qsizetype kept = 0;    // games.size()
    qsizetype removed = 0; // games of the master table not kept
    QString failure;       // empty on success; otherwise the text for the "Audit" box
    bool ok() const { return failure.isEmpty(); }
};

// `report` holds the report's lines, or nothing when MAME left no report file.
// Fails, leaving the master table to stand as it is, when the report is
// missing, when no line of it mentions "romset" (MAME did not audit anything:
// it refused the command or printed only an error), when a good line has no
// blank at or after column 8, or when it holds more than kMaxGames good lines.
// A report of audited sets none of which is usable keeps no game: that is a
// success with kept = 0.
AuditOutcome AuditGames(const GameTable& games, const std::optional<QStringList>& report);

// The closing message, e.g. "120 games found, 3 removed."
QString AuditSummary(qsizetype kept, qsizetype removed);
