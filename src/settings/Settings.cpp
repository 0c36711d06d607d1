// SPDX-License-Identifier: GPL-2.0-or-later
#include "settings/Settings.h"

#include "settings/SettingValue.h"

#include <functional>
#include <vector>

namespace {

// One key of the settings file: how its text is read into the settings, and
// what is written for it.
struct SettingKey {
    QString name;
    std::function<bool(const QString& text, Settings& settings)> read;
    std::function<QVariant(const Settings& settings)> write;
    // For a key written only when it differs from its default: whether it does.
    std::function<bool(const Settings& settings)> differs;
};

std::optional<QString> asText(const QString& text) {
    return text;
}

// A list of names, written separated by "|" (which no manufacturer or
// category of MAME's holds).
std::optional<QStringList> asList(const QString& text) {
    return text.split(u'|');
}

std::optional<qint32> asYear(const QString& text) {
    const std::optional<qint32> year = toLong(text);
    if (!year || *year < 0 || *year > 9999)
        return std::nullopt;
    return year;
}

// A key whose value lives at `access(settings)`, read with `convert` (which
// gives nothing for a text that does not convert) and written as `Written`.
template <class Written, class Access, class Convert>
SettingKey key(const char* name, Access access, Convert convert) {
    return {QLatin1String(name),
            [access, convert](const QString& text, Settings& settings) {
                const auto value = convert(text);
                if (!value)
                    return false;
                access(settings) = *value;
                return true;
            },
            [access](const Settings& settings) {
                const auto& field = access(settings);
                if constexpr (std::is_same_v<std::decay_t<decltype(field)>, QStringList>)
                    return QVariant::fromValue(field.join(u'|'));
                else if constexpr (requires { field.value_or(Written{}); })
                    return QVariant::fromValue(static_cast<Written>(field.value_or(Written{})));
                else
                    return QVariant::fromValue(static_cast<Written>(field));
            },
            {}};
}

// A key like key(), written only when its value differs from the default.
template <class Written, class Access, class Convert>
SettingKey keyUnlessDefault(const char* name, Access access, Convert convert) {
    SettingKey made = key<Written>(name, access, convert);
    made.differs = [access](const Settings& settings) {
        static const Settings defaults;
        return access(settings) != access(defaults);
    };
    return made;
}

// The keys in the order the file is written.
const std::vector<SettingKey>& settingKeys() {
    static const std::vector<SettingKey> keys = {
        key<qint32>(
            "left", [](auto& s) -> auto& { return s.window.left; }, toLong),
        key<qint32>(
            "top", [](auto& s) -> auto& { return s.window.top; }, toLong),
        key<qint32>(
            "width", [](auto& s) -> auto& { return s.window.width; }, toLong),
        key<qint32>(
            "height", [](auto& s) -> auto& { return s.window.height; }, toLong),
        key<int>(
            "windowstate", [](auto& s) -> auto& { return s.window.windowState; }, toInteger),
        key<QString>(
            "fontname", [](auto& s) -> auto& { return s.window.fontName; }, asText),
        key<float>(
            "fontsize", [](auto& s) -> auto& { return s.window.fontSize; }, toNumber),
        key<bool>(
            "fontbold", [](auto& s) -> auto& { return s.window.fontBold; }, toFlag),
        key<bool>(
            "fontitalic", [](auto& s) -> auto& { return s.window.fontItalic; }, toFlag),
        key<qint32>(
            "lastgame", [](auto& s) -> auto& { return s.lastGame; }, toLong),
        key<QString>(
            "mameexe", [](auto& s) -> auto& { return s.mameExecutable; }, asText),
        key<QString>(
            "commandlineoptions", [](auto& s) -> auto& { return s.playOptions; }, asText),
        key<QString>(
            "filter", [](auto& s) -> auto& { return s.driverFilter; }, asText),
        key<bool>(
            "hideconsole", [](auto& s) -> auto& { return s.hideConsole; }, toFlag),
        key<bool>(
            "noshortcuts", [](auto& s) -> auto& { return s.noShortcuts; }, toFlag),
        key<bool>(
            "caseinsensitive", [](auto& s) -> auto& { return s.caseInsensitive; }, toFlag),
        keyUnlessDefault<bool>(
            "showclones", [](auto& s) -> auto& { return s.showClones; }, toFlag),
        keyUnlessDefault<bool>(
            "shownotworking", [](auto& s) -> auto& { return s.showNotWorking; }, toFlag),
        keyUnlessDefault<bool>(
            "showmechanical", [](auto& s) -> auto& { return s.showMechanical; }, toFlag),
        keyUnlessDefault<bool>(
            "shownonarcade", [](auto& s) -> auto& { return s.showNonArcade; }, toFlag),
        keyUnlessDefault<bool>(
            "favouritesonly", [](auto& s) -> auto& { return s.favouritesOnly; }, toFlag),
        keyUnlessDefault<QString>(
            "manufacturers", [](auto& s) -> auto& { return s.manufacturers; }, asList),
        keyUnlessDefault<qint32>(
            "yearfrom", [](auto& s) -> auto& { return s.yearFrom; }, asYear),
        keyUnlessDefault<qint32>(
            "yearto", [](auto& s) -> auto& { return s.yearTo; }, asYear),
        keyUnlessDefault<bool>(
            "unknownyears", [](auto& s) -> auto& { return s.unknownYears; }, toFlag),
        keyUnlessDefault<QString>(
            "categories", [](auto& s) -> auto& { return s.categories; }, asList),
        keyUnlessDefault<bool>(
            "showmature", [](auto& s) -> auto& { return s.showMature; }, toFlag),
    };
    return keys;
}

} // namespace

Outcome<Settings> settingsFromTable(const SettingsTable& table) {
    Settings settings;
    for (const SettingKey& key : settingKeys()) {
        QVariant value;
        if (table.lookupSetting(key.name, value) && !key.read(value.toString(), settings))
            return Failure{QStringLiteral("The value of %1 is not valid.").arg(key.name)};
    }
    return settings;
}

SettingsTable tableFromSettings(const Settings& settings) {
    SettingsTable table;
    for (const SettingKey& key : settingKeys()) {
        if (!key.differs || key.differs(settings))
            table.addSetting(key.name, key.write(settings));
    }
    return table;
}
