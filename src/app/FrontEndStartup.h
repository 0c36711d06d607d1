#pragma once

#include <QString>

class DialogSeam;
class FrontEnd;
class frmMain;

// Start-up: everything that happens before the window is first shown, in a
// fixed order. `programName` is the program's executable name; the settings
// and database files are named after it. Returns false when the program is to
// end at once (a message has been shown and, on a failure, the settings or
// database file deleted).
bool loadFrontEnd(frmMain& form, FrontEnd& frontEnd, DialogSeam& seam, const QString& programName);

// Shutdown: writes the sixteen settings.
void unloadFrontEnd(const frmMain& form, const FrontEnd& frontEnd, DialogSeam& seam);

// An ordinary file of that name exists; an empty name never does.
bool fileExists(const QString& name);
