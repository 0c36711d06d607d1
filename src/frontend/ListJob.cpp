// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/ListJob.h"

#include "catalogue/ListingStore.h"
#include "database/ListXmlImport.h"
#include "database/ListingImport.h"
#include "database/MachineFactsSpool.h"
#include "database/SetAsideFile.h"
#include "frontend/GameList.h"
#include "frontend/SupportFiles.h"
#include "launch/SupportFolders.h"
#include "text/MessageText.h"
#include "text/TextFile.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace {

// More output than this is no listing that MAME prints (0.251's -listxml is
// about 270 MB).
constexpr qint64 kMostListingOutput = qint64{2} << 30;

} // namespace

ListJob::ListJob(MameRunner& runner, MameSetup& mame, GameList& games, bool caseInsensitive,
                 QString cataloguePath, QString changesFile)
    : MameJob(runner, mame), m_games(games), m_caseInsensitive(caseInsensitive),
      m_cataloguePath(std::move(cataloguePath)), m_changesFile(std::move(changesFile)),
      m_databaseFile(games.databaseFile()) {
    // A List that ends without a new table leaves the old one as it was.
    connect(this, &MameJob::finished, this, [this] { m_games.takeTextsBack(); });
}

ListJob::~ListJob() {
    abandon(); // the reading thread uses the reader
}

void ListJob::start() {
    if (Outcome<Done> made = makeTempFolder(); !made.ok())
        return finish(made.why());
    m_games.setTextsAside(temp().setAsideTexts());
    // A MAME known to be a current one needs no game listing to say so.
    if (mame().generation() == MameGeneration::Current)
        return runMachineListing();
    runGameListing();
}

// Step 1: the game listing, whose header also tells which MAME this is.
void ListJob::runGameListing() {
    MameRunRequest request = listingRequest(listFullArguments());
    request.outputFile = temp().fullListing();
    run(request, &ListJob::onGameListing);
    watchListingHeader(false);
    connect(&currentRun(), &MameRun::linesCounted, this, [this](qint64 lines) {
        if (headerGeneration() != MameGeneration::Current)
            reportListed(std::max<qint64>(0, lines - 1)); // less the header
    });
    reportListed(0);
}

void ListJob::onGameListing(const RunResult& result) {
    if (!cancelled() && headerGeneration() == MameGeneration::Current) {
        mame().setGeneration(MameGeneration::Current);
        return runMachineListing();
    }
    if (const auto failure = listingFailure(result, tr("listing its games (-listfull)")))
        return finish(*failure);
    MameRunRequest request = listingRequest(listClonesArguments());
    request.outputFile = temp().cloneListing();
    run(request, &ListJob::onCloneListing);
}

// Step 2: the clone listing.
void ListJob::onCloneListing(const RunResult& result) {
    if (const auto failure = listingFailure(result, tr("listing its clones (-listclones)")))
        return finish(*failure);
    MameRunRequest request = listingRequest(listSourceFileArguments());
    request.outputFile = temp().sourceListing();
    run(request, &ListJob::onDriverListing);
}

// Step 3: the driver listing; then the three are read together.
void ListJob::onDriverListing(const RunResult& result) {
    if (const auto failure =
            listingFailure(result, tr("listing its driver source files (-listsourcefile)")))
        return finish(*failure);
    mame().setGeneration(MameGeneration::Old);
    reportStep(tr("Sorting %1 games\u2026").arg(formatCount(m_listed)), m_listed, 0);
    inWorker(
        [this, full = temp().fullListing(), clones = temp().cloneListing(),
         sources = temp().sourceListing()] {
            m_imported = importListingFiles(full, clones, sources, m_caseInsensitive);
            if (!m_imported->ok())
                return;
            GameTable games = std::move(*m_imported).value();
            const MachineFactsTable none;
            MachineFactsTableSource noFacts(none);
            commit(games, noFacts, nullptr, [&games] { return machineListOf(games, {}); });
        },
        &ListJob::onImported);
}

// A current MAME: its machine listing, read on a thread of its own as it
// arrives and never kept whole.
void ListJob::runMachineListing() {
    m_factsSpool = std::make_unique<MachineFactsSpool>(temp().machineFacts());
    m_xml = std::make_unique<ListXmlReader>(
        [spool = m_factsSpool.get()](const MachineFacts& facts) { spool->append(facts); },
        temp().romListing());
    // The new table is about the size of the old one, which it mostly repeats.
    const GameTable& old = m_games.games();
    m_xml->reserve(std::ssize(old) + std::ssize(old) / 8, old.byteCount() + old.byteCount() / 8);
    m_listed = 0;
    m_listedWith = mame().fileIdentity();
    MameRunRequest request = listingRequest(listXmlArguments());
    request.outputToPipe = true;
    run(request, &ListJob::onMachineListing);
    readOutputInWorker(
        [this](const QByteArray& chunk) {
            m_xml->addData(chunk);
            m_machinesRead.storeRelaxed(m_xml->machinesRead());
            // A fault in the listing ends the run: the rest is of no use.
            return !m_xml->failed();
        },
        [this] {
            if (const qint64 read = m_machinesRead.loadRelaxed(); read != m_listed)
                reportListed(read);
        });
    reportListed(0);
}

