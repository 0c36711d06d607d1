// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/SetAsideFile.h"

SetAsideFile::SetAsideFile(const QString& path) : m_file(path) {
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Truncate | QIODevice::Unbuffered))
        m_file.setFileName(QString());
}

std::optional<qint64> SetAsideFile::append(QByteArrayView bytes) {
    if (!isOpen() || !m_file.seek(m_end))
        return std::nullopt;
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 wrote = m_file.write(bytes.data() + written, bytes.size() - written);
        if (wrote <= 0)
            return std::nullopt;
        written += wrote;
    }
    const qint64 at = m_end;
    m_end += bytes.size();
    return at;
}

bool SetAsideFile::read(qint64 at, char* into, qint64 size) {
    if (!isOpen() || at < 0 || size < 0 || at + size > m_end || !m_file.seek(at))
        return false;
    for (qint64 got = 0; got < size;) {
        const qint64 read = m_file.read(into + got, size - got);
        if (read <= 0)
            return false;
        got += read;
    }
    return true;
}

std::optional<QByteArray> SetAsideFile::read(qint64 at, qint64 size) {
    QByteArray bytes(size, Qt::Uninitialized);
    if (!read(at, bytes.data(), size))
        return std::nullopt;
    return bytes;
}
