// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/Audit.h"
#include "database/AuditProgress.h"
#include "database/AuditScope.h"
#include "database/MachineList.h"
#include "frontend/DatabaseCommit.h"
#include "frontend/MameJob.h"

#include <memory>

#include <QAtomicInteger>

class GameList;

// Audit: has MAME verify every ROM set (-verifysets *, or -verifyroms * for a
// current MAME, which refuses the old option and, once known as current, is
// not offered it again) and keeps in the database only the games whose sets
// MAME calls usable. With no game left, the database file is deleted. The
// report is checked on a worker thread against a snapshot of the table taken
// at the start, and nothing changes unless MAME finished its audit. The new
// table and the catalogue's verdicts, machine list and what the next audit
// goes on are then written in one commit point (commitGames), and what MAME
// found of each set is written to `reportFile` and given as the report's
// details. `storePath` names the catalogue (empty: none is kept).
//
// With a current MAME and a catalogue, an audit after a full one asks MAME
// only about the sets whose files may have changed: MAME's ROM folders (from
// -showconfig) are listed without reading a file and compared with their
// state at the last audit, and the games that use a changed name
// (AuditScope) are verified with their names as arguments, a few hundred to a
// run; the others keep their remembered verdicts. The database and the report
// come out as a full audit would make them. A full audit runs when
// `forceFull`, or when AuditScope finds nothing to go on.
class AuditJob : public MameJob {
    Q_OBJECT

  public:
    AuditJob(MameRunner& runner, MameSetup& mame, GameList& games, QString reportFile,
             QString storePath = {}, bool forceFull = false);
    ~AuditJob() override;

    void start() override;
    std::optional<QString> storeDamage() const override { return storeDamageOf(m_commit); }
    // How many sets a run is asked about at most.
    static constexpr qsizetype kSetsPerRun = 250;

  private:
    void onMemoryRead();
    void auditCurrent();
    void onConfiguration(const RunResult& result);
    void onScoped();
    void runAudit(const QStringList& arguments);
    void onReport(const RunResult& result);
    void runNextSets();
    void onSetsReport(const RunResult& result);
    // On the worker: the verdicts of the runs on some sets, with the
    // remembered ones for the rest.
    void mergeVerdicts();
    // On the worker: writes what the audit left, in the database file and the catalogue.
    void commit(const AuditResult& audit);
    void onChecked();
    // Follows the output of the run just started for the sets `games`, the
    // first `before` of `total` sets having been checked by earlier runs.
    void followProgress(const GameTable& games, qint64 before, qint64 total);
    // What a full audit with a current MAME leaves the store to remember.
    AuditRecord fullRecord(const AuditResult& audit) const;

    GameList& m_games;
    // The table and its machine list as they were when the audit began: the
    // workers read these, never the game list the window shows.
    const std::shared_ptr<const GameTable> m_table;
    const MachineList m_machines;
    const QString m_databaseFile;
    const QString m_reportFile;
    const QString m_storePath;
    const bool m_forceFull;
    QString m_option; // the audit option of the run in progress
    std::optional<Outcome<AuditResult>> m_checked;
    QStringList m_reportLines;
    std::optional<CommitResult> m_commit;
    std::unique_ptr<AuditProgress> m_progress; // a current MAME's, on the reading thread
    QAtomicInteger<qsizetype> m_place = 0;     // how far m_progress has come

    // An audit with a current MAME and a store.
    std::optional<Outcome<AuditMemory>> m_memory;
    QString m_mameFile;   // MameSetup::fileIdentity()
    QString m_romFolders; // its ROM folders, one per line
    QStringList m_folderList;
    RomFolderState m_folders; // their state before MAME ran
    AuditScope m_scope;
    bool m_remember = false; // the scope was made: the audit is remembered
    struct SetsRun {
        GameTable games; // the sets asked about (names only)
        std::optional<QStringList> report;
        QStringList errors;
        bool done = false;
    };
    std::vector<SetsRun> m_runs;
    std::optional<AuditRecord> m_record;
};
