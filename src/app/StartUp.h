// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

class DialogSeam;
class FrontEnd;
class MainWindow;

// Start-up: everything that happens before the window is first shown, in a
// fixed order. The settings file is read and handed to the front end, the
// window takes its part from there, the MAME executable is made sure of, and
// the database is read. `programName` is the program's executable name; the
// settings and database files are named after it. Returns false when the
// program is to end at once (a message has been shown and, on a failure, the
// settings or database file deleted).
bool startUp(MainWindow& window, FrontEnd& frontEnd, DialogSeam& seam, const QString& programName);

// Shutdown: writes the settings; a failure is told.
void shutDown(MainWindow& window, FrontEnd& frontEnd, DialogSeam& seam);

// The end asked for by a signal (SIGTERM, SIGINT, SIGHUP): the window closes
// as on Quit, which saves the settings, the command in progress ends (MAME's
// process group is asked to end and forced after a grace), and the event loop
// is left once nothing runs.
void shutDownOnSignal(MainWindow& window, FrontEnd& frontEnd);
