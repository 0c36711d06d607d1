// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/RomListing.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

constexpr qsizetype kBlockSize = 256 * 1024;

// A machine's record: its name and romof, whether it can be run, how many
// ROM records and devices follow, the devices (numbers of their names), then
// the ROM records. A ROM record: a flags byte, the size (ROMs only), the CRC
// and SHA-1 when there are any, the name, and the merge name when it is not
// the file's own. Numbers and text sizes are written 7 bits to the byte.
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

void appendText(QByteArray& out, QByteArrayView text) {
    appendNumber(out, static_cast<quint64>(text.size()));
    out.append(text.data(), text.size());
}

// Reads the records back, never past their end: a spool damaged on the disk
// gives a failure, not a read out of bounds.
class Decoder {
  public:
    Decoder(const char* at, const char* end) : m_at(at), m_end(end) {}
    bool ok() const { return m_ok; }
    const char* at() const { return m_at; }

    quint64 number() {
        quint64 value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (m_at == m_end)
                break;
            const auto byte = static_cast<quint8>(*m_at++);
            value |= quint64(byte & 0x7f) << shift;
            if (!(byte & 0x80))
                return value;
        }
        m_ok = false;
        return 0;
    }
    QByteArrayView bytes(quint64 size) {
        if (!m_ok || size > quint64(m_end - m_at)) {
            m_ok = false;
            return {};
        }
        const QByteArrayView bytes(m_at, qsizetype(size));
        m_at += size;
        return bytes;
    }
    QByteArrayView text() { return bytes(number()); }
    quint8 byte() {
        const QByteArrayView one = bytes(1);
        return one.isEmpty() ? 0 : static_cast<quint8>(one[0]);
    }

  private:
    const char* m_at;
    const char* m_end;
    bool m_ok = true;
};

// A ROM record; a fault shows in `in`.
void readRom(Decoder& in, RomEntry& rom) {
    const quint8 flags = in.byte();
    rom.disk = flags & IsDisk;
    rom.status = static_cast<DumpStatus>(std::min((flags >> StatusShift) & 3, 2));
    rom.size = rom.disk ? -1 : static_cast<qint64>(in.number() & 0x7fffffffffffffff);
    rom.crc.reset();
    if (flags & HasCrc) {
        if (const QByteArrayView crc = in.bytes(4); crc.size() == 4)
            rom.crc = qFromLittleEndian<quint32>(crc.data());
    }
    rom.sha1 = (flags & HasSha1) ? in.bytes(20) : QByteArrayView();
    rom.name = in.text();
    switch (static_cast<Merge>((flags >> MergeShift) & 3)) {
    case Merge::SameName:
        rom.merge = rom.name;
        break;
    case Merge::Other:
        rom.merge = in.text();
        break;
    default:
        rom.merge = {};
        break;
    }
}

} // namespace

RomListing::RomListing() = default;
RomListing::RomListing(RomListing&&) noexcept = default;
RomListing& RomListing::operator=(RomListing&&) noexcept = default;
RomListing::~RomListing() = default;

RomListing::RomListing(const QString& spool)
    : m_spool(std::make_unique<QFile>(spool)), m_spoolPath(spool) {
    // Without the file the blocks stay in memory.
    if (!m_spool->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_spool.reset();
        m_spoolPath.clear();
    }
}

void RomListing::fail(const QString& why) {
    if (!m_failure)
        m_failure = why;
    m_blocks = {};
    m_block = {};
}

void RomListing::hash(QByteArrayView bytes) {
    m_hash = stableHash(bytes, m_hash);
}

void RomListing::keepBlock() {
    if (m_block.isEmpty())
        return;
    m_blockSizes.push_back(m_block.size());
    if (!m_spool) {
        m_blocks.push_back(std::move(m_block));
        m_block = QByteArray();
        return;
    }
    if (!m_failure && m_spool->write(m_block) != m_block.size())
        fail(m_spool->errorString());
    m_block.clear(); // keeps its room for the next block
}

void RomListing::reserve(qsizetype bytes) {
    if (m_block.size() + bytes <= m_block.capacity())
        return;
    keepBlock();
    m_block.reserve(std::max(kBlockSize, bytes));
}

void RomListing::beginMachine(QByteArrayView name, QByteArrayView romOf, bool runnable) {
    endMachine();
    m_header.clear();
    appendText(m_header, name);
    appendText(m_header, romOf);
    m_header.append(runnable ? '\1' : '\0');
    hash(m_header);
    m_name = name.toByteArray();
    m_runnable = runnable;
    m_inMachine = true;
}

void RomListing::addRom(const RomEntry& rom) {
    if (!m_inMachine)
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
    const qsizetype start = m_romRecords.size();
    m_romRecords.append(static_cast<char>(flags));
    if (!rom.disk)
        appendNumber(m_romRecords, static_cast<quint64>(std::max<qint64>(rom.size, 0)));
    if (rom.crc) {
        char crc[4];
        qToLittleEndian(*rom.crc, crc);
        m_romRecords.append(crc, 4);
    }
    if (flags & HasSha1)
        m_romRecords.append(rom.sha1.data(), 20);
    appendText(m_romRecords, rom.name);
    if (merge == Merge::Other)
        appendText(m_romRecords, rom.merge);
    hash(QByteArrayView(m_romRecords).sliced(start));
    ++m_roms;
    ++m_romCount;

    // Each file as 21 bytes for the digest: a kind, then a ROM's CRC and
    // size or a disk's SHA-1.
    if (!m_runnable)
        return;
    std::array<char, 21> key{};
    if (rom.disk && rom.sha1.size() == 20) {
        key[0] = 'd';
        std::memcpy(key.data() + 1, rom.sha1.data(), 20);
    } else if (!rom.disk && rom.crc && rom.status != DumpStatus::NoDump) {
        key[0] = 'r';
        qToLittleEndian(*rom.crc, key.data() + 1);
        qToLittleEndian(static_cast<quint64>(std::max<qint64>(rom.size, 0)), key.data() + 5);
    } else {
        return;
    }
    m_keys.push_back(key);
}

