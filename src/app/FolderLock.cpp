// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/FolderLock.h"

#include <QCoreApplication>
#include <QFileInfo>

FolderLock::FolderLock(const QString& programName)
    : m_lock(QFileInfo(programName).completeBaseName().toLower() + QStringLiteral(".lock")) {
    m_lock.setStaleLockTime(0);
    if (!m_lock.tryLock(0))
        m_heldByAnother = m_lock.error() == QLockFile::LockFailedError;
}

QString alreadyRunningMessage(const QString& programName) {
    return QCoreApplication::translate("FolderLock", "%1 is already running in this folder.")
        .arg(QFileInfo(programName).completeBaseName());
}
