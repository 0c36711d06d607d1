// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/ZipArchive.h"

#include <QFile>

#include <dlfcn.h>
#include <type_traits>
#include <zip.h>

namespace {

// libzip, loaded when the first zip file is opened, not at the program's
// start: most starts read no zip file, and loading libzip with the
// compression and crypto libraries it brings took 1.7 MB and a part of a
// millisecond before the window could be shown.
struct LibZip {
    decltype(&zip_open) open = nullptr;
    decltype(&zip_discard) discard = nullptr;
    decltype(&zip_name_locate) nameLocate = nullptr;
    decltype(&zip_get_name) getName = nullptr;
    decltype(&zip_stat_init) statInit = nullptr;
    decltype(&zip_stat) stat = nullptr;
    decltype(&zip_fopen) fopen = nullptr;
    decltype(&zip_fread) fread = nullptr;
    decltype(&zip_fclose) fclose = nullptr;
    bool loaded = false;
};

const LibZip& libZip() {
    static const LibZip library = [] {
        LibZip zip;
        void* handle = dlopen("libzip.so.4", RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            handle = dlopen("libzip.so", RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return zip;
        const auto find = [handle](auto& function, const char* name) {
            function =
                reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(handle, name));
            return function != nullptr;
        };
        zip.loaded = find(zip.open, "zip_open") && find(zip.discard, "zip_discard") &&
                     find(zip.nameLocate, "zip_name_locate") && find(zip.getName, "zip_get_name") &&
                     find(zip.statInit, "zip_stat_init") && find(zip.stat, "zip_stat") &&
                     find(zip.fopen, "zip_fopen") && find(zip.fread, "zip_fread") &&
                     find(zip.fclose, "zip_fclose");
        return zip;
    }();
    return library;
}

} // namespace

ZipArchive::ZipArchive(const QString& path) {
    if (!libZip().loaded)
        return;
    int error = 0;
    m_zip = libZip().open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
}

ZipArchive::~ZipArchive() {
    if (m_zip)
        libZip().discard(m_zip);
}

std::optional<QString> ZipArchive::find(const QString& name) const {
    if (!m_zip)
        return std::nullopt;
    const LibZip& zip = libZip();
    const QByteArray wanted = name.toUtf8();
    zip_int64_t index = zip.nameLocate(m_zip, wanted.constData(), ZIP_FL_ENC_GUESS);
    if (index < 0)
        index = zip.nameLocate(m_zip, wanted.constData(), ZIP_FL_NOCASE | ZIP_FL_ENC_GUESS);
    if (index < 0)
        return std::nullopt;
    return QString::fromUtf8(zip.getName(m_zip, static_cast<zip_uint64_t>(index), 0));
}

qint64 ZipArchive::size(const QString& name) const {
    if (!m_zip)
        return -1;
    const LibZip& zip = libZip();
    zip_stat_t stat;
    zip.statInit(&stat);
    if (zip.stat(m_zip, name.toUtf8().constData(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
        return -1;
    return static_cast<qint64>(stat.size);
}

std::optional<QByteArray> ZipArchive::read(const QString& name, qint64 largest) const {
    const qint64 bytes = size(name);
    if (bytes < 0 || bytes > largest)
        return std::nullopt;
    const LibZip& zip = libZip();
    zip_file_t* file = zip.fopen(m_zip, name.toUtf8().constData(), 0);
    if (!file)
        return std::nullopt;
    QByteArray content(bytes, Qt::Uninitialized);
    const zip_int64_t read = zip.fread(file, content.data(), static_cast<zip_uint64_t>(bytes));
    zip.fclose(file);
    if (read != bytes)
        return std::nullopt;
    return content;
}
