#pragma once

#include "database/Audit.h"
#include "frontend/MameJob.h"

class GameList;

// Audit: has MAME verify every ROM set (-verifysets *, or -verifyroms * for a
// current MAME, which refuses the old option) and keeps in the database only
// the games whose sets MAME calls usable. With no game left, the database
// file is deleted. The report is checked on a worker thread, and nothing
// changes unless MAME finished its audit.
class AuditJob : public MameJob {
    Q_OBJECT

  public:
    AuditJob(MameRunner& runner, MameSetup& mame, GameList& games);

    void start() override;

  private:
    void runAudit(const QStringList& arguments);
    void onReport(const RunResult& result);
    void onChecked();

    GameList& m_games;
    QString m_option; // the audit option of the run in progress
    std::optional<Outcome<AuditResult>> m_checked;
};
