// SPDX-License-Identifier: GPL-2.0-or-later
#include "settings/SettingsFile.h"

#include "settings/SettingValue.h"
#include "text/SplitFirst.h"
#include "text/TextFile.h"
#include "text/TrimSpaces.h"

#include <QCoreApplication>

Outcome<SettingsTable> readSettingsFile(const QString& path) {
    const std::optional<QStringList> lines = readLines(path);
    if (!lines)
        return Failure{
            QCoreApplication::translate("SettingsFile", "The settings file %1 could not be read.")
                .arg(path)};
    SettingsTable table;
    for (QString line : *lines) {
        if (!line.contains(u'='))
            continue;
        const QString key = splitFirst(line, u'=');
        if (!table.addSetting(trimSpaces(key), trimSpaces(line)))
            return Failure{QCoreApplication::translate(
                               "SettingsFile", "The settings file %1 holds more than %2 settings.")
                               .arg(path)
                               .arg(SettingsTable::kSlots)};
    }
    return table;
}

Outcome<Done> writeSettingsFile(const QString& path, const SettingsTable& table) {
    QStringList lines;
    for (int i = 0; i < table.size(); ++i) {
        const SettingPair& pair = table[i];
        lines.append(pair.key + " = " + formatSettingValue(pair.value));
    }
    return writeLinesAtomically(path, lines);
}
