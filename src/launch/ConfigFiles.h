#pragma once

#include <QString>

// What the Mame, Driver, Parent and Set buttons need before the editor opens.
// Paths are relative to the working folder.

// Whether an ordinary file named `mameIniFile` exists (a folder does not count).
bool mameIniExists(const QString& mameIniFile);

// The outcome of prepareIniFile: the file to open, or what went wrong.
struct IniFile {
    QString path;    // "<folder>/<name>.ini" when ready
    QString message; // empty when ready, else a text for the user

    bool ok() const { return message.isEmpty(); }
};

// Makes sure that "<folder>/<name>.ini" exists for the editor: refuses a name
// that is not plain (see isPlainMameName), creates the folder (with the folders
// above it) only when there is no entry of that name at all, and creates the
// file empty when it is missing. An existing file is left untouched.
IniFile prepareIniFile(const QString& folder, const QString& name);
