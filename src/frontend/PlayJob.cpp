#include "frontend/PlayJob.h"

PlayJob::PlayJob(MameRunner& runner, MameSetup& mame, QString setName,
                 std::optional<QString> options)
    : MameJob(runner, mame), m_setName(std::move(setName)), m_options(std::move(options)) {}

void PlayJob::start() {
    const std::optional<QString> line =
        playCommand(mame().playCommandPrefix(), m_setName, m_options);
    if (!line)
        return finish(Failure{
            QStringLiteral("The name \"") + m_setName +
            QStringLiteral("\" in the database is not a MAME set or driver name, so nothing was "
                           "started. Build the database again with List.")});
    MameRunRequest request;
    // The shell becomes MAME, which so leads the process group and ends with
    // the front end; the user's redirections still apply to it.
    std::tie(request.program, request.arguments) = shellInvocation(QStringLiteral("exec ") + *line);
    request.ownChannels = true;
    run(request, &PlayJob::onEnded);
}

void PlayJob::onEnded(const RunResult&) {
    // Whatever way MAME ended, the window comes back.
    finish(JobReport{});
}
