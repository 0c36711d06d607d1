// SPDX-License-Identifier: GPL-2.0-or-later
#include "settings/Settings.h"

#include "settings/SettingValue.h"

#include <QCoreApplication>
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
    const std::optional<qint32> year = toInt32(text);
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

// A key like key(), written only while the details view is on.
template <class Written, class Access, class Convert>
SettingKey keyWhileDetails(const char* name, Access access, Convert convert) {
    SettingKey made = key<Written>(name, access, convert);
    made.differs = [access](const Settings& settings) {
        return settings.window.details.on && access(settings);
    };
    return made;
}

// The keys in the order the file is written.
const std::vector<SettingKey>& settingKeys() {
    static const std::vector<SettingKey> keys = {
        key<qint32>(
            "left", [](auto& s) -> auto& { return s.window.left; }, toInt32),
        key<qint32>(
            "top", [](auto& s) -> auto& { return s.window.top; }, toInt32),
        key<qint32>(
            "width", [](auto& s) -> auto& { return s.window.width; }, toInt32),
        key<qint32>(
            "height", [](auto& s) -> auto& { return s.window.height; }, toInt32),
        key<int>(
            "windowstate", [](auto& s) -> auto& { return s.window.windowState; }, toInt16),
        key<QString>(
            "fontname", [](auto& s) -> auto& { return s.window.fontName; }, asText),
        key<float>(
            "fontsize", [](auto& s) -> auto& { return s.window.fontSize; }, toDouble),
        key<bool>(
            "fontbold", [](auto& s) -> auto& { return s.window.fontBold; }, toBool),
        key<bool>(
            "fontitalic", [](auto& s) -> auto& { return s.window.fontItalic; }, toBool),
        key<qint32>(
            "lastgame", [](auto& s) -> auto& { return s.lastGame; }, toInt32),
        key<QString>(
            "mameexe", [](auto& s) -> auto& { return s.mameExecutable; }, asText),
        key<QString>(
            "commandlineoptions", [](auto& s) -> auto& { return s.playOptions; }, asText),
        key<QString>(
            "filter", [](auto& s) -> auto& { return s.driverFilter; }, asText),
        key<bool>(
            "hideconsole", [](auto& s) -> auto& { return s.hideConsole; }, toBool),
        key<bool>(
            "noshortcuts", [](auto& s) -> auto& { return s.noShortcuts; }, toBool),
        key<bool>(
            "caseinsensitive", [](auto& s) -> auto& { return s.caseInsensitive; }, toBool),
        keyUnlessDefault<bool>(
            "showclones", [](auto& s) -> auto& { return s.showClones; }, toBool),
        keyUnlessDefault<bool>(
            "shownotworking", [](auto& s) -> auto& { return s.showNotWorking; }, toBool),
        keyUnlessDefault<bool>(
            "showmechanical", [](auto& s) -> auto& { return s.showMechanical; }, toBool),
        keyUnlessDefault<bool>(
            "shownonarcade", [](auto& s) -> auto& { return s.showNonArcade; }, toBool),
        keyUnlessDefault<bool>(
            "favouritesonly", [](auto& s) -> auto& { return s.favouritesOnly; }, toBool),
        keyUnlessDefault<bool>(
            "details", [](auto& s) -> auto& { return s.window.details.on; }, toBool),
        keyWhileDetails<qint32>(
            "detailspane", [](auto& s) -> auto& { return s.window.details.paneWidth; }, toInt32),
        keyWhileDetails<qint32>(
            "plainwidth", [](auto& s) -> auto& { return s.window.details.plainWidth; }, toInt32),
        keyWhileDetails<qint32>(
            "plainheight", [](auto& s) -> auto& { return s.window.details.plainHeight; }, toInt32),
        keyUnlessDefault<QString>(
            "manufacturers", [](auto& s) -> auto& { return s.manufacturers; }, asList),
        keyUnlessDefault<qint32>(
            "yearfrom", [](auto& s) -> auto& { return s.yearFrom; }, asYear),
        keyUnlessDefault<qint32>(
            "yearto", [](auto& s) -> auto& { return s.yearTo; }, asYear),
        keyUnlessDefault<bool>(
            "unknownyears", [](auto& s) -> auto& { return s.unknownYears; }, toBool),
        keyUnlessDefault<QString>(
            "categories", [](auto& s) -> auto& { return s.categories; }, asList),
        keyUnlessDefault<bool>(
            "showmature", [](auto& s) -> auto& { return s.showMature; }, toBool),
    };
    return keys;
}

} // namespace

Outcome<Settings> settingsFromValues(const SettingValues& values) {
    Settings settings;
    for (const SettingKey& key : settingKeys()) {
        const auto value = values.find(key.name);
        if (value != values.end() && !key.read(value->second, settings))
            return Failure{QCoreApplication::translate("Settings", "The value of %1 is not valid.")
                               .arg(key.name)};
    }
    return settings;
}

std::vector<std::pair<QString, QString>> settingLines(const Settings& settings) {
    std::vector<std::pair<QString, QString>> lines;
    for (const SettingKey& key : settingKeys()) {
        if (!key.differs || key.differs(settings))
            lines.emplace_back(key.name, formatSettingValue(key.write(settings)));
    }
    return lines;
}
