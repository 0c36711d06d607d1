#include "settings/SettingsTable.h"

bool SettingsTable::AddSetting(const QString& key, const QVariant& value) {
    if (intSettingCount >= kSlots)
        return false;
    udtSettings[intSettingCount] = {key, value};
    ++intSettingCount;
    return true;
}

bool SettingsTable::LookupSetting(const QString& key, QVariant& value) const {
    for (int i = 0; i < intSettingCount; ++i) {
        if (udtSettings[i].strKey == key) {
            value = udtSettings[i].varValue;
            return true;
        }
    }
    return false;
}
