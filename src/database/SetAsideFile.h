// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <optional>

// A file that holds bytes set aside from memory for a while, and gives them
// back: during a List, what the old table held, so that the old and the new
// table are never in memory together while Cancel can still bring the old one
// back. The file stays open (and readable) until the object goes, even when
// its folder is removed meanwhile.
class SetAsideFile {
  public:
    // Makes the file `path` afresh; isOpen() tells whether it could.
    explicit SetAsideFile(const QString& path);
    SetAsideFile(const SetAsideFile&) = delete;
    SetAsideFile& operator=(const SetAsideFile&) = delete;

    bool isOpen() const { return m_file.isOpen(); }
    // Appends `bytes` and gives where they start, or nothing when the file
    // could not take them all.
    std::optional<qint64> append(QByteArrayView bytes);
    // `size` bytes from `at` into `into`; false when they cannot be read.
    bool read(qint64 at, char* into, qint64 size);
    std::optional<QByteArray> read(qint64 at, qint64 size);

  private:
    QFile m_file;
    qint64 m_end = 0;
};
