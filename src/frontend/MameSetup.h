// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "launch/MameCommands.h"
#include "launch/MameGeneration.h"
#include "launch/MameIniPath.h"
#include "launch/RomFolders.h"
#include "launch/ShellCommand.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <optional>

// What the front end knows of the MAME at hand: the executable, the names
// derived from it, and what its runs have told so far (which generation it
// is, where a current one keeps its ini files and its snapshots). That
// knowledge holds for the executable file as it was when it was learnt, for
// this run of the front end: it is learnt again when the executable is chosen
// anew or its file's modification time changes (a MAME replaced in place, by
// an upgrade or a build of one's own).
class MameSetup {
  public:
    void setExecutable(const QString& executable) {
        m_executable = executable;
        forget();
    }
    // As saved or chosen: a bare name in the working folder, else a path.
    const QString& executable() const { return m_executable; }
    // What the listing, audit and configuration runs start.
    QString program() const { return mameProgramFor(m_executable); }
    // The start of Play's command line.
    QString playCommandPrefix() const { return mameCommandFor(m_executable); }
    // An old MAME's own ini file, in the working folder.
    QString oldIniFile() const { return mameIniFor(m_executable); }

    std::optional<MameGeneration> generation() const {
        return stillTrue() ? m_generation : std::nullopt;
    }
    void setGeneration(MameGeneration generation) {
        learning();
        if (m_generation != generation) {
            m_iniFolder.reset();
            m_iniFolders.reset();
            m_snapshotFolders.reset();
            m_romFolders.reset();
        }
        m_generation = generation;
    }
    // A current MAME's ini folder (the first of its inipath) and snapshot
    // folders (snapshot_directory), once its configuration was asked.
    std::optional<QString> iniFolder() const { return stillTrue() ? m_iniFolder : std::nullopt; }
    std::optional<QStringList> snapshotFolders() const {
        return stillTrue() ? m_snapshotFolders : std::nullopt;
    }
    // Every folder of its inipath, relative ones taken from the working
    // folder, once its configuration was asked.
    std::optional<QStringList> iniFolders() const {
        return stillTrue() ? m_iniFolders : std::nullopt;
    }
    // Its ROM folders (rompath), once its configuration was asked.
    std::optional<QStringList> romFolders() const {
        return stillTrue() ? m_romFolders : std::nullopt;
    }
    // The executable's file as it is now: its path, size and modification
    // time, which tell one MAME from another (empty while it is missing).
    QString fileIdentity() const {
        const QFileInfo file(program());
        if (!file.exists())
            return {};
        return QStringLiteral("%1 %2 %3")
            .arg(file.absoluteFilePath(), QString::number(file.size()),
                 QString::number(file.lastModified().toMSecsSinceEpoch()));
    }
    // Learns them all from what `-showconfig` printed (mameFoldersFrom).
    void learnConfiguration(const MameFolders& folders) {
        learning();
        if (folders.iniFolder)
            m_iniFolder = folders.iniFolder;
        m_snapshotFolders = folders.snapshotFolders;
        m_iniFolders = folders.iniFolders;
        m_romFolders = folders.romFolders;
    }

  private:
    // When the executable's file was last changed (invalid while it is missing).
    QDateTime modified() const { return QFileInfo(program()).lastModified(); }
    // What was learnt is of the file as it is now.
    bool stillTrue() const { return m_learntFrom && modified() == *m_learntFrom; }
    // Before something is learnt: what was learnt of the file as it was
    // before a change is forgotten.
    void learning() {
        const QDateTime now = modified();
        if (!stillTrue())
            forget();
        m_learntFrom = now;
    }
    void forget() {
        m_generation.reset();
        m_iniFolder.reset();
        m_iniFolders.reset();
        m_snapshotFolders.reset();
        m_romFolders.reset();
        m_learntFrom.reset();
    }

    QString m_executable;
    std::optional<MameGeneration> m_generation;
    std::optional<QString> m_iniFolder;
    std::optional<QStringList> m_snapshotFolders;
    std::optional<QStringList> m_iniFolders;
    std::optional<QStringList> m_romFolders;
    std::optional<QDateTime> m_learntFrom; // the file's time when something was learnt
};
