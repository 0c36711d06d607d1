// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/TempListingFolder.h"

#include "launch/ProcessIds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Whether `st` is a real folder (not a link to one) of this user's, private as
// TempListingFolder makes it.
bool isOwnPrivateFolder(const struct stat& st) {
    return S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 07777) == 0700;
}

// Removes a listing folder left behind: only the regular files directly in it,
// never through a link, and then the folder itself when that left it empty.
// The folder is opened without following links and checked again once open,
// so a link put in its place meanwhile is not followed either.
bool removeListingFolder(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    DIR* dir = ::fstat(fd, &st) == 0 && isOwnPrivateFolder(st) ? ::fdopendir(fd) : nullptr;
    if (!dir) {
        ::close(fd);
        return false;
    }
    while (const dirent* entry = ::readdir(dir)) {
        struct stat file {};
        if (::fstatat(fd, entry->d_name, &file, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(file.st_mode))
            ::unlinkat(fd, entry->d_name, 0);
    }
    ::closedir(dir); // closes fd as well
    return ::rmdir(path.constData()) == 0;
}

QString folderTemplate() {
    return QDir(temporaryFolder())
        .absoluteFilePath(QStringLiteral("coinslot-%1-XXXXXX").arg(currentProcessId()));
}

} // namespace

QString temporaryFolder() {
    const QString temp = qEnvironmentVariable("TEMP");
    return temp.isEmpty() ? QDir::tempPath() : temp;
}

TempListingFolder::TempListingFolder() : m_dir(folderTemplate()) {
    if (!m_dir.isValid())
        m_error = QCoreApplication::translate("TempListingFolder",
                                              "The temporary folder could not be made in %1: %2")
                      .arg(QDir::toNativeSeparators(temporaryFolder()), m_dir.errorString());
}

int removeStaleListingFolders() {
    static const QRegularExpression name(QStringLiteral("^coinslot-(\\d+)-[A-Za-z0-9]{6}$"));
    QDir temp(temporaryFolder());
    int removed = 0;
    const QStringList folders =
        temp.entryList({QStringLiteral("coinslot-*")}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& folder : folders) {
        const QRegularExpressionMatch match = name.match(folder);
        if (!match.hasMatch() || processIsRunning(match.captured(1).toLongLong()))
            continue;
        // Only a real folder of this user's, private as this program makes
        // them: QDir lists links to folders too.
        const QByteArray path = QFile::encodeName(temp.filePath(folder));
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0 || !isOwnPrivateFolder(st))
            continue;
        if (removeListingFolder(path))
            ++removed;
    }
    return removed;
}
