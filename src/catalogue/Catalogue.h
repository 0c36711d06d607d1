// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "catalogue/CatalogueQueue.h"
#include "catalogue/DatabaseStamp.h"
#include "database/AuditScope.h"
#include "database/BuildChanges.h"
#include "database/CategoryFiles.h"
#include "database/HistoryFile.h"
#include "database/MachineColumns.h"
#include "database/MachineFacts.h"
#include "database/MachineList.h"
#include "text/Outcome.h"

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QSqlDatabase;
class QSqlError;

// What the list needs from the catalogue at start-up: the machine list of the
// database file as the last List or Audit left it, and the favourites.
struct CatalogueContents {
    MachineList machines;
    QSet<QString> favourites;
    // Which database file the machine facts go with; none in a store that
    // has not been written by a List or Audit since it had stamps.
    std::optional<DatabaseStamp> stamp;
};

// One set's verdict in the last audit, as the catalogue keeps it.
struct AuditVerdictRow {
    QString set;
    QString verdict; // "good", "best available", "bad" or "not found"
    QStringList problems;
};

// The embedded catalogue beside the database file (`<program>.sqlite`, SQLite
// through Qt SQL): the machine facts of the last List with a current MAME,
// the user's favourites and plays, and the verdicts of the last audit. The
// text database file stays the list's source; this holds what it cannot.
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
    // Whether open() left a catalogue to read and write.
    bool isOpen() const { return m_open; }

    // What went wrong with the last read or write of the store here (open()
    // included): another program holds it, it cannot be written, its file is
    // damaged, or something else.
    enum class Trouble { None, Busy, ReadOnly, Damaged, Other };
    Trouble trouble() const { return m_trouble; }

    // For a store found damaged once open (a failed check, "malformed" from
    // any read or write): moves it aside as open() does, starts a fresh one
    // and puts into it the favourites and plays that could still be read.
    // Gives the text for the user, which names the reason and where it went.
    QString renew(const QString& reason);

    // Opens the file (made when missing) and reads what the list needs, and
    // brings a store of an older schema up to date. A file that is not a store
    // (other tables, or other columns), or whose contents are damaged, is
    // moved aside as "<file>.broken-<date-time>" (with its journal), never
    // deleted, and a fresh one is made with the favourites and plays that
    // could still be read; the failure then says where it went. The window's
    // connection waits at most a frame for a store another program holds:
    // then the failure is Trouble::Busy. A file made by
    // a newer program, or one that cannot be read now (no permission, locked),
    // is left alone and the program goes on without a catalogue. Either way the
    // failure's text is for the user; isOpen() tells whether a catalogue is open.
    Outcome<CatalogueContents> open();

    // The user's data, as changes that this store or its queue makes.
    static CatalogueQueue::Change favouriteChange(const QString& set, bool favourite);
    static CatalogueQueue::Change playChange(const QString& set, const QDateTime& when);
    // Makes `change` now, in one transaction; trouble() tells why it failed.
    Outcome<Done> make(const CatalogueQueue::Change& change);
    Outcome<Done> setFavourite(const QString& set, bool favourite) {
        return make(favouriteChange(set, favourite));
    }
    Outcome<Done> countPlay(const QString& set, const QDateTime& when) {
        return make(playChange(set, when));
    }
    // The favourites as the store holds them now.
    QSet<QString> favourites() const;
    PlayRecord plays(const QString& set) const;
    // Every set's plays; empty without a catalogue or when they cannot be read.
    PlayTable allPlays() const;
    // The facts of one machine, when the last List kept them.
    std::optional<MachineFacts> facts(const QString& set) const;
    // The facts of every machine as columns; empty without a catalogue or
    // when they cannot be read.
    MachineColumns machineColumns() const;

    // The last audit's verdict on one set (CatalogueChange writes them).
    std::optional<AuditVerdictRow> auditVerdict(const QString& set) const;

    // Which database file the facts go with, as the store says now.
    std::optional<DatabaseStamp> stamp() const;

    // Every set's category as the category files said at the last reading;
    // empty without a catalogue or categories.
    CategoryTable categories() const;
    // Where the entry of `set` stands in the history file last indexed.
    std::optional<HistoryPlace> historyPlace(const QString& set) const;
    // The history file the index was made of, as it was then.
    std::optional<FileStamp> historyFile() const;

    // Runs `work` on the store at `path` in one transaction, on a connection
    // of its own (a worker thread may call it while the store stays open
    // here); rolled back when `work` gives false with `error` set. Fails when
    // the file is not a store of this version.
    static Outcome<Done> change(const QString& path,
                                const std::function<bool(QSqlDatabase&, QSqlError&)>& work);

    // What an audit of only what changed rests on, read from the catalogue at
    // `path` on a connection of its own (a worker thread's).
    static Outcome<AuditMemory> readAuditMemory(const QString& path);

  private:
    struct Attempt;
    Attempt attemptOpen();
    QSqlDatabase database() const;
    // Notes what `error` says of the store (none: all went well).
    void note(const QSqlError& error) const;
    // Moves the damaged store aside and makes a fresh one with what could
    // be read of it; the text for the user.
    QString replaceDamaged(const QString& reason);

    QString m_path;
    QString m_connection;
    bool m_open = false;
    mutable Trouble m_trouble = Trouble::None;
};
