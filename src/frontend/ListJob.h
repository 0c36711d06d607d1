#pragma once

#include "database/GameRecord.h"
#include "frontend/MameJob.h"

#include <QAtomicInteger>
#include <memory>

class GameList;
class ListXmlReader;

// List: builds the database from MAME's listings and makes it the game list.
//
// An old MAME is asked for its game, clone and driver listings (-listfull,
// -listclones, -listsourcefile), each into a file of the temporary folder; a
// current one, which the header of -listfull gives away, for its machine
// listing (-listxml), read as it arrives. The listings are read and sorted on
// a worker thread, and the new table replaces the database only when all of
// that succeeded. A MAME known to be current (MameSetup) is asked for its
// machine listing at once.
class ListJob : public MameJob {
    Q_OBJECT

  public:
    ListJob(MameRunner& runner, MameSetup& mame, GameList& games, bool caseInsensitive);
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
    // A request for one of MAME's listings, its output bounded.
    MameRunRequest listingRequest(const QStringList& arguments) const;
    // runFailure, and for a text listing also an exit status other than 0:
    // MAME stopped before the listing was whole.
    std::optional<Failure> listingFailure(const RunResult& result, const QString& what) const;

    GameList& m_games;
    const bool m_caseInsensitive;
    std::unique_ptr<ListXmlReader> m_xml; // read on the reading thread while MAME runs
    QAtomicInteger<qint64> m_machinesRead = 0;
    // What the worker made of the listings.
    std::optional<Outcome<GameTable>> m_imported;
    qint64 m_listed = 0;
};
