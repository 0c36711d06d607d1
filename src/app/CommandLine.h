// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "text/Outcome.h"

#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks for: run the window in a working folder, or
// print a text and end at once with an exit status.
struct StartChoice {
    bool run = false;
    QString folder;     // run: absolute folder to work in; empty for the current one
    QString text;       // otherwise: what to print, ending in a newline
    int exitStatus = 0; // otherwise: 0 (text goes to stdout) or 2 (to stderr)
};

// The program's arguments as texts, read before any application object
// exists.
QStringList argumentsOf(int argc, char** argv);

// Reads `arguments` (the first is the program itself) without touching any
// file: --help and --version give their text with status 0; an unknown
// option, a stray argument or an empty --folder gives a one-line error with
// status 2. `version` is what --version reports.
StartChoice parseCommandLine(const QStringList& arguments, const QString& version);

// Makes `folder` with any missing parents and makes it the current folder.
// Fails with a one-line reason, leaving no folder behind that it made.
Outcome<Done> enterWorkingFolder(const QString& folder);

// parseCommandLine, then enterWorkingFolder for a run in a named folder; a
// folder that cannot be made or entered turns into an error with status 2.
StartChoice chooseStart(const QStringList& arguments, const QString& version);

// Writes a choice's text where its status says (stdout for 0, stderr
// otherwise) and returns the status, for main() to end with.
int printAndEnd(const StartChoice& choice);
