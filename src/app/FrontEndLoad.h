#pragma once

#include <QString>

class frmMain;

// The window's load: everything that happens before it is first shown, in a
// fixed order. `programName` is the program's executable name; the settings
// and database files are named after it. Returns false when the program is
// to end at once (a message has been shown and, on a failure, the settings
// or database file deleted).
bool LoadFrontEnd(frmMain& form, const QString& programName);

// The window's unload: writes the sixteen settings.
void UnloadFrontEnd(frmMain& form);

// An ordinary file of that name exists; an empty name never does.
bool FileExists(const QString& name);
