// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/FolderLock.h"

#include "text/SystemPath.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

FolderLock::FolderLock(const QString& programName)
    : m_path(systemPath(QFileInfo(programName).completeBaseName().toLower() +
                        QStringLiteral(".lock"))) {
    // A file removed by its holder between its opening here and the lock is
    // not the folder's lock any more: then the one now there is tried.
    for (int tries = 0; tries < 10 && !attempt(); ++tries) {
    }
}

FolderLock::~FolderLock() {
    if (m_descriptor < 0)
        return;
    ::unlink(m_path.constData()); // before the hold ends, so no one takes a file on its way out
    ::close(m_descriptor);
}

bool FolderLock::attempt() {
    int fd = ::open(m_path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0 && errno == ELOOP) { // a link: the name is the program's, the link's target is not
        ::unlink(m_path.constData());
        return false;
    }
    if (fd < 0 && errno == EACCES) // another user's file: it can still be asked
        fd = ::open(m_path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return true; // no lock can be made here: the program runs without it
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_heldByAnother = errno == EWOULDBLOCK;
        ::close(fd);
        return true;
    }
    struct stat held {};
    struct stat named {};
    if (::fstat(fd, &held) != 0 || ::lstat(m_path.constData(), &named) != 0 ||
        held.st_dev != named.st_dev || held.st_ino != named.st_ino) {
        ::close(fd);
        return false;
    }
    m_descriptor = fd;
    writeOwner();
    return true;
}

void FolderLock::writeOwner() const {
    const QByteArray owner = QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                             QCoreApplication::applicationName().toUtf8() + '\n' +
                             QSysInfo::machineHostName().toUtf8() + '\n';
    if (::ftruncate(m_descriptor, 0) == 0)
        (void)!::pwrite(m_descriptor, owner.constData(), size_t(owner.size()), 0);
}

QString alreadyRunningMessage(const QString& programName) {
    return QCoreApplication::translate("FolderLock", "%1 is already running in this folder.")
        .arg(QFileInfo(programName).completeBaseName());
}
