// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "catalogue/Catalogue.h"
#include "catalogue/DatabaseStamp.h"
#include "database/AuditScope.h"
#include "database/BuildChanges.h"
#include "database/MachineFacts.h"
#include "database/MachineList.h"
#include "text/Outcome.h"

#include <QString>
#include <optional>
#include <vector>

struct ListingUpdate;

// What List and Audit change in the store beside the database file they
// write: the machine facts, the verdicts and the machine list of the new
// table. All of it is one transaction on a connection of its own, opened,
// used and closed on one thread (a worker's), which commits only once the
// database file has been replaced, together with that file's stamp; the
// store so never describes a database file that is not there. Until
// commit(), the store stays as it was, also when the program is killed; an
// object that goes away without commit() changes nothing.
class CatalogueChange {
  public:
    // Opens the store at `path` and begins the transaction, waiting a while
    // for another connection that holds it. A file that is not a store of
    // this version is not changed.
    explicit CatalogueChange(const QString& path);
    ~CatalogueChange();
    CatalogueChange(const CatalogueChange&) = delete;
    CatalogueChange& operator=(const CatalogueChange&) = delete;

    // Replaces the machine facts with `facts` (none for an old MAME) and the
    // machine list with `list`.
    void replaceMachines(const MachineFactsTable& facts, const MachineList& list);
    // The same with the facts one machine after another, as a List's spool
    // of them gives them back (MachineFactsSpool), so that they are never all
    // in memory.
    void replaceMachines(MachineFactsSource& facts, const MachineList& list);
    // Keeps a current MAME's `listing` (none: an old MAME's List forgets the
    // last one) and gives what a new build changed (keepListing).
    void keepListing(const ListingUpdate* listing, std::optional<BuildChanges>& changes);
    // Remembers an audit that stands, for the next audit of only what changed.
    void keepAuditRecord(const AuditRecord& record);
    // Replaces the last audit's verdicts with `verdicts` and the machine list
    // with `list` (the audited table's).
    void replaceAudit(const std::vector<AuditVerdictRow>& verdicts, const MachineList& list);
    // Commits it all with the stamp of the database file as it now is; fails,
    // changing nothing, when any step before failed.
    Outcome<Done> commit(const DatabaseStamp& stamp);

    // The first failure so far, for the user; whether it said the store is damaged.
    const std::optional<QString>& failure() const { return m_failure; }
    bool damaged() const { return m_damaged; }

  private:
    template <class Work> void step(Work work);

    QString m_connection;
    std::optional<QString> m_failure;
    bool m_damaged = false;
    bool m_begun = false;
};
