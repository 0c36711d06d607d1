// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/ListJob.h"

#include "catalogue/Catalogue.h"
#include "database/ListXmlImport.h"
#include "database/ListingImport.h"
#include "database/MachineFactsSpool.h"
#include "database/SetAsideFile.h"
#include "frontend/GameList.h"

#include <QLocale>

namespace {

QString formatCount(qint64 number) {
    return QLocale(QLocale::English).toString(number);
}

// More output than this is no listing that MAME prints (0.251's -listxml is
// about 270 MB).
constexpr qint64 kMostListingOutput = qint64{2} << 30;

} // namespace

ListJob::ListJob(MameRunner& runner, MameSetup& mame, GameList& games, bool caseInsensitive,
                 QString storePath)
    : MameJob(runner, mame), m_games(games), m_caseInsensitive(caseInsensitive),
      m_storePath(std::move(storePath)) {
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
    if (const auto failure =
            listingFailure(result, QStringLiteral("listing its games (-listfull)")))
        return finish(*failure);
    MameRunRequest request = listingRequest(listClonesArguments());
    request.outputFile = temp().cloneListing();
    run(request, &ListJob::onCloneListing);
}

// Step 2: the clone listing.
void ListJob::onCloneListing(const RunResult& result) {
    if (const auto failure =
            listingFailure(result, QStringLiteral("listing its clones (-listclones)")))
        return finish(*failure);
    MameRunRequest request = listingRequest(listSourceFileArguments());
    request.outputFile = temp().sourceListing();
    run(request, &ListJob::onDriverListing);
}

// Step 3: the driver listing; then the three are read together.
void ListJob::onDriverListing(const RunResult& result) {
    if (const auto failure = listingFailure(
            result, QStringLiteral("listing its driver source files (-listsourcefile)")))
        return finish(*failure);
    mame().setGeneration(MameGeneration::Old);
    reportStep(QStringLiteral("Sorting %1 games\u2026").arg(formatCount(m_listed)), m_listed, 0);
    inWorker(
        [this, full = temp().fullListing(), clones = temp().cloneListing(),
         sources = temp().sourceListing()] {
            m_imported = importListingFiles(full, clones, sources, m_caseInsensitive);
            if (m_imported->ok()) {
                const MachineFactsTable none;
                MachineFactsTableSource noFacts(none);
                keepFacts({}, noFacts);
            }
        },
        &ListJob::onImported);
}

// A current MAME: its machine listing, read on a thread of its own as it
// arrives and never kept whole.
void ListJob::runMachineListing() {
    m_factsSpool = std::make_unique<MachineFactsSpool>(temp().machineFacts());
    m_xml = std::make_unique<ListXmlReader>(
        [spool = m_factsSpool.get()](const MachineFacts& facts) { spool->append(facts); });
    // The new table is about the size of the old one, which it mostly repeats.
    const GameTable& old = m_games.games();
    m_xml->reserve(std::ssize(old) + std::ssize(old) / 8, old.byteCount() + old.byteCount() / 8);
    m_listed = 0;
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
    if (const auto failure = runFailure(result, QStringLiteral("listing its machines (-listxml)"));
        failure && !endedForFault)
        return finish(*failure);
    reportStep(QStringLiteral("Sorting %1 games\u2026").arg(formatCount(m_listed)), m_listed, 0);
    inWorker(
        [this] {
            m_imported = m_xml->finish(m_caseInsensitive);
            if (!m_imported->ok())
                return;
            // The store takes a copy of the machine list to write it: the new
            // table waits in the temporary folder meanwhile, when it can.
            GameTable games = std::move(*m_imported).value();
            const bool aside =
                !m_storePath.isEmpty() &&
                games.setAside(std::make_shared<SetAsideFile>(temp().setAsideNewTable()));
            keepFacts(m_xml->takeMachineList(), *m_factsSpool);
            if (aside && !games.takeBack())
                m_imported = Failure{QStringLiteral("The new list could not be read back from "
                                                    "the temporary folder.")};
            else
                m_imported = std::move(games);
        },
        &ListJob::onImported);
}

// Last step: the new table replaces the database, or nothing changes.
void ListJob::onImported() {
    Outcome<GameTable> imported = std::move(*m_imported);
    if (!imported.ok())
        return finish(Failure{imported.failure() + kNothingChanged});
    const Outcome<Done> replaced =
        m_games.replaceGames(std::move(imported).value(), std::move(m_machines));
    if (!replaced.ok())
        return finish(Failure{replaced.failure() + kNothingChanged});
    if (m_factsKept && !m_factsKept->ok())
        return finish(JobReport{QStringLiteral("The games were listed, but their machine facts "
                                               "could not be kept in %1: %2.")
                                    .arg(m_storePath, m_factsKept->failure()),
                                {},
                                {}});
    finish(JobReport{});
}

void ListJob::keepFacts(MachineList list, MachineFactsSource& facts) {
    m_machines = std::move(list);
    if (!m_storePath.isEmpty())
        m_factsKept = Catalogue::replaceMachines(m_storePath, facts, m_machines);
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
        return Failure{QStringLiteral("MAME ended with exit status %1 while %2, so that listing "
                                      "is incomplete.")
                           .arg(QString::number(result.exitCode), what) +
                       kNothingChanged};
    return std::nullopt;
}

void ListJob::reportListed(qint64 games) {
    m_listed = games;
    reportProgress(
        QStringLiteral("Reading MAME's game list\u2026 %1 games").arg(formatCount(games)), games,
        0);
}
