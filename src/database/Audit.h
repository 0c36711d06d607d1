// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/GameRecord.h"
#include "text/Outcome.h"

#include <QString>
#include <QStringList>
#include <optional>

// Thins the master table to the games whose ROM sets MAME's audit report
// (-verifysets from an old MAME, -verifyroms from a current one) calls usable.
//
// A report line is a good verdict when it contains "is good" or "is best
// available"; its set name is the text from column 8 up to the first blank at
// or after column 8. The good names are sorted (sortStrings) and every game is
// looked up among them by bisection on its short name, case-sensitively.
//
// MAME ends a finished audit with a closing line, "N romsets found, M were
// OK.", or, when it found no set at all, 'romset "*" not found!' (or "not
// supported!", or "has no roms!"). A current MAME prints it on its standard
// error when some set is bad, so it is looked for there as well.
//
// Beside that reading, each game gets MAME's verdict on its set, from the
// lines "romset NAME ... is good", "is best available" or "is bad" (name from
// column 8, as above), and a bad set the files its detail lines name. A
// detail line reads "NAME : FILE ..." and tells why: "NOT FOUND", "INCORRECT
// CHECKSUM" or "INCORRECT LENGTH" (both generations use these words). A set
// with no verdict line was not found. A set that survives is Good or
// BestAvailable, whatever else the report says of it.

enum class SetVerdict { Good, BestAvailable, Bad, NotFound };
struct SetFinding {
    QString set; // the game's short name
    SetVerdict verdict;
    QStringList problems; // Bad only: one entry per file MAME named, e.g.
                          // "pm1_prg3.6f: not found", "pm1_prg1.6e: wrong checksum",
                          // "x.bin: wrong length"
};

struct AuditResult {
    GameTable games;                  // the surviving games, in master order
    qsizetype kept = 0;               // games.size()
    qsizetype removed = 0;            // games of the master table not kept
    std::vector<SetFinding> findings; // one per game of the database, in master order
    // Every set the report gives a verdict on, in the database or not,
    // sorted by name: what an audit of only some sets later goes on.
    std::vector<SetFinding> reported;
};

// `report` holds the lines MAME wrote to its report (standard output), or
// nothing when MAME left no report file; `errorLines` what it wrote to its
// standard error; `option` the audit option it was run with, for messages.
//
// Fails, leaving the master table to stand as it is, in this order of checks:
// when the report is missing; when no line of the report or the error lines
// mentions "romset" (MAME did not audit anything: it refused the command or
// printed only an error); when a good line has no blank at or after column 8;
// when the report holds more than kMaxGames good lines; and when neither
// stream holds the closing line (MAME stopped before the end of its audit).
// The failure is the text for the "Audit" box. A finished audit none of whose
// sets is usable keeps no game: that is a success with kept = 0.
Outcome<AuditResult> auditGames(const GameTable& games, const std::optional<QStringList>& report,
                                const QStringList& errorLines = {},
                                const QString& option = QStringLiteral("-verifysets"));

// A verdict as the store keeps it: "good", "best available", "bad" or "not
// found"; any other text reads as not found.
QString verdictName(SetVerdict verdict);
SetVerdict verdictNamed(const QString& name);

// Whether `line` is the closing line of a finished audit.
bool isAuditClosingLine(const QString& line);

// The closing message, e.g. "120 games found, 3 removed."
QString auditSummary(qsizetype kept, qsizetype removed);
