#include "settings/FrontEndSettings.h"

#include "settings/SettingValue.h"

namespace {

// Reads `key` when present with `convert`; false when present but unconvertible.
template <class T, class Convert>
bool Read(const SettingsTable& table, const char* key, Convert convert, std::optional<T>& target) {
    QVariant value;
    if (!table.LookupSetting(QLatin1String(key), value))
        return true;
    const auto converted = convert(value.toString());
    if (!converted)
        return false;
    target = static_cast<T>(*converted);
    return true;
}

template <class T, class Convert>
bool Read(const SettingsTable& table, const char* key, Convert convert, T& target) {
    std::optional<T> read;
    if (!Read(table, key, convert, read))
        return false;
    if (read)
        target = *read;
    return true;
}

std::optional<QString> AsText(const QString& text) {
    return text;
}

} // namespace

std::optional<FrontEndSettings> SettingsFromTable(const SettingsTable& table) {
    FrontEndSettings s;
    const bool ok =
        Read(table, "left", ToLong, s.left) && Read(table, "top", ToLong, s.top) &&
        Read(table, "width", ToLong, s.width) && Read(table, "height", ToLong, s.height) &&
        Read(table, "windowstate", ToInteger, s.windowState) &&
        Read(table, "fontname", AsText, s.fontName) &&
        Read(table, "fontsize", ToNumber, s.fontSize) &&
        Read(table, "fontbold", ToFlag, s.fontBold) &&
        Read(table, "fontitalic", ToFlag, s.fontItalic) &&
        Read(table, "lastgame", ToLong, s.lastGame) && Read(table, "mameexe", AsText, s.mameExe) &&
        Read(table, "commandlineoptions", AsText, s.commandLineOptions) &&
        Read(table, "filter", AsText, s.filter) &&
        Read(table, "hideconsole", ToFlag, s.hideConsole) &&
        Read(table, "noshortcuts", ToFlag, s.noShortcuts) &&
        Read(table, "caseinsensitive", ToFlag, s.caseInsensitive);
    if (!ok)
        return std::nullopt;
    return s;
}

SettingsTable TableFromSettings(const FrontEndSettings& s) {
    SettingsTable table;
    table.AddSetting(QStringLiteral("left"), s.left.value_or(0));
    table.AddSetting(QStringLiteral("top"), s.top.value_or(0));
    table.AddSetting(QStringLiteral("width"), s.width.value_or(0));
    table.AddSetting(QStringLiteral("height"), s.height.value_or(0));
    table.AddSetting(QStringLiteral("windowstate"), s.windowState.value_or(0));
    table.AddSetting(QStringLiteral("fontname"), s.fontName.value_or(QString()));
    table.AddSetting(QStringLiteral("fontsize"), static_cast<float>(s.fontSize.value_or(0)));
    table.AddSetting(QStringLiteral("fontbold"), s.fontBold.value_or(false));
    table.AddSetting(QStringLiteral("fontitalic"), s.fontItalic.value_or(false));
    table.AddSetting(QStringLiteral("lastgame"), s.lastGame);
    table.AddSetting(QStringLiteral("mameexe"), s.mameExe);
    table.AddSetting(QStringLiteral("commandlineoptions"), s.commandLineOptions);
    table.AddSetting(QStringLiteral("filter"), s.filter);
    table.AddSetting(QStringLiteral("hideconsole"), s.hideConsole);
    table.AddSetting(QStringLiteral("noshortcuts"), s.noShortcuts);
    table.AddSetting(QStringLiteral("caseinsensitive"), s.caseInsensitive);
    return table;
}