void RomListing::addDeviceRef(QByteArrayView device) {
    if (!m_inMachine)
        return;
    hash(device);
    const QByteArray key = QByteArray::fromRawData(device.data(), device.size());
    auto found = m_deviceIndex.constFind(key);
    if (found == m_deviceIndex.constEnd()) {
        m_deviceNames.emplace_back(device.data(), device.size());
        found = m_deviceIndex.insert(m_deviceNames.back(),
                                     static_cast<quint32>(m_deviceNames.size() - 1));
        m_deviceHasRoms.push_back(m_unnamedWithRoms.remove(m_deviceNames.back()));
    }
    // MAME names a device once for each time the machine holds it.
    if (std::find(m_devices.begin(), m_devices.end(), *found) == m_devices.end())
        m_devices.push_back(*found);
}

void RomListing::endMachine() {
    if (!m_inMachine)
        return;
    m_inMachine = false;
    QByteArray counts;
    appendNumber(counts, m_roms);
    appendNumber(counts, m_devices.size());
    for (const quint32 device : m_devices)
        appendNumber(counts, device);
    reserve(m_header.size() + counts.size() + m_romRecords.size());
    m_block.append(m_header).append(counts).append(m_romRecords);
    ++m_machineCount;

    if (m_roms > 0) {
        if (const auto named = m_deviceIndex.constFind(m_name); named != m_deviceIndex.constEnd())
            m_deviceHasRoms[*named] = true;
        else if (!m_runnable)
            m_unnamedWithRoms.insert(m_name);
    }
    if (m_runnable) {
        std::sort(m_keys.begin(), m_keys.end());
        quint64 digest = 0;
        if (!m_keys.empty()) {
            digest = kStableHashStart;
            for (const auto& key : m_keys)
                digest = stableHash(QByteArrayView(key.data(), qsizetype(key.size())), digest);
            digest = digest == 0 ? 1 : digest;
        }
        m_runnableDigests.push_back(digest);
    }
    m_romRecords.clear();
    m_devices.clear();
    m_keys.clear();
    m_roms = 0;
}

void RomListing::end() {
    endMachine();
    keepBlock();
    m_block = {};
    m_unnamedWithRoms = {};
    if (m_spool && !m_failure && !m_spool->flush())
        fail(m_spool->errorString());
    m_spool.reset();
}

RomListing::Reader::Reader(const RomListing& listing) : m_listing(listing) {
    if (listing.m_failure) {
        m_failure = listing.m_failure;
    } else if (!listing.m_spoolPath.isEmpty()) {
        m_file = std::make_unique<QFile>(listing.m_spoolPath);
        if (!m_file->open(QIODevice::ReadOnly))
            m_failure = m_file->errorString();
    }
}

RomListing::Reader::~Reader() = default;

bool RomListing::Reader::loadBlock() {
    const size_t block = m_nextBlock++;
    if (!m_file) {
        const QByteArray& kept = m_listing.m_blocks[block];
        m_at = kept.constData();
        m_end = m_at + kept.size();
        return true;
    }
    const qsizetype size = m_listing.m_blockSizes[block];
    m_block.resize(size);
    if (m_file->read(m_block.data(), size) != size) {
        m_failure = QStringLiteral("the file of the ROM listing ends too soon");
        return false;
    }
    m_at = m_block.constData();
    m_end = m_at + size;
    return true;
}

bool RomListing::Reader::next() {
    if (m_failure)
        return false;
    if (m_at == m_end) {
        if (m_nextBlock == m_listing.m_blockSizes.size() || !loadBlock())
            return false;
    }
    Decoder in(m_at, m_end);
    m_name = in.text();
    m_romOf = in.text();
    m_runnable = in.byte() != 0;
    const quint64 roms = in.number();
    const quint64 devices = in.number();
    // Each ROM record takes two bytes at least, each device one.
    if (!in.ok() || roms > quint64(m_end - in.at()) || devices > quint64(m_end - in.at())) {
        m_failure = QStringLiteral("the file of the ROM listing is damaged");
        return false;
    }
    m_devices.resize(devices);
    for (quint32& device : m_devices)
        device = static_cast<quint32>(in.number());
    m_roms.resize(roms);
    for (RomEntry& rom : m_roms)
        readRom(in, rom);
    const bool known = std::all_of(m_devices.begin(), m_devices.end(), [this](quint32 device) {
        return device < m_listing.m_deviceNames.size();
    });
    if (!in.ok() || !known) {
        m_failure = QStringLiteral("the file of the ROM listing is damaged");
        return false;
    }
    m_at = in.at();
    return true;
}

std::vector<QByteArrayView> RomListing::Reader::devicesWithRoms() const {
    std::vector<QByteArrayView> devices;
    for (const quint32 device : m_devices) {
        if (m_listing.m_deviceHasRoms[device])
            devices.push_back(m_listing.m_deviceNames[device]);
    }
    return devices;
}
