// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// What the bare Qt floor keeps of a database file: each line's description
// (the text before its first "|") and its driver (the text after its third),
// decoded as UTF-8, read the plain way.

#include <QByteArray>
#include <QFile>
#include <QStringList>

namespace bench {

struct FloorTable {
    QStringList descriptions;
    QStringList drivers;
};

inline FloorTable readFloorTable(const QString& path, bool withDrivers) {
    FloorTable table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return table;
    const QByteArray bytes = file.readAll();
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = QByteArrayView(bytes).sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        const qsizetype bar = line.indexOf('|');
        table.descriptions.append(QString::fromUtf8(bar < 0 ? line : line.first(bar)));
        if (withDrivers) {
            qsizetype at = bar;
            for (int k = 0; k < 2 && at >= 0; ++k)
                at = line.indexOf('|', at + 1);
            table.drivers.append(at < 0 ? QString() : QString::fromUtf8(line.sliced(at + 1)));
        }
        start = end + 1;
    }
    return table;
}

} // namespace bench
