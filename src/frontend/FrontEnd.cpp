// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/FrontEnd.h"

#include "frontend/AuditJob.h"
#include "frontend/InfoJob.h"
#include "frontend/ListJob.h"
#include "frontend/PlayJob.h"
#include "gamelist/GameInfo.h"
#include "settings/SettingsFile.h"
#include "text/TextFile.h"

#include <QFileInfo>

namespace {

QString verdictText(SetVerdict verdict) {
    switch (verdict) {
    case SetVerdict::Good:
        return QStringLiteral("good");
    case SetVerdict::BestAvailable:
        return QStringLiteral("best available");
    case SetVerdict::Bad:
        return QStringLiteral("bad");
    case SetVerdict::NotFound:
        break;
    }
    return QStringLiteral("not found");
}

} // namespace

FrontEnd::FrontEnd(MameRunner& runner, QObject* parent)
    : QObject(parent), m_runner(runner),
      m_catalogue(std::make_unique<Catalogue>(QStringLiteral("coinslot.sqlite"))) {}

FrontEnd::~FrontEnd() {
    if (m_job)
        m_job->abandon();
}

void FrontEnd::setProgramName(const QString& programName) {
    const QString base = QFileInfo(programName).completeBaseName().toLower();
    m_settingsFile = base + QStringLiteral(".ini");
    m_auditReportFile = base + QStringLiteral("-audit.txt");
    m_games.setDatabaseFile(base + QStringLiteral(".dat"));
    m_catalogue = std::make_unique<Catalogue>(base + QStringLiteral(".sqlite"));
    m_catalogueLoaded = false;
}

void FrontEnd::configure(const Settings& settings) {
    m_settings = settings;
    m_mame.setExecutable(settings.mameExecutable);
}

bool FrontEnd::hasDatabaseFile() const {
    return fileExists(m_games.databaseFile());
}

Outcome<Done> FrontEnd::loadDatabase() {
    return m_games.load(m_settings.driverFilter, m_settings.lastGame, savedShowChoices());
}

ShowChoices FrontEnd::savedShowChoices() const {
    return {m_settings.showClones, m_settings.showNotWorking, m_settings.showMechanical,
            m_settings.showNonArcade, m_settings.favouritesOnly};
}

Outcome<Done> FrontEnd::loadCatalogue() {
    if (std::exchange(m_catalogueLoaded, true))
        return Done{};
    Outcome<CatalogueContents> contents = m_catalogue->open();
    if (!contents.ok())
        return contents.why();
    CatalogueContents read = std::move(contents).value();
    m_games.setCatalogue(std::move(read.machines), std::move(read.favourites));
    return Done{};
}

Outcome<Done> FrontEnd::setFavourite(bool favourite) {
    const std::optional<GameRecord> game = m_games.selectedGame();
    if (!game)
        return Failure{QStringLiteral("No game is selected.")};
    // The window has read the store after its first paint and told what
    // went wrong; here it is only made sure of.
    (void)loadCatalogue();
    if (Outcome<Done> stored = m_catalogue->setFavourite(game->name(), favourite); !stored.ok())
        return Failure{QStringLiteral("The favourite could not be kept in %1: %2")
                           .arg(m_catalogue->path(), stored.failure())};
    m_games.setFavourite(m_games.shownRows()[m_games.selectedRow()], favourite);
    return Done{};
}

bool FrontEnd::applyShowChoices(const ShowChoices& choices) {
    return m_games.applyShowChoices(choices);
}

Outcome<Done> FrontEnd::saveSettings(const WindowSettings& window) {
    m_settings.window = window;
    m_settings.lastGame = m_games.selectedRow();
    m_settings.mameExecutable = m_mame.executable();
    m_settings.driverFilter = m_games.driverFilter();
    // Choices that could not be applied (no database) stay as they were read.
    if (!m_games.games().empty()) {
        const ShowChoices& show = m_games.showChoices();
        m_settings.showClones = show.clones;
        m_settings.showNotWorking = show.notWorking;
        m_settings.showMechanical = show.mechanical;
        m_settings.showNonArcade = show.nonArcade;
        m_settings.favouritesOnly = show.favouritesOnly;
    }
    return writeSettingsFile(m_settingsFile, tableFromSettings(m_settings));
}

