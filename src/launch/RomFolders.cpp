// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/RomFolders.h"

#include "launch/MameIniPath.h"
#include "text/StableHash.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Kind : char { Archive = 'a', Folder = 'f', Disk = 'c', InFolder = 'e' };

// The hash of one entry: where it is, what it is, and its name, size, times
// and file number.
quint64 entryHash(int folder, Kind kind, const char* name, const struct stat& st) {
    char fixed[48];
    qToLittleEndian<qint32>(folder, fixed);
    fixed[4] = static_cast<char>(kind);
    qToLittleEndian<qint64>(st.st_size, fixed + 5);
    qToLittleEndian<qint64>(st.st_mtim.tv_sec, fixed + 13);
    qToLittleEndian<qint32>(static_cast<qint32>(st.st_mtim.tv_nsec), fixed + 21);
    qToLittleEndian<qint64>(st.st_ctim.tv_sec, fixed + 25);
    qToLittleEndian<qint32>(static_cast<qint32>(st.st_ctim.tv_nsec), fixed + 33);
    qToLittleEndian<quint64>(st.st_ino, fixed + 37);
    fixed[45] = fixed[46] = fixed[47] = 0;
    return stableHash(QByteArrayView(name), stableHash(QByteArrayView(fixed, 48)));
}

bool endsWithIgnoringCase(QByteArrayView name, QByteArrayView ending) {
    return name.size() > ending.size() &&
           qstrnicmp(name.data() + name.size() - ending.size(), ending.data(), ending.size()) == 0;
}

// Every entry of the folder `parent` opened as `dirFd`, but "." and "..",
// with what stat() says of it (following links); the folder is closed.
template <class Visit> void forEachEntry(int dirFd, Visit visit) {
    DIR* dir = fdopendir(dirFd);
    if (!dir) {
        close(dirFd);
        return;
    }
    while (const dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        struct stat st {};
        if (fstatat(dirfd(dir), name, &st, 0) == 0)
            visit(dirfd(dir), name, st);
    }
    closedir(dir);
}

// The sum of the hashes of a set folder's entries: the same in any order.
quint64 folderHash(int parentFd, const char* name, int folder) {
    const int fd = openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    quint64 sum = 0;
    if (fd < 0)
        return sum;
    forEachEntry(fd, [&](int, const char* inner, const struct stat& st) {
        sum += entryHash(folder, Kind::InFolder, inner, st);
    });
    return sum;
}

} // namespace

QHash<QString, quint64> listRomFolders(const QStringList& folders) {
    QHash<QString, quint64> state;
    for (int index = 0; index < folders.size(); ++index) {
        const int fd =
            open(QFile::encodeName(folders[index]).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            continue;
        forEachEntry(fd, [&](int dirFd, const char* name, const struct stat& st) {
            const QByteArrayView bytes(name);
            QByteArrayView key = bytes;
            quint64 hash = 0;
            if (S_ISDIR(st.st_mode)) {
                hash = entryHash(index, Kind::Folder, name, st) + folderHash(dirFd, name, index);
            } else if (!S_ISREG(st.st_mode)) {
                return;
            } else if (endsWithIgnoringCase(bytes, ".zip")) {
                key.chop(4);
                hash = entryHash(index, Kind::Archive, name, st);
            } else if (endsWithIgnoringCase(bytes, ".7z")) {
                key.chop(3);
                hash = entryHash(index, Kind::Archive, name, st);
            } else if (endsWithIgnoringCase(bytes, ".chd")) {
                hash = entryHash(index, Kind::Disk, name, st);
            } else {
                return;
            }
            state[QFile::decodeName(key.toByteArray()).toLower()] += hash;
        });
    }
    return state;
}

QStringList romFoldersOf(const QString& showConfigOutput, const QString& workingFolder) {
    QStringList folders;
    const std::optional<QStringList> named =
        mameOptionFolders(showConfigOutput, QStringLiteral("rompath"));
    for (const QString& folder : named.value_or(QStringList()))
        folders.append(QDir::cleanPath(QDir(workingFolder).absoluteFilePath(folder)));
    return folders;
}
