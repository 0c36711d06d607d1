// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// What every fuzz target shares: a check that stops the run with a message,
// the input's lines cut exactly as the files define them, and a private folder
// for the files a target writes.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Stops the run when `condition` does not hold, so that the fuzzer keeps the
// input that broke it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace fuzz {

inline QByteArray Input(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The raw bytes of each line: a line ends at CR LF, CR or LF, and one line end
// after the last line adds no empty line.
inline QList<QByteArray> RawLines(const QByteArray& bytes) {
    QList<QByteArray> lines;
    QByteArray line;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            lines.append(line);
            line.clear();
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            line.append(bytes[i]);
        }
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

// A path in a folder of this process's own, on a RAM disk when there is one:
// the files are synced to disk on every write, which a RAM disk makes free.
inline QString Path(const QString& name) {
    static const QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                       ? QStringLiteral("/dev/shm/coinslot-fuzz-XXXXXX")
                                       : QDir::tempPath() +
                                             QStringLiteral("/coinslot-fuzz-XXXXXX"));
    return dir.filePath(name);
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// Writes `bytes` to Path(name) as they are and returns that path.
inline QString WriteBytes(const QString& name, const QByteArray& bytes) {
    const QString path = Path(name);
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
    return path;
}

} // namespace fuzz
