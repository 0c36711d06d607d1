// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/BuildChanges.h"
#include "database/GameRecord.h"
#include "database/MachineList.h"
#include "frontend/DatabaseCommit.h"
#include "frontend/MameJob.h"

#include <QAtomicInteger>
#include <functional>
#include <memory>

class GameList;
class ListXmlReader;
class MachineFactsSource;
class MachineFactsSpool;
struct ListingUpdate;

// List: builds the database from MAME's listings and makes it the game list.
//
// An old MAME is asked for its game, clone and driver listings (-listfull,
// -listclones, -listsourcefile), each into a file of the temporary folder; a
// current one, which the header of -listfull gives away, for its machine
// listing (-listxml), read as it arrives. The listings are read and sorted on
// a worker thread, and the new table replaces the database only when all of
// that succeeded. With it the worker replaces the catalogue's machine table with
// the machines' facts (emptied for an old MAME, which gives none), in one
// commit point (commitGames): the catalogue commits only after the database file
// was replaced, and a Cancel before that changes neither. A catalogue that cannot
// take the facts is reported, but the list is built all the same. A MAME
// known to be current (MameSetup) is asked for its machine listing at once.
// With a current MAME and a store, the list is followed by the support files
// that MAME's ui.ini names: the category files are read and history.xml is
// indexed again into the store, on the worker (asking MAME for its folders
// first when they are not known yet).
//
// With a current MAME the catalogue also keeps every machine's files and MAME's
// build (ListingStore), in the same transaction. When the build is another
// than the last List's, the report says what it changed (BuildChanges): one
// line for the message, the whole report as its details and in
// `changesFile`, and favourites follow renamed sets.
//
// Memory: while the new table is built, the old one's texts and its machine
// list wait in the temporary folder (GameList::setTextsAside()) and come back
// when the List ends without a new table; the machines' facts go to a file
// there as they are read, and into the store from it, one at a time; the new
// table waits there too while the store is written.
class ListJob : public MameJob {
    Q_OBJECT

  public:
    // `cataloguePath` names the catalogue for the machine facts; empty: none is kept.
    ListJob(MameRunner& runner, MameSetup& mame, GameList& games, bool caseInsensitive,
            QString cataloguePath, QString changesFile = {});
    ~ListJob() override;

    void start() override;
    std::optional<QString> storeDamage() const override { return storeDamageOf(m_commit); }

  private:
    void runGameListing();
    void onGameListing(const RunResult& result);
    void onCloneListing(const RunResult& result);
    void onDriverListing(const RunResult& result);
    void runMachineListing();
    void onMachineListing(const RunResult& result);
    void onImported();
    // A current MAME's support files (categories, history) into the store.
    void onSupportConfiguration(const RunResult& result);
    void readSupportFiles();
    void finishWithReport();
    void reportListed(qint64 games);
    // On the worker: writes `games` (sorted) to the database file and their
    // `facts` to the catalogue with m_machines, their machine list, with a
    // current MAME's `listing`. While the store is written, the table waits
    // in the temporary folder when it can; false when it cannot be read back
    // from there (nothing is then changed, and m_imported says why).
    // `machineList` makes the new table's machine list, once the listing is
    // kept (or at once, without a store).
    void commit(GameTable& games, MachineFactsSource& facts, const ListingUpdate* listing,
                const std::function<MachineList()>& machineList);
    // After the database was replaced: what a new build changed, in the
    // report and in the changes file.
    void reportChanges(const BuildChanges& changes);
    // A request for one of MAME's listings, its output bounded.
    MameRunRequest listingRequest(const QStringList& arguments) const;
    // runFailure, and for a text listing also an exit status other than 0:
    // MAME stopped before the listing was whole.
    std::optional<Failure> listingFailure(const RunResult& result, const QString& what) const;

    GameList& m_games;
    const bool m_caseInsensitive;
    const QString m_cataloguePath;
    const QString m_changesFile;
    const QString m_databaseFile;
    QString m_listedWith;                 // the MAME file that prints the machine listing
    std::unique_ptr<ListXmlReader> m_xml; // read on the reading thread while MAME runs
    std::unique_ptr<MachineFactsSpool> m_factsSpool; // its machines' facts
    QAtomicInteger<qint64> m_machinesRead = 0;
    // What the worker made of the listings.
    std::optional<Outcome<GameTable>> m_imported;
    MachineList m_machines;
    std::optional<CommitResult> m_commit;
    std::optional<BuildChanges> m_changes;
    qint64 m_listed = 0;
    ListDone m_report; // what the list gives, once the table is replaced
};
