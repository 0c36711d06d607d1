// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

// The folder for temporary files: TEMP when it is set and not empty, else the
// system's temporary folder.
QString temporaryFolder();

// A private folder (mode 0700, a fresh unique name holding the front end's
// process id) under the temporary folder (TEMP, else the system's) for MAME's
// listing and audit output. The folder and everything in it are removed when
// the object goes away, on every path out.
class TempListingFolder {
  public:
    TempListingFolder();
    TempListingFolder(const TempListingFolder&) = delete;
    TempListingFolder& operator=(const TempListingFolder&) = delete;

    // Whether the folder was made. When not, errorText() says why.
    bool isValid() const { return m_error.isEmpty(); }
    QString errorText() const { return m_error; }

    // The files that the listings and the audit are written into, and where
    // MAME's error output goes.
    QString fullListing() const { return m_dir.filePath(QStringLiteral("~FULL.TMP")); }
    QString cloneListing() const { return m_dir.filePath(QStringLiteral("~CLONES.TMP")); }
    QString sourceListing() const { return m_dir.filePath(QStringLiteral("~SOURCE.TMP")); }
    QString auditReport() const { return m_dir.filePath(QStringLiteral("~AUDIT.TMP")); }
    QString errorOutput() const { return m_dir.filePath(QStringLiteral("~ERRORS.TMP")); }
    // What a List keeps out of memory while it runs: the machines' facts as
    // they are read, their ROM files, the old table, and the new one while the
    // store is written.
    QString machineFacts() const { return m_dir.filePath(QStringLiteral("~FACTS.TMP")); }
    QString romListing() const { return m_dir.filePath(QStringLiteral("~ROMS.TMP")); }
    QString setAsideTexts() const { return m_dir.filePath(QStringLiteral("~TABLE.TMP")); }
    QString setAsideNewTable() const { return m_dir.filePath(QStringLiteral("~NEWTABLE.TMP")); }

  private:
    QTemporaryDir m_dir;
    QString m_error;
};

// Removes the listing folders under the temporary folder that a front end
// left behind when it was killed: those named like TempListingFolder's whose
// process runs no more, and only when lstat shows a real folder (not a link)
// owned by this user with mode 0700. Only the regular files in it are removed,
// without following any link; a folder that still holds anything else stays.
// Returns how many were removed.
int removeStaleListingFolders();
