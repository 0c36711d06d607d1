// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/FrontEnd.h"

#include "frontend/AuditJob.h"
#include "frontend/FoldersJob.h"
#include "frontend/InfoJob.h"
#include "frontend/ListJob.h"
#include "frontend/PlayJob.h"
#include "frontend/SupportFiles.h"
#include "gamelist/GameInfo.h"
#include "settings/SettingsFile.h"
#include "text/TextFile.h"

#include <QFileInfo>

FrontEnd::FrontEnd(MameRunner& runner, std::chrono::milliseconds playedAfter, QObject* parent)
    : QObject(parent), m_runner(runner), m_playedAfter(playedAfter),
      m_catalogue(std::make_unique<Catalogue>(QStringLiteral("coinslot.sqlite"))) {
    m_games.setColumnSource([this](MachineColumns& machines, PlayTable& plays) {
        if (!m_catalogueLoaded)
            return false;
        machines = m_catalogue->machineColumns();
        plays = m_catalogue->allPlays();
        return true;
    });
    m_games.setCategorySource([this](CategoryTable& categories) {
        if (!m_catalogueLoaded)
            return false;
        categories = m_catalogue->categories();
        return true;
    });
}

FrontEnd::~FrontEnd() {
    if (m_job)
        m_job->abandon();
    if (m_background)
        m_background->abandon();
    if (m_supportRefresh) {
        m_supportRefresh->wait();
        delete m_supportRefresh;
    }
}

void FrontEnd::refreshSupportFiles() {
    if (std::exchange(m_supportRefreshed, true) || !m_catalogue->isOpen())
        return;
    auto changed = std::make_shared<bool>(false);
    m_supportRefresh = QThread::create([path = m_catalogue->path(), changed] {
        *changed = refreshKeptSupportFiles(path).categoriesChanged;
    });
    connect(m_supportRefresh, &QThread::finished, this, [this, changed] {
        m_supportRefresh->deleteLater();
        m_supportRefresh = nullptr;
        if (*changed)
            m_games.categoriesChanged();
    });
    m_supportRefresh->start();
}

void FrontEnd::setProgramName(const QString& programName) {
    const QString base = QFileInfo(programName).completeBaseName().toLower();
    m_settingsFile = base + QStringLiteral(".ini");
    m_auditReportFile = base + QStringLiteral("-audit.txt");
    m_changesFile = base + QStringLiteral("-changes.txt");
    m_games.setDatabaseFile(base + QStringLiteral(".dat"));
    m_queue.reset();
    m_catalogue = std::make_unique<Catalogue>(base + QStringLiteral(".sqlite"));
    m_catalogueLoaded = false;
}

void FrontEnd::configure(const Settings& settings) {
    m_settings = settings;
    m_mame.setExecutable(settings.mameExecutable);
}

void FrontEnd::setMameExecutable(const QString& executable) {
    if (m_background)
        m_background->abandon();
    m_background.reset();
    m_mame.setExecutable(executable);
}

bool FrontEnd::hasDatabaseFile() const {
    return fileExists(m_games.databaseFile());
}

Outcome<Done> FrontEnd::loadDatabase() {
    return m_games.load(m_settings.driverFilter, m_settings.lastGame, savedShowChoices());
}

ShowChoices FrontEnd::savedShowChoices() const {
    return {m_settings.showClones,    m_settings.showNotWorking, m_settings.showMechanical,
            m_settings.showNonArcade, m_settings.favouritesOnly, m_settings.manufacturers,
            m_settings.yearFrom,      m_settings.yearTo,         m_settings.unknownYears,
            m_settings.categories,    m_settings.showMature};
}

Outcome<Done> FrontEnd::loadCatalogue() {
    if (std::exchange(m_catalogueLoaded, true))
        return Done{};
    Outcome<CatalogueContents> contents = m_catalogue->open();
    if (!contents.ok() && m_catalogue->trouble() == Catalogue::Trouble::Busy) {
        m_catalogueWaits = true;
        queue().enqueue({}); // done once the store can be read
        return Done{};
    }
    if (!contents.ok())
        return contents.why();
    queue().check(); // the whole file, away from the window's thread
    CatalogueContents read = std::move(contents).value();
    // Facts that go with another database file count as missing, silently,
    // until the next List; the favourites are the user's whatever the list.
    m_factsMatchDatabase = read.stamp == stampOf(m_games.databaseFile());
    m_games.setCatalogue(m_factsMatchDatabase ? std::move(read.machines) : MachineList(),
                         std::move(read.favourites));
    return Done{};
}

