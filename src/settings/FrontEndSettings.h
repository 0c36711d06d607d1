#pragma once

#include "settings/SettingsTable.h"

#include <QString>
#include <optional>

// The sixteen settings as the front end uses them: what start-up applies and
// shutdown saves. A value absent from the file stays unset (or at its default).
struct FrontEndSettings {
    // The window's normal rectangle in twips, and its state (0 normal,
    // 1 minimised, 2 maximised).
    std::optional<qint32> left, top, width, height;
    std::optional<int> windowState;
    // The list's font.
    std::optional<QString> fontName;
    std::optional<double> fontSize;
    std::optional<bool> fontBold, fontItalic;
    // The list position to select.
    qint32 lastGame = 0;
    QString mameExe;
    QString commandLineOptions;
    QString filter;
    bool hideConsole = false;
    bool noShortcuts = false;
    bool caseInsensitive = false;
};

// Converts the table read from the file. Nothing when a value present does not
// convert to its key's type or is outside its range.
std::optional<FrontEndSettings> settingsFromTable(const SettingsTable& table);

// The table written at shutdown: the sixteen keys, in their fixed order. Every
// rectangle value and the window state must be set.
SettingsTable tableFromSettings(const FrontEndSettings& settings);
