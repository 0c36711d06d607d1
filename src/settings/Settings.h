// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "text/Outcome.h"

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <utility>
#include <vector>

// The details view: whether it is on, the width of its pane, and the size
// (in twips) the window goes back to when the view is switched off, when it
// grew for the view. Written only while the view is on.
struct DetailsSettings {
    bool on = false;
    std::optional<qint32> paneWidth;
    std::optional<qint32> plainWidth, plainHeight;
};

// The window's part of the settings: its normal rectangle in twips, its state
// (0 normal, 1 minimised, 2 maximised), the list's font and the details
// view. A value absent from the file stays unset and the window keeps its own.
struct WindowSettings {
    std::optional<qint32> left, top, width, height;
    std::optional<int> windowState;
    std::optional<QString> fontName;
    std::optional<double> fontSize;
    std::optional<bool> fontBold, fontItalic;
    DetailsSettings details;
};

// Everything the settings file remembers from one run to the next. A value
// absent from the file keeps the default given here.
struct Settings {
    WindowSettings window;
    qint32 lastGame = 0;          // the list position to select
    QString mameExecutable;       // as chosen: a bare name in the working folder, else a path
    QString playOptions;          // the last answer to "Play..."
    QString driverFilter;         // empty: every game shown
    bool hideConsole = false;     // has no effect on Linux; kept as read
    bool noShortcuts = false;     // plain captions without access keys
    bool caseInsensitive = false; // List sorts ignoring letter case
    // The list's Show choices; each key is written only when it differs
    // from its default, so a file that never used them keeps its bytes.
    bool showClones = true;
    bool showNotWorking = true;
    bool showMechanical = true;
    bool showNonArcade = true;
    bool favouritesOnly = false;
    // The Manufacturer, Year and Category choices, likewise written only when
    // they hide something: the chosen manufacturers and categories (empty:
    // all), the years from and to (0: open), unknown years and games for
    // adults shown.
    QStringList manufacturers{};
    qint32 yearFrom = 0;
    qint32 yearTo = 0;
    bool unknownYears = true;
    QStringList categories{};
    bool showMature = true;
};

// The settings file's values by key, as read: each key's first value.
using SettingValues = std::map<QString, QString>;

// Converts the values read from the file, key by key in the file's order of
// keys; keys of no setting are left alone. Fails, naming the key, when a value
// present does not convert to its key's type or range.
Outcome<Settings> settingsFromValues(const SettingValues& values);

// What the file holds for `settings`, as keys and written values: every key,
// in the file's fixed order, but those written only when they differ from
// their default.
std::vector<std::pair<QString, QString>> settingLines(const Settings& settings);
