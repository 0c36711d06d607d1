// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/Audit.h"
#include "database/AuditProgress.h"
#include "frontend/MameJob.h"

#include <QAtomicInteger>

class GameList;

// Audit: has MAME verify every ROM set (-verifysets *, or -verifyroms * for a
// current MAME, which refuses the old option and, once known as current, is
// not offered it again) and keeps in the database only the games whose sets
// MAME calls usable. With no game left, the database file is deleted. The report is checked on a
// worker thread, and nothing changes unless MAME finished its audit. What MAME found of each set is
// then written to `reportFile` and given as the report's details.
class AuditJob : public MameJob {
    Q_OBJECT

  public:
    AuditJob(MameRunner& runner, MameSetup& mame, GameList& games, QString reportFile);
    ~AuditJob() override;

    void start() override;
    // Once the audit stands: what MAME found of each set, in master order.
    const std::vector<SetFinding>& findings() const { return m_findings; }

  private:
    void runAudit(const QStringList& arguments);
    void onReport(const RunResult& result);
    void onChecked();

    GameList& m_games;
    const QString m_reportFile;
    QString m_option; // the audit option of the run in progress
    std::optional<Outcome<AuditResult>> m_checked;
    QStringList m_reportLines;
    std::vector<SetFinding> m_findings;
    std::unique_ptr<AuditProgress> m_progress; // a current MAME's, on the reading thread
    QAtomicInteger<qsizetype> m_place = 0;     // how far m_progress has come
};
