// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Zip files made here, for MAME's ROM folders: the files stored as they are.

#include <QByteArray>
#include <utility>
#include <vector>

// A zip file that stores `files` (name, bytes) as they are, as MAME reads it.
inline QByteArray storedZip(const std::vector<std::pair<QByteArray, QByteArray>>& files) {
    const auto crc32 = [](const QByteArray& bytes) {
        quint32 crc = 0xffffffff;
        for (const char c : bytes) {
            crc ^= static_cast<quint8>(c);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xedb88320 & (0u - (crc & 1)));
        }
        return ~crc;
    };
    const auto le = [](QByteArray& out, quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.append(static_cast<char>(value >> (8 * i)));
    };
    QByteArray zip, directory;
    for (const auto& [name, data] : files) {
        const quint32 offset = static_cast<quint32>(zip.size());
        QByteArray common;
        le(common, 10, 2); // version needed
        le(common, 0, 2);  // flags
        le(common, 0, 2);  // stored
        le(common, 0, 4);  // time and date
        le(common, crc32(data), 4);
        le(common, static_cast<quint32>(data.size()), 4);
        le(common, static_cast<quint32>(data.size()), 4);
        le(common, static_cast<quint32>(name.size()), 2);
        le(common, 0, 2); // extra
        le(zip, 0x04034b50, 4);
        zip += common + name + data;
        le(directory, 0x02014b50, 4);
        le(directory, 10, 2); // version made by
        directory += common;
        le(directory, 0, 2); // comment
        le(directory, 0, 2); // disk
        le(directory, 0, 2); // internal attributes
        le(directory, 0, 4); // external attributes
        le(directory, offset, 4);
        directory += name;
    }
    const quint32 start = static_cast<quint32>(zip.size());
    zip += directory;
    le(zip, 0x06054b50, 4);
    le(zip, 0, 4);
    le(zip, static_cast<quint32>(files.size()), 2);
    le(zip, static_cast<quint32>(files.size()), 2);
    le(zip, static_cast<quint32>(directory.size()), 4);
    le(zip, start, 4);
    le(zip, 0, 2);
    return zip;
}
