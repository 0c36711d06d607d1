#include "settings/FrontEndSettings.h"

#include "settings/SettingValue.h"

namespace {

// Reads `key` when present with `convert`; false when present but unconvertible.
template <class T, class Convert>
bool readKey(const SettingsTable& table, const char* key, Convert convert,
             std::optional<T>& target) {
    QVariant value;
    if (!table.lookupSetting(QLatin1String(key), value))
        return true;
    const auto converted = convert(value.toString());
    if (!converted)
        return false;
    target = static_cast<T>(*converted);
    return true;
}

template <class T, class Convert>
bool readKey(const SettingsTable& table, const char* key, Convert convert, T& target) {
    std::optional<T> read;
    if (!readKey(table, key, convert, read))
        return false;
    if (read)
        target = *read;
    return true;
}

std::optional<QString> asText(const QString& text) {
    return text;
}

} // namespace

std::optional<FrontEndSettings> settingsFromTable(const SettingsTable& table) {
    FrontEndSettings s;
    const bool ok =
        readKey(table, "left", toLong, s.left) && readKey(table, "top", toLong, s.top) &&
        readKey(table, "width", toLong, s.width) && readKey(table, "height", toLong, s.height) &&
        readKey(table, "windowstate", toInteger, s.windowState) &&
        readKey(table, "fontname", asText, s.fontName) &&
        readKey(table, "fontsize", toNumber, s.fontSize) &&
        readKey(table, "fontbold", toFlag, s.fontBold) &&
        readKey(table, "fontitalic", toFlag, s.fontItalic) &&
        readKey(table, "lastgame", toLong, s.lastGame) &&
        readKey(table, "mameexe", asText, s.mameExe) &&
        readKey(table, "commandlineoptions", asText, s.commandLineOptions) &&
        readKey(table, "filter", asText, s.filter) &&
        readKey(table, "hideconsole", toFlag, s.hideConsole) &&
        readKey(table, "noshortcuts", toFlag, s.noShortcuts) &&
        readKey(table, "caseinsensitive", toFlag, s.caseInsensitive);
    if (!ok)
        return std::nullopt;
    return s;
}

SettingsTable tableFromSettings(const FrontEndSettings& s) {
    SettingsTable table;
    table.addSetting(QStringLiteral("left"), s.left.value_or(0));
    table.addSetting(QStringLiteral("top"), s.top.value_or(0));
    table.addSetting(QStringLiteral("width"), s.width.value_or(0));
    table.addSetting(QStringLiteral("height"), s.height.value_or(0));
    table.addSetting(QStringLiteral("windowstate"), s.windowState.value_or(0));
    table.addSetting(QStringLiteral("fontname"), s.fontName.value_or(QString()));
    table.addSetting(QStringLiteral("fontsize"), static_cast<float>(s.fontSize.value_or(0)));
    table.addSetting(QStringLiteral("fontbold"), s.fontBold.value_or(false));
    table.addSetting(QStringLiteral("fontitalic"), s.fontItalic.value_or(false));
    table.addSetting(QStringLiteral("lastgame"), s.lastGame);
    table.addSetting(QStringLiteral("mameexe"), s.mameExe);
    table.addSetting(QStringLiteral("commandlineoptions"), s.commandLineOptions);
    table.addSetting(QStringLiteral("filter"), s.filter);
    table.addSetting(QStringLiteral("hideconsole"), s.hideConsole);
    table.addSetting(QStringLiteral("noshortcuts"), s.noShortcuts);
    table.addSetting(QStringLiteral("caseinsensitive"), s.caseInsensitive);
    return table;
}
