#pragma once

#include "frontend/MameJob.h"

#include <optional>

// Play: runs MAME with one game, and the user's options when given, through
// the command shell (the options are the user's own shell words), with
// MAME's output on the front end's own. Ends when MAME does, however it ends.
class PlayJob : public MameJob {
    Q_OBJECT

  public:
    PlayJob(MameRunner& runner, MameSetup& mame, QString setName, std::optional<QString> options);

    void start() override;

  private:
    void onEnded(const RunResult& result);

    const QString m_setName;
    const std::optional<QString> m_options;
};
