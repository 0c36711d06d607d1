// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "settings/SettingPair.h"

#include <array>

// The fixed table of key/value pairs carried between the settings file and
// the window: 101 slots, filled from the front.
class SettingsTable {
  public:
    static constexpr int kSlots = 101;

    // Stores the pair in the next free slot. Returns false, storing nothing,
    // when all slots are in use.
    bool addSetting(const QString& key, const QVariant& value);

    // Finds the first slot whose key equals `key` exactly (case matters).
    // When found, copies its value into `value` and returns true; otherwise
    // returns false and leaves `value` alone.
    bool lookupSetting(const QString& key, QVariant& value) const;

    int size() const { return m_count; }
    const SettingPair& operator[](int slot) const { return m_pairs[slot]; }

  private:
    std::array<SettingPair, kSlots> m_pairs;
    int m_count = 0;
};
