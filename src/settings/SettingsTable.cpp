// SPDX-License-Identifier: GPL-2.0-or-later
#include "settings/SettingsTable.h"

bool SettingsTable::addSetting(const QString& key, const QVariant& value) {
    if (m_count >= kSlots)
        return false;
    m_pairs[m_count] = {key, value};
    ++m_count;
    return true;
}

bool SettingsTable::lookupSetting(const QString& key, QVariant& value) const {
    for (int i = 0; i < m_count; ++i) {
        if (m_pairs[i].key == key) {
            value = m_pairs[i].value;
            return true;
        }
    }
    return false;
}
