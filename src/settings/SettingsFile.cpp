#include "settings/SettingsFile.h"

#include "settings/SettingValue.h"
#include "text/SplitFirst.h"
#include "text/TextFile.h"
#include "text/TrimSpaces.h"

std::optional<SettingsTable> readSettingsFile(const QString& path) {
    const std::optional<QStringList> lines = readLines(path);
    if (!lines)
        return std::nullopt;
    SettingsTable table;
    for (QString line : *lines) {
        if (!line.contains(u'='))
            continue;
        const QString key = splitFirst(line, u'=');
        if (!table.addSetting(trimSpaces(key), trimSpaces(line)))
            return std::nullopt;
    }
    return table;
}

QString writeSettingsFile(const QString& path, const SettingsTable& table) {
    QStringList lines;
    for (int i = 0; i < table.count; ++i) {
        const SettingPair& pair = table.pairs[i];
        lines.append(pair.key + " = " + formatSettingValue(pair.value));
    }
    return writeLinesAtomically(path, lines);
}
