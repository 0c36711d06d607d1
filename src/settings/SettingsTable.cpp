#include "settings/SettingsTable.h"

bool SettingsTable::addSetting(const QString& key, const QVariant& value) {
    if (count >= kSlots)
        return false;
    pairs[count] = {key, value};
    ++count;
    return true;
}

bool SettingsTable::lookupSetting(const QString& key, QVariant& value) const {
    for (int i = 0; i < count; ++i) {
        if (pairs[i].key == key) {
            value = pairs[i].value;
            return true;
        }
    }
    return false;
}
