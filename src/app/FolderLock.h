// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// One front end per working folder: `<program>.lock` there, held for as long
// as this object lives. The hold is the system's lock on the open file
// (flock), which ends when the process does, however it ends: a lock that no
// running process holds is taken over whatever the file holds (nothing,
// garbage, another process's id) or however old it is, and a held one is
// never taken over. The file's content (process id, program, host) is only
// for people to read. A symbolic link in its place is replaced, never followed.
class FolderLock {
  public:
    // Takes the lock of the current folder, named after the program as the
    // settings file is (Coinslot.exe -> coinslot.lock).
    explicit FolderLock(const QString& programName);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Whether another front end that runs now holds the folder. When the
    // lock cannot be made at all (a folder that cannot be written), the
    // program runs without it.
    bool heldByAnother() const { return m_heldByAnother; }

  private:
    // One attempt: whether it came to an end (held, refused or impossible).
    bool attempt();
    void writeOwner() const;

    QByteArray m_path;
    int m_descriptor = -1;
    bool m_heldByAnother = false;
};

// "coinslot is already running in this folder.", with the program's name.
QString alreadyRunningMessage(const QString& programName);
