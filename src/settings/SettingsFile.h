// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "settings/Settings.h"
#include "text/Outcome.h"

// The most lines holding "=" that a settings file may have.
inline constexpr int kMostSettingLines = 101;

// Reads the settings file: every line holding "=" gives a key and its value,
// cut at the first "=" with surrounding spaces (only spaces) removed; other
// lines are skipped, and of a key given more than once the first value counts.
// The values are converted by settingsFromValues(). Fails when the file cannot
// be read, holds more than kMostSettingLines lines with "=", or a value does
// not convert.
Outcome<Settings> readSettingsFile(const QString& path);

// Writes one line `key = value` for each of settingLines(settings), CR LF
// ended, replacing the file atomically; the failure says what went wrong.
Outcome<Done> writeSettingsFile(const QString& path, const Settings& settings);
