// SPDX-License-Identifier: GPL-2.0-or-later
#include "text/SystemPath.h"

#include "text/TextFile.h"

#include <QDir>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

QByteArray systemPath(QStringView path) {
    return encodeText(path);
}

QString pathFromSystem(QByteArrayView bytes) {
    return decodeText(bytes);
}

QString currentFolder() {
    char buffer[PATH_MAX];
    if (!::getcwd(buffer, sizeof buffer))
        return {};
    return pathFromSystem(QByteArrayView(buffer, qsizetype(std::strlen(buffer))));
}

QString environmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value ? pathFromSystem(QByteArrayView(value, qsizetype(std::strlen(value)))) : QString();
}

QString homeFolder() {
    if (const QString home = environmentPath("HOME"); !home.isEmpty())
        return home;
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
        return pathFromSystem(QByteArrayView(user->pw_dir, qsizetype(std::strlen(user->pw_dir))));
    return QStringLiteral("/");
}

bool isFolder(const QString& path) {
    struct stat st {};
    return !path.isEmpty() && ::stat(systemPath(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isFile(const QString& path) {
    struct stat st {};
    return !path.isEmpty() && ::stat(systemPath(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

Outcome<Done> makeFolders(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    // Each folder from the top down; those already there are passed over.
    for (qsizetype slash = clean.indexOf(u'/', 1);; slash = clean.indexOf(u'/', slash + 1)) {
        const QString folder = slash < 0 ? clean : clean.left(slash);
        if (::mkdir(systemPath(folder).constData(), 0777) != 0 && errno != EEXIST)
            return Failure{systemReason(errno)};
        if (slash < 0)
            break;
    }
    if (!isFolder(clean))
        return Failure{systemReason(ENOTDIR)};
    return Done{};
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}
