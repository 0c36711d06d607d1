// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "settings/SettingsTable.h"
#include "text/Outcome.h"

#include <optional>

// Reads the settings file into a table: every line holding "=" takes a slot,
// key and value cut at the first "=" with surrounding spaces (only spaces)
// removed; other lines are skipped. Fails when the file cannot be read or
// holds more lines with "=" than the table has slots.
Outcome<SettingsTable> readSettingsFile(const QString& path);

// Writes one line `key = value` per slot in use, CR LF ended, replacing the
// file atomically; the failure says what went wrong.
Outcome<Done> writeSettingsFile(const QString& path, const SettingsTable& table);
