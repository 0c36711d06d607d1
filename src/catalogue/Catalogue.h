// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/MachineFacts.h"
#include "database/MachineList.h"
#include "text/Outcome.h"

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QSqlDatabase;

// What the list needs from the store at start-up: the machine list of the
// database file as the last List or Audit left it, and the favourites.
struct CatalogueContents {
    MachineList machines;
    QSet<QString> favourites;
};

// How often a set was played, and when last (never: count 0, no time).
struct PlayRecord {
    int count = 0;
    QDateTime last;
};

// One set's verdict in the last audit, as the store keeps it.
struct AuditVerdictRow {
    QString set;
    QString verdict; // "good", "best available", "bad" or "not found"
    QStringList problems;
};

// The embedded store beside the database file (`<program>.sqlite`, SQLite
// through Qt SQL): the machine facts of the last List with a current MAME,
// the user's favourites and plays, and the verdicts of the last audit. The
// classic database file stays the list's source; this holds what it cannot.
//
// The file carries its schema version (PRAGMA user_version), keeps a WAL
// journal and makes every change in one transaction, so a program killed at
// any moment leaves it old or new and whole. Rows are keyed by set name:
// List and Audit, which replace the list, never drop the user's own rows.
class Catalogue {
  public:
    explicit Catalogue(QString path);
    ~Catalogue();
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    const QString& path() const { return m_path; }
    // Whether open() left a store to read and write.
    bool isOpen() const { return m_open; }

    // Opens the file (made when missing) and reads what the list needs. A
    // file that is not a store, or whose contents are damaged, is moved aside
    // as "<file>.broken-<date-time>" (with its journal), never deleted, and a
    // fresh one is made; the failure then says where it went. A file made by
    // a newer program, or one that cannot be read now (no permission, locked),
    // is left alone and the program goes on without a store. Either way the
    // failure's text is for the user; isOpen() tells whether a store is open.
    Outcome<CatalogueContents> open();

    // The user's data: each call is one transaction.
    Outcome<Done> setFavourite(const QString& set, bool favourite);
    Outcome<Done> countPlay(const QString& set, const QDateTime& when);
    PlayRecord plays(const QString& set) const;
    // The facts of one machine, when the last List stored them.
    std::optional<MachineFacts> facts(const QString& set) const;

    // Replaces the last audit's verdicts with `verdicts`, in one transaction.
    Outcome<Done> replaceAuditVerdicts(const std::vector<AuditVerdictRow>& verdicts);
    std::optional<AuditVerdictRow> auditVerdict(const QString& set) const;

    // Replaces the machine list, after an Audit changed the table.
    Outcome<Done> replaceMachineList(const MachineList& list);

    // Replaces the machine facts of the store at `path` with `facts` (none
    // for an old MAME) and the machine list with `list`, in one transaction,
    // on a connection of its own, so a worker thread may call it while the
    // store stays open here. Fails when the file is not a store of this
    // version.
    static Outcome<Done> replaceMachines(const QString& path, const MachineFactsTable& facts,
                                         const MachineList& list);
    // The same with the facts one machine after another, as a List's spool
    // of them gives them back (MachineFactsSpool), so that they are never all
    // in memory.
    static Outcome<Done> replaceMachines(const QString& path, MachineFactsSource& facts,
                                         const MachineList& list);

  private:
    struct Attempt;
    Attempt attemptOpen();
    QSqlDatabase database() const;

    QString m_path;
    QString m_connection;
    bool m_open = false;
};