void ListJob::onMachineListing(const RunResult& result) {
    // A run ended for a fault in its listing reports that fault.
    const bool endedForFault = m_xml->failed() && !cancelled();
    if (const auto failure = runFailure(result, tr("listing its machines (-listxml)"));
        failure && !endedForFault)
        return finish(*failure);
    reportStep(tr("Sorting %1 games\u2026").arg(formatCount(m_listed)), m_listed, 0);
    inWorker(
        [this] {
            m_imported = m_xml->finish(m_caseInsensitive);
            if (!m_imported->ok())
                return;
            GameTable games = std::move(*m_imported).value();
            const RomListing roms = m_xml->takeRomListing();
            std::vector<DriverStatus> statuses = m_xml->takeStatuses();
            std::vector<quint64> digests = m_xml->takeRomDigests();
            const ListingUpdate listing{m_xml->build(), m_listedWith, &roms,
                                        digestsOf(games, statuses, digests)};
            commit(games, *m_factsSpool, &listing, [&] {
                // The build's digests are kept: the machine list takes their room.
                statuses = {};
                digests = {};
                return m_xml->takeMachineList(games);
            });
        },
        &ListJob::onImported);
}

// Last step: the new table replaces the database, or nothing changes.
void ListJob::onImported() {
    Outcome<GameTable> imported = std::move(*m_imported);
    if (!imported.ok())
        return finish(Failure{withNothingChanged(imported.failure())});
    if (!m_commit->database.ok())
        return finish(Failure{withNothingChanged(m_commit->database.failure())});
    // The catalogue moved the favourites of renamed sets; the list follows.
    if (m_changes)
        m_games.renameFavourites(m_changes->renamed);
    m_games.adoptGames(std::move(imported).value(), std::move(m_machines));
    if (!m_commit->store.ok())
        return finish(ListDone{tr("The games were listed, but their machine facts "
                                  "could not be kept in %1: %2.")
                                   .arg(m_cataloguePath, m_commit->store.failure())});
    if (m_changes)
        reportChanges(*m_changes);
    if (m_cataloguePath.isEmpty() || mame().generation() != MameGeneration::Current)
        return finish(m_report);
    if (mame().iniFolders())
        return readSupportFiles();
    askConfiguration(tr("Asking MAME where its support files are\u2026"),
                     &ListJob::onSupportConfiguration);
}

void ListJob::onSupportConfiguration(const RunResult& result) {
    // The list stands: without MAME's folders the support files wait for
    // another time.
    if (result.end != RunEnd::Finished || !mame().iniFolders())
        return finish(m_report);
    readSupportFiles();
}

void ListJob::readSupportFiles() {
    reportStep(tr("Reading the category and history files\u2026"), 0, 0);
    const SupportFolders folders =
        readSupportFolders(*mame().iniFolders(), mame().snapshotFolders().value_or(QStringList()),
                           QDir::homePath(), QDir::currentPath());
    inWorker(
        [this, folders] {
            const SupportRefresh refresh =
                refreshSupportFiles(m_cataloguePath, folders.categories, folders.history, true);
            if (!refresh.failure.isEmpty())
                m_report.warning = tr("The games were listed, but the categories "
                                      "and history could not be kept in %1: %2.")
                                       .arg(m_cataloguePath, refresh.failure);
        },
        &ListJob::finishWithReport);
}

void ListJob::finishWithReport() {
    finish(m_report);
}

void ListJob::reportChanges(const BuildChanges& changes) {
    const QStringList lines = changesReportLines(changes);
    const QString path = QDir::toNativeSeparators(QFileInfo(m_changesFile).absoluteFilePath());
    const Outcome<Done> saved = m_changesFile.isEmpty()
                                    ? Outcome<Done>(Failure{tr("no file is named")})
                                    : writeLinesAtomically(m_changesFile, lines);
    m_report.changes = changesSummary(changes);
    m_report.changesSaved =
        saved.ok() ? tr("The report was saved in %1.").arg(path)
                   : tr("The report could not be saved in %1: %2.").arg(path, saved.failure());
    m_report.changesReport = lines;
}

void ListJob::commit(GameTable& games, MachineFactsSource& facts, const ListingUpdate* listing,
                     const std::function<MachineList()>& machineList) {
    bool whole = true;
    bool listMade = false;
    const auto makeList = [&] {
        if (!std::exchange(listMade, true))
            m_machines = machineList();
    };
    m_commit = commitGames(
        m_databaseFile, &games, m_cataloguePath,
        [&](CatalogueChange& change) {
            // The build's digests are read from the new table; then the store
            // takes a copy of the machine list to write it, and the new table
            // waits in the temporary folder meanwhile, when it can.
            change.keepListing(listing, m_changes);
            makeList();
            const bool aside =
                games.setAside(std::make_shared<SetAsideFile>(temp().setAsideNewTable()));
            change.replaceMachines(facts, m_machines);
            if (aside)
                whole = games.takeBack();
        },
        [this, &whole] { return whole && passCommitPoint(); });
    makeList(); // without a store
    if (!whole) {
        m_imported = Failure{tr("The new list could not be read back from the temporary folder.")};
        m_changes.reset();
        return;
    }
    m_imported = std::move(games);
    if (!m_commit->store.ok())
        m_changes.reset(); // the catalogue kept nothing of this listing
}

MameRunRequest ListJob::listingRequest(const QStringList& arguments) const {
    MameRunRequest request = mameRequest(arguments);
    request.outputLimit = kMostListingOutput;
    return request;
}

std::optional<Failure> ListJob::listingFailure(const RunResult& result, const QString& what) const {
    if (auto failure = runFailure(result, what))
        return failure;
    if (result.exitCode != 0)
        return Failure{withNothingChanged(tr("MAME ended with exit status %1 while %2, so that "
                                             "listing is incomplete.")
                                              .arg(QString::number(result.exitCode), what))};
    return std::nullopt;
}

void ListJob::reportListed(qint64 games) {
    m_listed = games;
    reportProgress(tr("Reading MAME's game list\u2026 %1 games").arg(formatCount(games)), games, 0);
}
