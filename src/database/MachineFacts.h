// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/GameRecord.h"

#include <QString>
#include <optional>
#include <vector>

// How well MAME emulates a machine, from its <driver status="...">.
enum class DriverStatus : quint8 { Unknown, Good, Imperfect, Preliminary };

// What a current MAME's machine listing (-listxml) tells about one machine
// beyond its database record. Lists of names are separated by single spaces.
struct MachineFacts {
    QString name{};         // the set name
    QString year{};         // as MAME gives it ("1980", "198?"); empty when none
    QString manufacturer{}; // empty when none
    DriverStatus status = DriverStatus::Unknown;
    QString imperfectFeatures{};  // "graphics sound"
    QString unemulatedFeatures{}; // "protection"
    QString cloneOf{};            // the parent set, or empty
    QString sourceFile{};         // "pacman/pacman.cpp"
    QString softwareLists{};      // "nes famicom_flop"
    QString screenType{};         // raster, vector, lcd, svg or unknown; empty without a screen
    int screenRotation = 0;       // the first screen's: 0, 90, 180 or 270
    int screens = 0;
    int players = 0;
    int coins = 0; // coin slots; none for consoles, computers and handhelds
    bool mechanical = false;
    bool needsDisk = false; // a disk image (CHD) that is not optional

    bool operator==(const MachineFacts&) const = default;
};

using MachineFactsTable = std::vector<MachineFacts>;

// Machine facts one machine after another, as a List hands them on.
class MachineFactsSource {
  public:
    virtual ~MachineFactsSource() = default;
    // The next machine's facts, valid until the next call; nullptr after the
    // last one, or when the rest cannot be given (failure() then says why).
    virtual const MachineFacts* next() = 0;
    virtual std::optional<QString> failure() const { return std::nullopt; }
};

// The facts of a table, in its order; the table must outlive the source.
class MachineFactsTableSource : public MachineFactsSource {
  public:
    explicit MachineFactsTableSource(const MachineFactsTable& table) : m_table(table) {}
    const MachineFacts* next() override {
        return m_next < m_table.size() ? &m_table[m_next++] : nullptr;
    }

  private:
    const MachineFactsTable& m_table;
    size_t m_next = 0;
};
