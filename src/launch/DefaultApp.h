// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// Opens `path` (by its own bytes, systemPath) in the desktop's default
// application for it (xdg-open) without waiting. Returns whether that could
// be started.
bool openWithDefaultApp(const QString& path);
