#pragma once

#include "launch/MameCommands.h"
#include "launch/MameGeneration.h"
#include "launch/MameIniPath.h"
#include "launch/Platform.h"

#include <QDir>
#include <QString>
#include <QStringList>
#include <optional>

// What the front end knows of the MAME at hand: the executable, the names
// derived from it, and what its runs have told so far (which generation it
// is, where a current one keeps its ini files and its snapshots). All are
// learnt again when the executable changes.
class MameSetup {
  public:
    void setExecutable(const QString& executable) {
        m_executable = executable;
        m_generation.reset();
        m_iniFolder.reset();
        m_snapshotFolders.reset();
    }
    // As saved or chosen: a bare name in the working folder, else a path.
    const QString& executable() const { return m_executable; }
    // What the listing, audit and configuration runs start.
    QString program() const { return mameProgramFor(m_executable); }
    // The start of Play's command line.
    QString playCommandPrefix() const { return mameCommandFor(m_executable); }
    // An old MAME's own ini file, in the working folder.
    QString oldIniFile() const { return mameIniFor(m_executable); }

    const std::optional<MameGeneration>& generation() const { return m_generation; }
    void setGeneration(MameGeneration generation) {
        if (m_generation != generation) {
            m_iniFolder.reset();
            m_snapshotFolders.reset();
        }
        m_generation = generation;
    }
    // A current MAME's ini folder (the first of its inipath) and snapshot
    // folders (snapshot_directory), once its configuration was asked.
    const std::optional<QString>& iniFolder() const { return m_iniFolder; }
    const std::optional<QStringList>& snapshotFolders() const { return m_snapshotFolders; }
    // Learns both from what `-showconfig` printed; relative snapshot folders
    // are taken from the working folder.
    void learnConfiguration(const QString& showConfigOutput) {
        if (const std::optional<QString> folder =
                firstIniFolder(showConfigOutput, QDir::homePath()))
            m_iniFolder = QDir::cleanPath(*folder);
        m_snapshotFolders =
            ::snapshotFolders(showConfigOutput, QDir::homePath(), QDir::currentPath());
    }

  private:
    QString m_executable;
    std::optional<MameGeneration> m_generation;
    std::optional<QString> m_iniFolder;
    std::optional<QStringList> m_snapshotFolders;
};
