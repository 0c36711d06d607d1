// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QLockFile>
#include <QString>

// One front end per working folder: `<program>.lock` there, held for as long
// as this object lives. A lock left by a process that no longer runs is taken
// over; a live one is never treated as stale, however old.
class FolderLock {
  public:
    // Takes the lock of the current folder, named after the program as the
    // settings file is (Coinslot.exe -> coinslot.lock).
    explicit FolderLock(const QString& programName);
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Whether another front end that runs now holds the folder. When the
    // lock cannot be made at all (a folder that cannot be written), the
    // program runs without it.
    bool heldByAnother() const { return m_heldByAnother; }

  private:
    QLockFile m_lock;
    bool m_heldByAnother = false;
};

// "coinslot is already running in this folder.", with the program's name.
QString alreadyRunningMessage(const QString& programName);
