// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/ConfigFiles.h"

#include "launch/MameCommands.h"

#include "text/SystemPath.h"

#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool mameIniExists(const QString& mameIniFile) {
    return isFile(mameIniFile);
}

Outcome<QString> prepareIniFile(const QString& folder, const QString& name) {
    if (!isPlainMameName(name))
        return Failure{
            QString("\"%1\" is not a set or driver name, so it has no ini file.").arg(name)};

    struct stat st {};
    if (::stat(systemPath(folder).constData(), &st) != 0) {
        if (!makeFolders(folder).ok())
            return Failure{QString("The folder \"%1\" could not be created.")
                               .arg(QDir::toNativeSeparators(folder))};
    } else if (!S_ISDIR(st.st_mode)) {
        return Failure{QString("\"%1\" is a file, not a folder, so no ini file can be made in it.")
                           .arg(QDir::toNativeSeparators(folder))};
    }

    const QString path = folder + "/" + name + ".ini";
    if (isFile(path))
        return path;
    if (::lstat(systemPath(path).constData(), &st) == 0)
        return Failure{QString("\"%1\" is not a file.").arg(QDir::toNativeSeparators(path))};
    const int fd =
        ::open(systemPath(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return Failure{QString("The file \"%1\" could not be created: %2")
                           .arg(QDir::toNativeSeparators(path), systemReason(errno))};
    ::close(fd);
    return path;
}
