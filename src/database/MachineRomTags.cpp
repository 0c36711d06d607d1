// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/MachineRomTags.h"

#include "database/MachineFactTags.h"

#include <cstring>

namespace {

template <size_t N>
bool startsWithLiteral(const char* p, qsizetype available, const char (&literal)[N]) {
    return available >= static_cast<qsizetype>(N - 1) && std::memcmp(p, literal, N - 1) == 0;
}

// An attribute's value with its entities decoded; `storage` holds it when
// decoding changed it.
QByteArrayView decodedAttribute(QByteArrayView tag, QByteArrayView nameIs, QByteArray& storage) {
    const QByteArrayView raw = attributeOf(tag, nameIs);
    if (!raw.contains('&'))
        return raw;
    storage = decodeXmlText(raw).toUtf8();
    return storage;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
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

DumpStatus statusOf(QByteArrayView tag) {
    const QByteArrayView status = attributeOf(tag, " status=\"");
    return status == "nodump"    ? DumpStatus::NoDump
           : status == "baddump" ? DumpStatus::BadDump
                                 : DumpStatus::Good;
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
    QByteArray nameStorage;
    const QByteArrayView name = decodedAttribute(bytes, " name=\"", nameStorage);
    if (tag == RomTag::DeviceRef) {
        listing.addDeviceRef(name);
        return;
    }
    if (tag == RomTag::None)
        return;
    QByteArray mergeStorage;
    RomEntry rom;
    rom.name = name;
    rom.merge = decodedAttribute(bytes, " merge=\"", mergeStorage);
    rom.disk = tag == RomTag::Disk;
    rom.status = statusOf(bytes);
    if (!rom.disk) {
        bool ok = false;
        rom.size = attributeOf(bytes, " size=\"").toLongLong(&ok);
        if (!ok)
            rom.size = 0;
        char crc[4];
        if (const QByteArrayView hex = attributeOf(bytes, " crc=\"");
            hex.size() == 8 && fromHex(hex, crc))
            rom.crc = quint32(quint8(crc[0])) << 24 | quint32(quint8(crc[1])) << 16 |
                      quint32(quint8(crc[2])) << 8 | quint32(quint8(crc[3]));
    }
    char sha1[20];
    if (const QByteArrayView hex = attributeOf(bytes, " sha1=\"");
        hex.size() == 40 && fromHex(hex, sha1))
        rom.sha1 = QByteArrayView(sha1, 20);
    listing.addRom(rom);
}
