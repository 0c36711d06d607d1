// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "text/StableHash.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QSet>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class QFile;

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
// (device_ref). Kept compactly, as bytes in blocks of 256 KB, never as a
// string per ROM: MAME 0.251 lists 336,504 ROMs. With a spool file, each
// full block goes to the file and leaves memory, so that the listing of a
// million machines takes a block or two while it is read; what stays in memory
// is the digest of each machine that can be run and the names of the
// devices.
//
// Machines come in the listing's order; each one's ROMs and devices follow
// its beginMachine() up to the next. end() ends the last one; the listing is
// then read back one machine after another (Reader).
class RomListing {
  public:
    RomListing();
    // Keeps the blocks in the file `spool`, made afresh (in memory when it
    // cannot be made).
    explicit RomListing(const QString& spool);
    RomListing(RomListing&&) noexcept;
    RomListing& operator=(RomListing&&) noexcept;
    ~RomListing();

    void beginMachine(QByteArrayView name, QByteArrayView romOf, bool runnable);
    void addRom(const RomEntry& rom);
    void addDeviceRef(QByteArrayView device);
    // Ends the last machine. Nothing is added after it.
    void end();

    qsizetype machineCount() const { return m_machineCount; }
    qsizetype romCount() const { return m_romCount; }
    // One hash over the dumped ROMs' CRCs and sizes and the disks' SHA-1s of
    // each machine that can be run, in sorted order, in the listing's order:
    // equal for two machines with the same files whatever they are called;
    // 0 for one with none.
    std::vector<quint64> takeRunnableDigests() { return std::move(m_runnableDigests); }
    // Room for the digests of about `machines` that can be run.
    void reserveRunnable(qsizetype machines) { m_runnableDigests.reserve(size_t(machines)); }
    // A hash over everything kept: equal for equal listings.
    quint64 contentHash() const { return m_hash; }

    void clear() { *this = RomListing(); }

    // The machines one after another, from the first.
    class Reader {
      public:
        explicit Reader(const RomListing& listing);
        ~Reader();
        // Moves to the next machine: false after the last one, or when the
        // spool cannot be read (failure() then tells why).
        bool next();
        QByteArrayView name() const { return m_name; }
        QByteArrayView romOf() const { return m_romOf; }
        bool runnable() const { return m_runnable; }
        // Its ROMs and disks, in the listing's order; valid until next().
        const std::vector<RomEntry>& roms() const { return m_roms; }
        // The devices it refers to that have ROMs or disks of their own
        // (only those can make a difference to its files), each once, in
        // the listing's order.
        std::vector<QByteArrayView> devicesWithRoms() const;
        std::optional<QString> failure() const { return m_failure; }

      private:
        bool loadBlock();

        const RomListing& m_listing;
        std::unique_ptr<QFile> m_file;
        QByteArray m_block; // the block read from the spool
        const char* m_at = nullptr;
        const char* m_end = nullptr;
        size_t m_nextBlock = 0;
        QByteArrayView m_name;
        QByteArrayView m_romOf;
        bool m_runnable = false;
        std::vector<RomEntry> m_roms;
        std::vector<quint32> m_devices;
        std::optional<QString> m_failure;
    };

  private:
    void endMachine();
    // Room for `bytes` more in the block, the full one going first.
    void reserve(qsizetype bytes);
    void keepBlock();
    void hash(QByteArrayView bytes);
    void fail(const QString& why);

    std::unique_ptr<QFile> m_spool;
    QString m_spoolPath;
    std::vector<QByteArray> m_blocks; // without a spool: every full block
    std::vector<qsizetype> m_blockSizes;
    QByteArray m_block; // the one being filled

    // The machine being read: its record's start (name, romof, runnable),
    // ROM records, devices and files' keys for its digest.
    bool m_inMachine = false;
    QByteArray m_header;
    QByteArray m_name;
    QByteArray m_romRecords;
    quint32 m_roms = 0;
    std::vector<quint32> m_devices;
    std::vector<std::array<char, 21>> m_keys;
    bool m_runnable = false;

    std::vector<quint64> m_runnableDigests;
    std::vector<QByteArray> m_deviceNames;
    QHash<QByteArray, quint32> m_deviceIndex;
    std::vector<bool> m_deviceHasRoms; // per device name
    // Machines with files that no device_ref has named yet; only machines
    // that cannot be run, which is what MAME's devices and BIOS sets are.
    QSet<QByteArray> m_unnamedWithRoms;
    qsizetype m_machineCount = 0;
    qsizetype m_romCount = 0;
    quint64 m_hash = kStableHashStart;
    std::optional<QString> m_failure;
};
