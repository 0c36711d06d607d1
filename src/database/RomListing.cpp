// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/RomListing.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr qsizetype kBlockSize = 1 << 20;

// A ROM record: a flags byte, the size (ROMs only), the CRC and SHA-1 when
// there are any, the name, and the merge name when it is not the file's own.
enum RecordFlag : quint8 {
    HasCrc = 1,
    HasSha1 = 2,
    IsDisk = 4,
    StatusShift = 3, // two bits: DumpStatus
    MergeShift = 5,  // two bits: Merge
};
enum class Merge : quint8 { None, SameName, Other };

void appendNumber(QByteArray& out, quint64 value) {
    do {
        const auto low = static_cast<char>(value & 0x7f);
        value >>= 7;
        out.append(static_cast<char>(low | (value ? 0x80 : 0)));
    } while (value);
}

quint64 readNumber(const char*& p) {
    quint64 value = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<quint8>(*p++);
        value |= quint64(byte & 0x7f) << shift;
        if (!(byte & 0x80))
            return value;
    }
}

void appendText(QByteArray& out, QByteArrayView text) {
    appendNumber(out, static_cast<quint64>(text.size()));
    out.append(text.data(), text.size());
}

QByteArrayView readText(const char*& p) {
    const auto size = static_cast<qsizetype>(readNumber(p));
    const QByteArrayView text(p, size);
    p += size;
    return text;
}

// Decodes the ROM record at `p`; gives where the next one begins.
const char* readRom(const char* p, RomEntry& rom) {
    const auto flags = static_cast<quint8>(*p++);
    rom.disk = flags & IsDisk;
    rom.status = static_cast<DumpStatus>((flags >> StatusShift) & 3);
    rom.size = rom.disk ? -1 : static_cast<qint64>(readNumber(p));
    rom.crc.reset();
    if (flags & HasCrc) {
        rom.crc = qFromLittleEndian<quint32>(p);
        p += 4;
    }
    rom.sha1 = {};
    if (flags & HasSha1) {
        rom.sha1 = QByteArrayView(p, 20);
        p += 20;
    }
    rom.name = readText(p);
    switch (static_cast<Merge>((flags >> MergeShift) & 3)) {
    case Merge::None:
        rom.merge = {};
        break;
    case Merge::SameName:
        rom.merge = rom.name;
        break;
    case Merge::Other:
        rom.merge = readText(p);
        break;
    }
    return p;
}

} // namespace

RomListing::Place RomListing::reserve(qsizetype bytes) {
    if (m_blocks.empty() || m_blocks.back().size() + bytes > m_blocks.back().capacity()) {
        m_blocks.emplace_back();
        m_blocks.back().reserve(std::max(kBlockSize, bytes));
    }
    return {static_cast<quint32>(m_blocks.size() - 1),
            static_cast<quint32>(m_blocks.back().size())};
}

void RomListing::append(QByteArrayView bytes) {
    m_blocks.back().append(bytes.data(), bytes.size());
    hash(bytes);
}

void RomListing::hash(QByteArrayView bytes) {
    m_hash = stableHash(bytes, m_hash);
}

// The place itself, or the next block's start when it is past its block's end.
RomListing::Place RomListing::next(Place at) const {
    if (at.offset >= static_cast<quint32>(m_blocks[at.block].size()))
        return {at.block + 1, 0};
    return at;
}

void RomListing::beginMachine(QByteArrayView name, QByteArrayView romOf, bool runnable) {
    QByteArray record;
    appendText(record, name);
    appendText(record, romOf);
    record.append(runnable ? '\1' : '\0');
    Machine machine;
    machine.header = reserve(record.size());
    append(record);
    machine.firstRom = {machine.header.block,
                        machine.header.offset + static_cast<quint32>(record.size())};
    machine.firstDevice = static_cast<quint32>(m_deviceRefs.size());
    machine.runnable = runnable;
    m_machines.push_back(machine);
}

void RomListing::addRom(const RomEntry& rom) {
    if (m_machines.empty())
        return;
    const Merge merge = rom.merge.isEmpty()     ? Merge::None
                        : rom.merge == rom.name ? Merge::SameName
                                                : Merge::Other;
    quint8 flags = static_cast<quint8>(static_cast<quint8>(rom.status) << StatusShift |
                                       static_cast<quint8>(merge) << MergeShift);
    if (rom.crc)
        flags |= HasCrc;
    if (rom.sha1.size() == 20)
        flags |= HasSha1;
    if (rom.disk)
        flags |= IsDisk;
    QByteArray& record = m_record;
    record.clear(); // keeps its room: no allocation per ROM
    record.append(static_cast<char>(flags));
    if (!rom.disk)
        appendNumber(record, static_cast<quint64>(std::max<qint64>(rom.size, 0)));
    if (rom.crc) {
        char crc[4];
        qToLittleEndian(*rom.crc, crc);
        record.append(crc, 4);
    }
    if (flags & HasSha1)
        record.append(rom.sha1.data(), 20);
    appendText(record, rom.name);
    if (merge == Merge::Other)
        appendText(record, rom.merge);
    reserve(record.size());
    append(record);
    ++m_machines.back().roms;
    ++m_romCount;
}

