// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "text/Outcome.h"

#include <QString>

// What the Mame, Driver, Parent and Set buttons need before the editor opens.
// Paths are relative to the working folder.

// Whether an ordinary file named `mameIniFile` exists (a folder does not count).
bool mameIniExists(const QString& mameIniFile);

// Makes sure that "<folder>/<name>.ini" exists for the editor: refuses a name
// that is not plain (see isPlainMameName), creates the folder (with the folders
// above it) only when there is no entry of that name at all, and creates the
// file empty when it is missing. An existing file is left untouched. Gives
// "<folder>/<name>.ini", or a text for the user that says what went wrong.
Outcome<QString> prepareIniFile(const QString& folder, const QString& name);