void FrontEnd::list() {
    if (!busy())
        begin(Command::List,
              std::make_unique<ListJob>(m_runner, m_mame, m_games, m_settings.caseInsensitive,
                                        m_catalogue->isOpen() ? m_catalogue->path() : QString()));
}

void FrontEnd::audit() {
    if (!busy())
        begin(Command::Audit,
              std::make_unique<AuditJob>(m_runner, m_mame, m_games, m_auditReportFile));
}

void FrontEnd::play(const std::optional<QString>& options) {
    const std::optional<GameRecord> game = m_games.selectedGame();
    if (busy() || !game)
        return;
    if (options)
        m_settings.playOptions = *options;
    m_playedSet = game->name();
    begin(Command::Play,
          std::make_unique<PlayJob>(m_runner, m_mame, game->name(), game->description(), options));
}

void FrontEnd::info() {
    const std::optional<GameRecord> game = m_games.selectedGame();
    if (busy() || !game)
        return;
    QString factLines;
    if (const std::optional<MachineFacts> facts = m_catalogue->facts(game->name())) {
        const PlayRecord played = m_catalogue->plays(game->name());
        factLines = machineInfoText(*facts, played.count, played.last);
    }
    begin(Command::Info, std::make_unique<InfoJob>(m_runner, m_mame, game->name(),
                                                   m_games.information().value(), factLines));
}

void FrontEnd::editIni(IniFile file) {
    if (busy())
        return;
    if (file == IniFile::Mame)
        return begin(Command::MameIni, std::make_unique<IniFileJob>(m_runner, m_mame, file, ""));
    const std::optional<GameRecord> game = m_games.selectedGame();
    if (!game)
        return;
    switch (file) {
    case IniFile::Driver:
        return begin(Command::DriverIni,
                     std::make_unique<IniFileJob>(m_runner, m_mame, file, game->driver()));
    case IniFile::Parent:
        return begin(Command::ParentIni,
                     std::make_unique<IniFileJob>(m_runner, m_mame, file, game->parent()));
    default:
        return begin(Command::SetIni,
                     std::make_unique<IniFileJob>(m_runner, m_mame, file, game->name()));
    }
}

void FrontEnd::cancel() {
    if (m_job)
        m_job->cancel();
}

void FrontEnd::begin(Command command, std::unique_ptr<MameJob> job) {
    m_job = std::move(job);
    m_command = command;
    m_running = false;
    connect(m_job.get(), &MameJob::running, this, &FrontEnd::onRunning);
    connect(m_job.get(), &MameJob::progressChanged, this, &FrontEnd::progressChanged);
    connect(m_job.get(), &MameJob::finished, this, &FrontEnd::onJobFinished);
    // The job may finish within start(): m_job is not touched after it.
    m_job->start();
}

void FrontEnd::keepAudit(const std::vector<SetFinding>& findings) {
    // The store keeps the verdicts, and its machine list follows the table
    // the audit left, so that the next start-up finds it lined up. The audit
    // stands either way: a failure here only costs the verdicts or time.
    std::vector<AuditVerdictRow> verdicts;
    verdicts.reserve(findings.size());
    for (const SetFinding& finding : findings)
        verdicts.push_back({finding.set, verdictText(finding.verdict), finding.problems});
    (void)m_catalogue->replaceAuditVerdicts(verdicts);
    (void)m_catalogue->replaceMachineList(m_games.machineList());
}

void FrontEnd::onRunning() {
    m_running = true;
    // A play counts once MAME has been started with the game.
    if (m_command == Command::Play)
        (void)m_catalogue->countPlay(m_playedSet, QDateTime::currentDateTime());
    emit busyChanged(m_command, true);
}

void FrontEnd::onJobFinished(const Outcome<JobReport>& outcome) {
    // The job is still emitting: let it go once it has returned.
    MameJob* job = m_job.release();
    job->deleteLater();
    if (m_command == Command::Audit && outcome.ok() && m_catalogue->isOpen())
        keepAudit(static_cast<const AuditJob&>(*job).findings());
    if (m_running)
        emit busyChanged(m_command, false);
    emit commandFinished(m_command, outcome);
}
