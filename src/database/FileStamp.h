// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDateTime>
#include <QFileInfo>
#include <QString>

// A file as it was found: its path, size and modification time, which tell
// whether it changed since it was read.
struct FileStamp {
    QString path;
    qint64 size = 0;
    QDateTime modified;
    bool operator==(const FileStamp&) const = default;
};

inline FileStamp stampOf(const QFileInfo& file) {
    return {file.absoluteFilePath(), file.size(), file.lastModified()};
}
