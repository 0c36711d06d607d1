// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "text/StableHash.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <functional>
#include <optional>
#include <vector>

// How MAME says a ROM or disk was dumped (its status attribute).
enum class DumpStatus : quint8 { Good, BadDump, NoDump };

// One <rom> or <disk> of a machine, as MAME lists it. Views into the listing
// (or into what the caller hands over), valid while it is not changed.
struct RomEntry {
    QByteArrayView name;
    QByteArrayView merge; // the parent's or BIOS's file it shares; empty: none
    qint64 size = -1;     // bytes; -1 for a disk, which has none
    std::optional<quint32> crc;
    QByteArrayView sha1; // 20 bytes, or empty when MAME gives none
    DumpStatus status = DumpStatus::Good;
    bool disk = false;
};

// What a current MAME's machine listing (-listxml) tells of every machine's
// ROM files: its ROMs and disks, the machine it takes further files from
// (romof: a clone's parent, a game's BIOS) and the devices it uses
// (device_ref). Kept compactly, as bytes in blocks of a megabyte, never as a
// string per ROM: MAME 0.251 lists 336,504 ROMs.
//
// Machines come in the listing's order; each one's ROMs and devices follow
// its beginMachine() up to the next.
class RomListing {
  public:
    void beginMachine(QByteArrayView name, QByteArrayView romOf, bool runnable);
    void addRom(const RomEntry& rom);
    void addDeviceRef(QByteArrayView device);

    qsizetype machineCount() const { return std::ssize(m_machines); }
    qsizetype romCount() const { return m_romCount; }
    QByteArrayView name(qsizetype machine) const;
    QByteArrayView romOf(qsizetype machine) const;
    bool runnable(qsizetype machine) const { return m_machines[size_t(machine)].runnable; }
    // Its ROMs and disks, in the listing's order.
    void forEachRom(qsizetype machine, const std::function<void(const RomEntry&)>& visit) const;
    // The devices it refers to that have ROMs or disks of their own (only
    // those can make a difference to its files), in the listing's order.
    std::vector<QByteArrayView> devicesWithRoms(qsizetype machine) const;
    // One hash over its dumped ROMs' CRCs and sizes and its disks' SHA-1s,
    // in sorted order: equal for two machines with the same files whatever
    // they are called. 0 when it has none.
    quint64 romDigest(qsizetype machine) const;
    // A hash over everything kept: equal for equal listings.
    quint64 contentHash() const { return m_hash; }

    void clear() { *this = RomListing(); }

  private:
    // Where a record starts: a block and an offset in it.
    struct Place {
        quint32 block = 0;
        quint32 offset = 0;
    };
    struct Machine {
        Place header;     // name and romof
        Place firstRom;   // where its ROM records begin
        quint32 roms = 0; // how many
        quint32 firstDevice = 0;
        quint32 devices = 0;
        bool runnable = false;
    };

    // Room for `bytes` more in the last block, opening a new one when needed.
    Place reserve(qsizetype bytes);
    void append(QByteArrayView bytes);
    void hash(QByteArrayView bytes);
    Place next(Place at) const;

    std::vector<QByteArray> m_blocks;
    std::vector<Machine> m_machines;
    std::vector<quint32> m_deviceRefs; // indexes into m_deviceNames
    std::vector<QByteArray> m_deviceNames;
    QHash<QByteArray, quint32> m_deviceIndex;
    QByteArray m_record;                       // the ROM record being made
    mutable std::vector<bool> m_deviceHasRoms; // per device name, made when first asked
    qsizetype m_romCount = 0;
    quint64 m_hash = kStableHashStart;
};
