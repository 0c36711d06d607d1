// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "frontend/MameJob.h"

// Info: the selected game's information, and with it the snapshot MAME took
// of the game, when the game has a current MAME's facts and MAME's snapshot
// folder holds one. Where the snapshots are is asked of MAME (-showconfig)
// once per executable; a run that fails only leaves the picture out. With the
// folders known, the artwork that MAME's ui.ini points at is looked up too
// (snapshot, title, flyer, cabinet, marquee, PCB, control panel), on a worker
// thread, for the set and else its parent.
class InfoJob : public MameJob {
    Q_OBJECT

  public:
    // `info` is the game's information (see gameInfo()).
    InfoJob(MameRunner& runner, MameSetup& mame, QString setName, QString parent, GameInfo info);

    void start() override;

  private:
    void onConfigurationShown(const RunResult& result);
    void finishWithPicture();
    void onArtworkFound();

    const QString m_setName;
    const QString m_parent;
    GameInfo m_info;
};
