// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "frontend/MameJob.h"

#include <QElapsedTimer>
#include <chrono>
#include <optional>

// Play: runs MAME with one game, and the user's options when given, through
// the command shell (the options are the user's own shell words). MAME's
// output reaches the front end's own channels, and its last lines are kept.
// Ends when MAME does: well with status 0, else failed with what the "Play"
// box says (why, then MAME's last lines). When the words depend on which MAME
// this is and that is not known yet, MAME's game listing is asked first.
//
// The game counts as played when MAME ended with status 0 or ran for at
// least `playedAfter`: a run that MAME refuses at once (missing ROM files, a
// bad option) is no play.
class PlayJob : public MameJob {
    Q_OBJECT

  public:
    PlayJob(MameRunner& runner, MameSetup& mame, QString setName, QString description,
            std::optional<QString> options, std::chrono::milliseconds playedAfter);

    void start() override;
    // Once the job has finished: whether the game was played.
    bool played() const { return m_played; }

  private:
    void onEnded(const RunResult& result);
    void onGenerationProbed(const RunResult& result);
    void finishWith(const RunResult& ended, std::optional<MameGeneration> generation);

    const QString m_setName;
    const QString m_description;
    const std::optional<QString> m_options;
    const std::chrono::milliseconds m_playedAfter;
    QElapsedTimer m_sinceStart;
    bool m_played = false;
    RunResult m_ended;
};
