// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>

// FNV-1a, 64 bits, over `bytes`, going on from `hash`: the same in every run
// and every build of the program, for what the store keeps.
inline constexpr quint64 kStableHashStart = 0xcbf29ce484222325ULL;

inline quint64 stableHash(QByteArrayView bytes, quint64 hash = kStableHashStart) {
    for (const char c : bytes) {
        hash ^= static_cast<quint8>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}
