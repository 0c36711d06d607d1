// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

// A zip file opened for reading through libzip, such as MAME's "snap.zip"
// that holds "pacman.png". libzip is loaded when the first one is opened;
// without it no zip file opens.
class ZipArchive {
  public:
    // Opens `path`; isOpen() tells whether it is a readable zip file.
    explicit ZipArchive(const QString& path);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool isOpen() const { return m_zip != nullptr; }
    // The name of the member called `name` in any letter case, or nothing.
    std::optional<QString> find(const QString& name) const;
    // The member's uncompressed size, or -1 when there is no such member.
    qint64 size(const QString& name) const;
    // The member's bytes; nothing when it is missing, larger than
    // `largest` bytes or cannot be read whole.
    std::optional<QByteArray> read(const QString& name, qint64 largest) const;

  private:
    struct zip* m_zip = nullptr;
};
