// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/MachineRomTags.h"

#include "database/MachineFactTags.h"

#include <array>
#include <cstring>

namespace {

template <size_t N>
bool startsWithLiteral(const char* p, qsizetype available, const char (&literal)[N]) {
    return available >= static_cast<qsizetype>(N - 1) && std::memcmp(p, literal, N - 1) == 0;
}

// Calls `visit` with each attribute's name and raw value of the start tag
// `tag`, as MAME prints it: a blank before each name, double quotes.
template <class Visit> void forEachAttribute(QByteArrayView tag, Visit visit) {
    const char* p = tag.data();
    const char* const end = p + tag.size();
    while (p < end) {
        const auto* blank = static_cast<const char*>(std::memchr(p, ' ', size_t(end - p)));
        if (!blank)
            return;
        const auto* equals = static_cast<const char*>(std::memchr(blank, '=', size_t(end - blank)));
        if (!equals || equals + 1 >= end || equals[1] != '"')
            return;
        const char* const value = equals + 2;
        const auto* quote = static_cast<const char*>(std::memchr(value, '"', size_t(end - value)));
        if (!quote)
            return;
        visit(QByteArrayView(blank + 1, equals), QByteArrayView(value, quote));
        p = quote + 1;
    }
}

// A value with its entities decoded; `storage` holds it when decoding
// changed it.
QByteArrayView decoded(QByteArrayView raw, QByteArray& storage) {
    if (!raw.contains('&'))
        return raw;
    storage = decodeXmlText(raw).toUtf8();
    return storage;
}

// The value of each hex digit, -1 for any other byte.
constexpr std::array<qint8, 256> kHexDigits = [] {
    std::array<qint8, 256> digits{};
    digits.fill(-1);
    for (int c = 0; c < 10; ++c)
        digits[size_t('0' + c)] = qint8(c);
    for (int c = 0; c < 6; ++c)
        digits[size_t('a' + c)] = digits[size_t('A' + c)] = qint8(10 + c);
    return digits;
}();

int hexDigit(char c) {
    return kHexDigits[static_cast<quint8>(c)];
}

// `hex` as bytes into `out`, which has room for hex.size() / 2; false when
// it is not an even number of hex digits.
bool fromHex(QByteArrayView hex, char* out) {
    if (hex.size() % 2 != 0)
        return false;
    for (qsizetype i = 0; i < hex.size(); i += 2) {
        const int high = hexDigit(hex[i]);
        const int low = hexDigit(hex[i + 1]);
        if (high < 0 || low < 0)
            return false;
        out[i / 2] = static_cast<char>(high << 4 | low);
    }
    return true;
}

} // namespace

RomTag romTagAt(const char* p, qsizetype available) {
    if (available < 2)
        return RomTag::None;
    switch (p[1]) {
    case 'r':
        return startsWithLiteral(p, available, "<rom ") ? RomTag::Rom : RomTag::None;
    case 'd':
        if (startsWithLiteral(p, available, "<disk "))
            return RomTag::Disk;
        return startsWithLiteral(p, available, "<device_ref ") ? RomTag::DeviceRef : RomTag::None;
    default:
        return RomTag::None;
    }
}

void readRomTag(RomTag tag, QByteArrayView bytes, RomListing& listing) {
    if (tag == RomTag::None)
        return;
    // One pass over the attributes: a tag is read 336,504 times a listing.
    QByteArrayView name, merge, size, crc, sha1, status;
    forEachAttribute(bytes, [&](QByteArrayView attribute, QByteArrayView value) {
        if (attribute == "name")
            name = value;
        else if (attribute == "merge")
            merge = value;
        else if (attribute == "size")
            size = value;
        else if (attribute == "crc")
            crc = value;
        else if (attribute == "sha1")
            sha1 = value;
        else if (attribute == "status")
            status = value;
    });
    QByteArray nameStorage;
    name = decoded(name, nameStorage);
    if (tag == RomTag::DeviceRef) {
        listing.addDeviceRef(name);
        return;
    }
    QByteArray mergeStorage;
    RomEntry rom;
    rom.name = name;
    rom.merge = decoded(merge, mergeStorage);
    rom.disk = tag == RomTag::Disk;
    rom.status = status == "nodump"    ? DumpStatus::NoDump
                 : status == "baddump" ? DumpStatus::BadDump
                                       : DumpStatus::Good;
    if (!rom.disk) {
        bool ok = false;
        rom.size = size.toLongLong(&ok);
        if (!ok)
            rom.size = 0;
        char bytesOfCrc[4];
        if (crc.size() == 8 && fromHex(crc, bytesOfCrc))
            rom.crc = quint32(quint8(bytesOfCrc[0])) << 24 | quint32(quint8(bytesOfCrc[1])) << 16 |
                      quint32(quint8(bytesOfCrc[2])) << 8 | quint32(quint8(bytesOfCrc[3]));
    }
    char bytesOfSha1[20];
    if (sha1.size() == 40 && fromHex(sha1, bytesOfSha1))
        rom.sha1 = QByteArrayView(bytesOfSha1, 20);
    listing.addRom(rom);
}
