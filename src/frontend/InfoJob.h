// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "frontend/MameJob.h"

// Info: the selected game's information, and with it the snapshot MAME took
// of the game, when the game has a current MAME's facts and MAME's snapshot
// folder holds one. Where the snapshots are is asked of MAME (-showconfig)
// once per executable; a run that fails only leaves the picture out.
class InfoJob : public MameJob {
    Q_OBJECT

  public:
    // `info` is the game's information (see gameInfo()).
    InfoJob(MameRunner& runner, MameSetup& mame, QString setName, GameInfo info);

    void start() override;

  private:
    void onConfigurationShown(const RunResult& result);
    void finishWithPicture();

    const QString m_setName;
    GameInfo m_info;
};
