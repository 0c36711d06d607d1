// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/PlayJob.h"

#include "launch/PlayFailure.h"
#include "launch/ShellCommand.h"

PlayJob::PlayJob(MameRunner& runner, MameSetup& mame, QString setName, QString description,
                 std::optional<QString> options, std::chrono::milliseconds playedAfter)
    : MameJob(runner, mame), m_setName(std::move(setName)), m_description(std::move(description)),
      m_options(std::move(options)), m_playedAfter(playedAfter) {}

void PlayJob::start() {
    const std::optional<QString> line =
        playCommand(mame().playCommandPrefix(), m_setName, m_options);
    if (!line)
        return finish(Failure{tr("The name \"%1\" in the database is not a MAME set or driver "
                                 "name, so nothing was started. Build the database again with "
                                 "List.")
                                  .arg(m_setName)});
    MameRunRequest request;
    // The shell becomes MAME, which so leads the process group and ends with
    // the front end; the user's redirections still apply to it.
    std::tie(request.program, request.arguments) = shellInvocation(QStringLiteral("exec ") + *line);
    request.ownChannels = true;
    run(request, &PlayJob::onEnded);
    m_sinceStart.start();
}

void PlayJob::onEnded(const RunResult& result) {
    m_played = (result.end == RunEnd::Finished && result.exitCode == 0) ||
               (result.end != RunEnd::FailedToStart &&
                std::chrono::milliseconds(m_sinceStart.elapsed()) >= m_playedAfter);
    if (!dependsOnGeneration(result) || mame().generation())
        return finishWith(result, mame().generation());
    // Which MAME this is shows in the first line of its game listing.
    m_ended = result;
    run(mameRequest(listFullArguments()), &PlayJob::onGenerationProbed);
    watchListingHeader(true);
}

void PlayJob::onGenerationProbed(const RunResult&) {
    if (headerGeneration())
        mame().setGeneration(*headerGeneration());
    finishWith(m_ended, headerGeneration());
}

void PlayJob::finishWith(const RunResult& ended, std::optional<MameGeneration> generation) {
    // Whatever way MAME ended, the window comes back; a bad end says why.
    const std::optional<QString> failure =
        playFailureText(ended, generation, m_description, m_setName);
    if (failure)
        return finish(Failure{*failure});
    finish(Played{});
}
