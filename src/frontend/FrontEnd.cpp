#include "frontend/FrontEnd.h"

#include "frontend/AuditJob.h"
#include "frontend/ListJob.h"
#include "frontend/PlayJob.h"
#include "settings/SettingsFile.h"
#include "text/TextFile.h"

#include <QFileInfo>

FrontEnd::FrontEnd(MameRunner& runner, QObject* parent) : QObject(parent), m_runner(runner) {}

FrontEnd::~FrontEnd() {
    if (m_job)
        m_job->abandon();
}

void FrontEnd::setProgramName(const QString& programName) {
    const QString base = QFileInfo(programName).completeBaseName().toLower();
    m_settingsFile = base + QStringLiteral(".ini");
    m_auditReportFile = base + QStringLiteral("-audit.txt");
    m_games.setDatabaseFile(base + QStringLiteral(".dat"));
}

void FrontEnd::configure(const Settings& settings) {
    m_settings = settings;
    m_mame.setExecutable(settings.mameExecutable);
}

bool FrontEnd::hasDatabaseFile() const {
    return fileExists(m_games.databaseFile());
}

Outcome<Done> FrontEnd::loadDatabase() {
    return m_games.load(m_settings.driverFilter, m_settings.lastGame);
}

Outcome<Done> FrontEnd::saveSettings(const WindowSettings& window) {
    m_settings.window = window;
    m_settings.lastGame = m_games.selectedRow();
    m_settings.mameExecutable = m_mame.executable();
    m_settings.driverFilter = m_games.driverFilter();
    return writeSettingsFile(m_settingsFile, tableFromSettings(m_settings));
}

void FrontEnd::list() {
    if (!busy())
        begin(Command::List,
              std::make_unique<ListJob>(m_runner, m_mame, m_games, m_settings.caseInsensitive));
}

void FrontEnd::audit() {
    if (!busy())
        begin(Command::Audit,
              std::make_unique<AuditJob>(m_runner, m_mame, m_games, m_auditReportFile));
}

void FrontEnd::play(const std::optional<QString>& options) {
    const GameRecord* game = m_games.selectedGame();
    if (busy() || !game)
        return;
    if (options)
        m_settings.playOptions = *options;
    begin(Command::Play,
          std::make_unique<PlayJob>(m_runner, m_mame, game->name, game->description, options));
}

void FrontEnd::editIni(IniFile file) {
    if (busy())
        return;
    if (file == IniFile::Mame)
        return begin(Command::MameIni, std::make_unique<IniFileJob>(m_runner, m_mame, file, ""));
    const GameRecord* game = m_games.selectedGame();
    if (!game)
        return;
    switch (file) {
    case IniFile::Driver:
        return begin(Command::DriverIni,
                     std::make_unique<IniFileJob>(m_runner, m_mame, file, game->driver));
    case IniFile::Parent:
        return begin(Command::ParentIni,
                     std::make_unique<IniFileJob>(m_runner, m_mame, file, game->parent));
    default:
        return begin(Command::SetIni,
                     std::make_unique<IniFileJob>(m_runner, m_mame, file, game->name));
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
    connect(m_job.get(), &MameJob::running, this, [this] {
        m_running = true;
        emit busyChanged(m_command, true);
    });
    connect(m_job.get(), &MameJob::progressChanged, this, &FrontEnd::progressChanged);
    connect(m_job.get(), &MameJob::finished, this, &FrontEnd::onJobFinished);
    // The job may finish within start(): m_job is not touched after it.
    m_job->start();
}

void FrontEnd::onJobFinished(const Outcome<JobReport>& outcome) {
    // The job is still emitting: let it go once it has returned.
    m_job.release()->deleteLater();
    if (m_running)
        emit busyChanged(m_command, false);
    emit commandFinished(m_command, outcome);
}
