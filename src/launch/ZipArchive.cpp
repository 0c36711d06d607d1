// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/ZipArchive.h"

#include <QFile>
#include <zip.h>

ZipArchive::ZipArchive(const QString& path) {
    int error = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
}

ZipArchive::~ZipArchive() {
    if (m_zip)
        zip_discard(m_zip);
}

std::optional<QString> ZipArchive::find(const QString& name) const {
    if (!m_zip)
        return std::nullopt;
    const QByteArray wanted = name.toUtf8();
    zip_int64_t index = zip_name_locate(m_zip, wanted.constData(), ZIP_FL_ENC_GUESS);
    if (index < 0)
        index = zip_name_locate(m_zip, wanted.constData(), ZIP_FL_NOCASE | ZIP_FL_ENC_GUESS);
    if (index < 0)
        return std::nullopt;
    return QString::fromUtf8(zip_get_name(m_zip, static_cast<zip_uint64_t>(index), 0));
}

qint64 ZipArchive::size(const QString& name) const {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (!m_zip || zip_stat(m_zip, name.toUtf8().constData(), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE))
        return -1;
    return static_cast<qint64>(stat.size);
}

std::optional<QByteArray> ZipArchive::read(const QString& name, qint64 largest) const {
    const qint64 bytes = size(name);
    if (bytes < 0 || bytes > largest)
        return std::nullopt;
    zip_file_t* file = zip_fopen(m_zip, name.toUtf8().constData(), 0);
    if (!file)
        return std::nullopt;
    QByteArray content(bytes, Qt::Uninitialized);
    const zip_int64_t read = zip_fread(file, content.data(), static_cast<zip_uint64_t>(bytes));
    zip_fclose(file);
    if (read != bytes)
        return std::nullopt;
    return content;
}
