// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/GameRecord.h"
#include "database/MachineList.h"
#include "frontend/MameJob.h"

#include <QAtomicInteger>
#include <memory>

class GameList;
class ListXmlReader;
class MachineFactsSource;
class MachineFactsSpool;

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
// Memory: while the new table is built, the old one's texts and its machine
// list wait in the temporary folder (GameList::setTextsAside()) and come back
// when the List ends without a new table; the machines' facts go to a file
// there as they are read, and into the store from it, one at a time.
class ListJob : public MameJob {
    Q_OBJECT

  public:
    // `storePath` names the store for the machine facts; empty: none is kept.
    ListJob(MameRunner& runner, MameSetup& mame, GameList& games, bool caseInsensitive,
            QString storePath);
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
    // On the worker: keeps `list`, the new table's machine list, for the game
    // list, and it and the machines' `facts` in the store.
    void keepFacts(MachineList list, MachineFactsSource& facts);
    // A request for one of MAME's listings, its output bounded.
    MameRunRequest listingRequest(const QStringList& arguments) const;
    // runFailure, and for a text listing also an exit status other than 0:
    // MAME stopped before the listing was whole.
    std::optional<Failure> listingFailure(const RunResult& result, const QString& what) const;

    GameList& m_games;
    const bool m_caseInsensitive;
    const QString m_storePath;
    std::unique_ptr<ListXmlReader> m_xml;            // read on the reading thread while MAME runs
    std::unique_ptr<MachineFactsSpool> m_factsSpool; // its machines' facts
    QAtomicInteger<qint64> m_machinesRead = 0;
    // What the worker made of the listings.
    std::optional<Outcome<GameTable>> m_imported;
    MachineList m_machines;
    std::optional<Outcome<Done>> m_factsKept;
    qint64 m_listed = 0;
};
