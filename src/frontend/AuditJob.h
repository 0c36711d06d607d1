// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/Audit.h"
#include "database/AuditProgress.h"
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
// table and the store's verdicts and machine list are then written in one
// commit point (commitGames), and what MAME found of each set is written to
// `reportFile` and given as the report's details. `storePath` names the
// store (empty: none is kept).
class AuditJob : public MameJob {
    Q_OBJECT

  public:
    AuditJob(MameRunner& runner, MameSetup& mame, GameList& games, QString reportFile,
             QString storePath);
    ~AuditJob() override;

    void start() override;
    std::optional<QString> storeDamage() const override { return storeDamageOf(m_commit); }

  private:
    void runAudit(const QStringList& arguments);
    void onReport(const RunResult& result);
    // On the worker: writes what the audit left, in the database file and the store.
    void commit(const AuditResult& audit);
    void onChecked();

    GameList& m_games;
    // The table and its machine list as they were when the audit began: the
    // workers read these, never the game list the window shows.
    const std::shared_ptr<const GameTable> m_table;
    const MachineList m_machines;
    const QString m_databaseFile;
    const QString m_reportFile;
    const QString m_storePath;
    QString m_option; // the audit option of the run in progress
    std::optional<Outcome<AuditResult>> m_checked;
    QStringList m_reportLines;
    std::optional<CommitResult> m_commit;
    std::unique_ptr<AuditProgress> m_progress; // a current MAME's, on the reading thread
    QAtomicInteger<qsizetype> m_place = 0;     // how far m_progress has come
};
