// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "gamelist/GameInfo.h"

#include <QString>
#include <QStringList>
#include <variant>

// What each command gives back when it is done.

// List built the database. `warning` tells what was lost on the way (the
// machine facts not kept); empty when nothing was. With a MAME of another
// build than the last List's: what it changed in one line, whether its report
// was saved and where, and the report's lines.
struct ListDone {
    QString warning{};
    QString changes{};
    QString changesSaved{};
    QStringList changesReport{};
};

// Audit's outcome: how many games were found and removed, whether the report
// was saved and where, and the report's lines for a closer look.
struct AuditSummary {
    QString summary;
    QString reportSaved;
    QStringList report;
};

// The ini file to open in the editor, there now.
struct IniFileReady {
    QString path;
};

// The game was played and MAME ended well.
struct Played {};

// MAME was asked where it keeps its files, in the background (see
// MameSetup::learnConfiguration): nothing for the user.
struct FoldersAsked {};

using JobResult =
    std::variant<ListDone, AuditSummary, IniFileReady, GameInfo, Played, FoldersAsked>;

// One callable from several, for std::visit over a JobResult.
template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