Outcome<QString> FrontEnd::setFavourite(bool favourite) {
    const std::optional<GameRecord> game = m_games.selectedGame();
    if (!game)
        return Failure{tr("No game is selected.")};
    // The window has read the catalogue after its first paint and told what
    // went wrong; here it is only made sure of.
    (void)loadCatalogue();
    QString why;
    const Kept kept = keep(Catalogue::favouriteChange(game->name(), favourite), why);
    if (kept == Kept::Refused)
        return Failure{why};
    m_games.setFavourite(m_games.shownRows()[m_games.selectedRow()], favourite);
    if (kept == Kept::Later)
        return tr("%1 is busy (another program is using it); the favourite will be "
                  "saved when it is free.")
            .arg(m_catalogue->path());
    return QString();
}

FrontEnd::Kept FrontEnd::keep(const CatalogueQueue::Change& change, QString& why) {
    // Behind changes that wait, so that they are made in order.
    if (m_catalogueWaits || (m_queue && m_queue->waiting())) {
        queue().enqueue(change);
        return Kept::Later;
    }
    Outcome<Done> made = m_catalogue->make(change);
    if (!made.ok() && m_catalogue->trouble() == Catalogue::Trouble::Damaged) {
        renewCatalogue(made.failure());
        made = m_catalogue->make(change);
    }
    if (made.ok())
        return Kept::Now;
    switch (m_catalogue->trouble()) {
    case Catalogue::Trouble::Busy:
        queue().enqueue(change);
        return Kept::Later;
    case Catalogue::Trouble::ReadOnly:
        why = tr("%1 is read-only.").arg(m_catalogue->path());
        break;
    default:
        why = tr("The favourite could not be kept in %1: %2")
                  .arg(m_catalogue->path(), made.failure());
        break;
    }
    return Kept::Refused;
}

CatalogueQueue& FrontEnd::queue() {
    if (!m_queue) {
        m_queue = std::make_unique<CatalogueQueue>(m_catalogue->path());
        connect(m_queue.get(), &CatalogueQueue::drained, this, &FrontEnd::onQueueDrained);
        connect(m_queue.get(), &CatalogueQueue::changeFailed, this,
                [this](const QString& reason, bool damaged) {
                    if (damaged)
                        renewCatalogue(reason);
                });
        connect(m_queue.get(), &CatalogueQueue::checked, this, [this](const QString& problem) {
            if (!problem.isEmpty())
                renewCatalogue(problem);
        });
    }
    return *m_queue;
}

void FrontEnd::onQueueDrained() {
    if (!std::exchange(m_catalogueWaits, false))
        return;
    // Free at last: read now, with what waited for it already in.
    m_catalogueLoaded = false;
    if (const Outcome<Done> loaded = loadCatalogue(); !loaded.ok())
        emit catalogueNotice(loaded.failure());
}

void FrontEnd::renewCatalogue(const QString& reason) {
    // The queue's connection is to the damaged file; it goes once it has
    // returned, and what waits in it goes unmade.
    if (m_queue) {
        m_queue->discard();
        m_queue.release()->deleteLater();
    }
    const QString text = m_catalogue->renew(reason);
    // The facts in memory still go with the list; the store holds none now.
    m_factsMatchDatabase = false;
    m_games.setCatalogue(m_games.machineList(), m_catalogue->favourites());
    emit catalogueNotice(text);
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
        m_settings.manufacturers = show.makers;
        m_settings.yearFrom = show.yearFrom;
        m_settings.yearTo = show.yearTo;
        m_settings.unknownYears = show.unknownYears;
        m_settings.categories = show.categories;
        m_settings.showMature = show.mature;
    }
    return writeSettingsFile(m_settingsFile, m_settings);
}

void FrontEnd::list() {
    if (!busy())
        begin(Command::List,
              std::make_unique<ListJob>(m_runner, m_mame, m_games, m_settings.caseInsensitive,
                                        m_catalogue->isOpen() ? m_catalogue->path() : QString(),
                                        m_changesFile));
}

void FrontEnd::audit(bool full) {
    if (!busy())
        begin(Command::Audit, std::make_unique<AuditJob>(
                                  m_runner, m_mame, m_games, m_auditReportFile,
                                  m_catalogue->isOpen() ? m_catalogue->path() : QString(), full));
}

