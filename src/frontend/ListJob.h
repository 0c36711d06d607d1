// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/BuildChanges.h"
#include "database/GameRecord.h"
#include "database/MachineList.h"
#include "frontend/MameJob.h"

#include <QAtomicInteger>
#include <memory>

class GameList;
class ListXmlReader;
struct ListingUpdate;

// List: builds the database from MAME's listings and makes it the game list.
//
// An old MAME is asked for its game, clone and driver listings (-listfull,
// -listclones, -listsourcefile), each into a file of the temporary folder; a
// current one, which the header of -listfull gives away, for its machine
// listing (-listxml), read as it arrives. The listings are read and sorted on
// a worker thread, and the new table replaces the database only when all of
// that succeeded. The worker also replaces the store's machine table with the
// machines' facts (emptied for an old MAME, which gives none); a store that
// cannot take them is reported, but the list is built all the same. A MAME
// known to be current (MameSetup) is asked for its machine listing at once.
//
// With a current MAME the store also keeps every machine's files and MAME's
// build (ListingStore), in the same transaction. When the build is another
// than the last List's, the report says what it changed (BuildChanges): one
// line for the message, the whole report as its details and in
// `changesFile`, and favourites follow renamed sets.
class ListJob : public MameJob {
    Q_OBJECT

  public:
    // `storePath` names the store for the machine facts; empty: none is kept.
    ListJob(MameRunner& runner, MameSetup& mame, GameList& games, bool caseInsensitive,
            QString storePath, QString changesFile = {});
    ~ListJob() override;

    void start() override;

  private:
    void runGameListing();
    void onGameListing(const RunResult& result);
    void onCloneListing(const RunResult& result);
    void onDriverListing(const RunResult& result);
    void runMachineListing();
    void onMachineListing(const RunResult& result);
    void onImported();
    void reportListed(qint64 games);
    // On the worker: keeps the `facts` of `games` (sorted) in the store, with
    // a current MAME's `listing`, and their machine list for the game list.
    void keepFacts(const GameTable& games, const MachineFactsTable& facts,
                   const ListingUpdate* listing);
    // After the database was replaced: what a new build changed.
    JobReport changesReport(const BuildChanges& changes) const;
    // A request for one of MAME's listings, its output bounded.
    MameRunRequest listingRequest(const QStringList& arguments) const;
    // runFailure, and for a text listing also an exit status other than 0:
    // MAME stopped before the listing was whole.
    std::optional<Failure> listingFailure(const RunResult& result, const QString& what) const;

    GameList& m_games;
    const bool m_caseInsensitive;
    const QString m_storePath;
    const QString m_changesFile;
    QString m_listedWith;                 // the MAME file that prints the machine listing
    std::unique_ptr<ListXmlReader> m_xml; // read on the reading thread while MAME runs
    QAtomicInteger<qint64> m_machinesRead = 0;
    // What the worker made of the listings.
    std::optional<Outcome<GameTable>> m_imported;
    MachineList m_machines;
    std::optional<Outcome<Done>> m_factsKept;
    std::optional<BuildChanges> m_changes;
    qint64 m_listed = 0;
};