void RomListing::addDeviceRef(QByteArrayView device) {
    if (m_machines.empty())
        return;
    const QByteArray key = QByteArray::fromRawData(device.data(), device.size());
    auto found = m_deviceIndex.constFind(key);
    if (found == m_deviceIndex.constEnd()) {
        m_deviceNames.emplace_back(device.data(), device.size());
        found = m_deviceIndex.insert(m_deviceNames.back(),
                                     static_cast<quint32>(m_deviceNames.size() - 1));
    }
    m_deviceRefs.push_back(*found);
    ++m_machines.back().devices;
    hash(device);
}

QByteArrayView RomListing::name(qsizetype machine) const {
    const Place at = m_machines[size_t(machine)].header;
    const char* p = m_blocks[at.block].constData() + at.offset;
    return readText(p);
}

QByteArrayView RomListing::romOf(qsizetype machine) const {
    const Place at = m_machines[size_t(machine)].header;
    const char* p = m_blocks[at.block].constData() + at.offset;
    readText(p);
    return readText(p);
}

void RomListing::forEachRom(qsizetype machine,
                            const std::function<void(const RomEntry&)>& visit) const {
    const Machine& m = m_machines[size_t(machine)];
    Place at = m.firstRom;
    RomEntry rom;
    for (quint32 i = 0; i < m.roms; ++i) {
        at = next(at); // a record that did not fit went to the next block
        const char* start = m_blocks[at.block].constData() + at.offset;
        const char* end = readRom(start, rom);
        visit(rom);
        at.offset += static_cast<quint32>(end - start);
    }
}

std::vector<QByteArrayView> RomListing::devicesWithRoms(qsizetype machine) const {
    // Which device names belong to a machine of the listing with files.
    if (m_deviceHasRoms.size() != m_deviceNames.size()) {
        m_deviceHasRoms.assign(m_deviceNames.size(), false);
        for (const Machine& m : m_machines) {
            if (m.roms == 0)
                continue;
            const char* p = m_blocks[m.header.block].constData() + m.header.offset;
            const QByteArrayView named = readText(p);
            const auto found =
                m_deviceIndex.constFind(QByteArray::fromRawData(named.data(), named.size()));
            if (found != m_deviceIndex.constEnd())
                m_deviceHasRoms[*found] = true;
        }
    }
    const Machine& m = m_machines[size_t(machine)];
    std::vector<QByteArrayView> devices;
    for (quint32 i = 0; i < m.devices; ++i) {
        // MAME names a device once for each time the machine holds it.
        const quint32 device = m_deviceRefs[m.firstDevice + i];
        const QByteArrayView name = m_deviceNames[device];
        if (m_deviceHasRoms[device] &&
            std::find(devices.begin(), devices.end(), name) == devices.end())
            devices.push_back(name);
    }
    return devices;
}

quint64 RomListing::romDigest(qsizetype machine) const {
    // Each file as 21 bytes: a kind, then a ROM's CRC and size or a disk's SHA-1.
    using Key = std::array<char, 21>;
    std::vector<Key> keys;
    forEachRom(machine, [&keys](const RomEntry& rom) {
        Key key{};
        if (rom.disk && rom.sha1.size() == 20) {
            key[0] = 'd';
            std::memcpy(key.data() + 1, rom.sha1.data(), 20);
        } else if (!rom.disk && rom.crc && rom.status != DumpStatus::NoDump) {
            key[0] = 'r';
            qToLittleEndian(*rom.crc, key.data() + 1);
            qToLittleEndian(static_cast<quint64>(rom.size), key.data() + 5);
        } else {
            return;
        }
        keys.push_back(key);
    });
    if (keys.empty())
        return 0;
    std::sort(keys.begin(), keys.end());
    quint64 digest = kStableHashStart;
    for (const Key& key : keys)
        digest = stableHash(QByteArrayView(key.data(), qsizetype(key.size())), digest);
    return digest == 0 ? 1 : digest;
}
