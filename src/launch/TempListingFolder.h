#pragma once

#include <QString>
#include <QTemporaryDir>

// A private folder (mode 0700, a fresh unique name) under the temporary folder
// (TEMP, else the system's) for MAME's listing and audit output. The folder and
// everything in it are removed when the object goes away, on every path out.
class TempListingFolder {
  public:
    TempListingFolder();
    TempListingFolder(const TempListingFolder&) = delete;
    TempListingFolder& operator=(const TempListingFolder&) = delete;

    // Whether the folder was made and can be named in a command line. When it
    // cannot, errorText() says why and no command should be run.
    bool isValid() const { return m_error.isEmpty(); }
    QString errorText() const { return m_error; }

    // The absolute path of the folder.
    QString path() const { return m_dir.path(); }

    // The files that the listings and the audit are redirected into.
    QString fullListing() const { return m_dir.filePath("~FULL.TMP"); }
    QString cloneListing() const { return m_dir.filePath("~CLONES.TMP"); }
    QString sourceListing() const { return m_dir.filePath("~SOURCE.TMP"); }
    QString auditReport() const { return m_dir.filePath("~AUDIT.TMP"); }

  private:
    QTemporaryDir m_dir;
    QString m_error;
};
