#include "settings/SettingsFile.h"

#include "settings/SettingValue.h"
#include "text/SplitFirst.h"
#include "text/TextFile.h"
#include "text/TrimSpaces.h"

std::optional<SettingsTable> ReadSettingsFile(const QString& path) {
    const std::optional<QStringList> lines = ReadLines(path);
    if (!lines)
        return std::nullopt;
    SettingsTable table;
    for (QString line : *lines) {
        if (!line.contains(u'='))
            continue;
        const QString key = SplitFirst(line, u'=');
        if (!table.AddSetting(TrimSpaces(key), TrimSpaces(line)))
            return std::nullopt;
    }
    return table;
}

QString WriteSettingsFile(const QString& path, const SettingsTable& table) {
    QStringList lines;
    for (int i = 0; i < table.intSettingCount; ++i) {
        const SettingPair& pair = table.udtSettings[i];
        lines.append(pair.strKey + " = " + FormatSettingValue(pair.varValue));
    }
    return WriteLinesAtomically(path, lines);
}
