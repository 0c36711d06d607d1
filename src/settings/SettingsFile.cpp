// SPDX-License-Identifier: GPL-2.0-or-later
#include "settings/SettingsFile.h"

#include "text/SplitFirst.h"
#include "text/TextFile.h"
#include "text/TrimSpaces.h"

#include <QCoreApplication>

Outcome<Settings> readSettingsFile(const QString& path) {
    const std::optional<QStringList> lines = readLines(path);
    if (!lines)
        return Failure{
            QCoreApplication::translate("SettingsFile", "The settings file %1 could not be read.")
                .arg(path)};
    SettingValues values;
    int settingLines = 0;
    for (QString line : *lines) {
        if (!line.contains(u'='))
            continue;
        if (++settingLines > kMostSettingLines)
            return Failure{QCoreApplication::translate(
                               "SettingsFile", "The settings file %1 holds more than %2 settings.")
                               .arg(path)
                               .arg(kMostSettingLines)};
        const QString key = splitFirst(line, u'=');
        values.try_emplace(trimSpaces(key), trimSpaces(line));
    }
    return settingsFromValues(values);
}

Outcome<Done> writeSettingsFile(const QString& path, const Settings& settings) {
    QStringList lines;
    for (const auto& [key, value] : settingLines(settings))
        lines.append(key + QStringLiteral(" = ") + value);
    return writeLinesAtomically(path, lines);
}