void FrontEnd::play(const std::optional<QString>& options) {
    const std::optional<GameRecord> game = m_games.selectedGame();
    if (busy() || !game)
        return;
    if (options)
        m_settings.playOptions = *options;
    m_playedSet = game->name();
    begin(Command::Play, std::make_unique<PlayJob>(m_runner, m_mame, game->name(),
                                                   game->description(), options, m_playedAfter));
}

void FrontEnd::info() {
    const std::optional<GameRecord> game = m_games.selectedGame();
    if (busy() || !game)
        return;
    GameInfo info = *selectedGameInfo();
    if (info.withFacts)
        info.history = historyText(*m_catalogue, game->name(), game->parent()).value_or(QString());
    begin(Command::Info, std::make_unique<InfoJob>(m_runner, m_mame, game->name(), game->parent(),
                                                   std::move(info)));
}

std::optional<GameInfo> FrontEnd::selectedGameInfo() const {
    const std::optional<GameRecord> game = m_games.selectedGame();
    if (!game)
        return std::nullopt;
    const std::optional<MachineFacts> facts =
        m_factsMatchDatabase ? m_catalogue->facts(game->name()) : std::nullopt;
    PlayCount plays;
    if (facts) {
        const PlayRecord played = m_catalogue->plays(game->name());
        plays = {played.count, played.last};
    }
    return gameInfo(*game, m_games.games(), m_games.shownRows(), facts, plays);
}

void FrontEnd::learnSnapshotFolders() {
    if (m_background || m_mame.snapshotFolders() || !m_games.hasMachineFacts() ||
        m_mame.generation() == MameGeneration::Old || m_foldersAskedOf == m_mame.executable())
        return;
    m_foldersAskedOf = m_mame.executable();
    m_background = std::make_unique<FoldersJob>(m_runner, m_mame);
    connect(m_background.get(), &MameJob::finished, this, [this] {
        m_background.release()->deleteLater();
        if (m_mame.snapshotFolders())
            emit snapshotFoldersLearnt();
    });
    m_background->start();
}

QString FrontEnd::iniFileName(IniFile file) const {
    const bool current = m_mame.generation() ? m_mame.generation() == MameGeneration::Current
                                             : m_games.hasMachineFacts();
    if (file == IniFile::Mame)
        return current ? QStringLiteral("mame.ini") : m_mame.oldIniFile();
    const std::optional<GameRecord> game = m_games.selectedGame();
    if (!game)
        return {};
    const QString& name = file == IniFile::Driver   ? game->driver()
                          : file == IniFile::Parent ? game->parent()
                                                    : game->name();
    if (name.isEmpty())
        return {};
    const QString folder = !current                  ? QStringLiteral("ini/")
                           : file == IniFile::Driver ? QStringLiteral("source/")
                                                     : QString();
    return folder + name + QStringLiteral(".ini");
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

void FrontEnd::countPlay() {
    const QDateTime now = QDateTime::currentDateTime();
    QString why;
    if (keep(Catalogue::playChange(m_playedSet, now), why) != Kept::Refused)
        m_games.notePlayed(m_playedSet, now);
}

void FrontEnd::onRunning() {
    m_running = true;
    emit busyChanged(m_command, true);
}

void FrontEnd::onJobFinished(const Outcome<JobResult>& outcome) {
    // The job is still emitting: let it go once it has returned.
    MameJob* job = m_job.release();
    job->deleteLater();
    // List and Audit commit the store after the database file: whether it
    // goes with the file now depends on how far they came.
    if ((m_command == Command::List || m_command == Command::Audit) && m_catalogue->isOpen())
        m_factsMatchDatabase = m_catalogue->stamp() == stampOf(m_games.databaseFile());
    if (const std::optional<QString> damage = job->storeDamage())
        renewCatalogue(*damage);
    // List and Audit learn MAME's folders anew (what was known of the MAME
    // before goes while they find out which one it is): whoever waits for
    // them hears of it.
    if ((m_command == Command::List || m_command == Command::Audit) && m_mame.snapshotFolders())
        emit snapshotFoldersLearnt();
    if (m_command == Command::List && outcome.ok())
        m_games.categoriesChanged(); // the List read them anew
    if (m_command == Command::Play && static_cast<const PlayJob&>(*job).played())
        countPlay();
    if (m_running)
        emit busyChanged(m_command, false);
    emit commandFinished(m_command, outcome);
}
