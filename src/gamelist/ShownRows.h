// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/GameRecord.h"

#include <vector>

// The games the list shows, in list order, as positions in the master table:
// either every game, or a chosen few. Row k of the list is the game at
// position (*this)[k]; no record is copied.
class ShownRows {
  public:
    ShownRows() = default;
    static ShownRows all(qsizetype count) {
        ShownRows rows;
        rows.m_count = count;
        return rows;
    }
    static ShownRows only(std::vector<qint32> positions) {
        ShownRows rows;
        rows.m_count = std::ssize(positions);
        rows.m_positions = std::move(positions);
        rows.m_all = false;
        return rows;
    }

    qsizetype size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    bool showsAll() const { return m_all; }
    // The master position of row `row` (0 <= row < size()).
    qint32 operator[](qsizetype row) const {
        return m_all ? static_cast<qint32>(row) : m_positions[static_cast<size_t>(row)];
    }

  private:
    qsizetype m_count = 0;
    std::vector<qint32> m_positions;
    bool m_all = true;
};
