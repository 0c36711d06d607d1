// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "frontend/MameJob.h"

// Info: the selected game's information, and with it the snapshot MAME took
// of the game, when the game has a current MAME's facts and MAME's snapshot
// folder holds one. Where the snapshots are is asked of MAME (-showconfig)
// once per executable; a run that fails only leaves the picture out. The
// report's text is the information, its details the lines that the facts
// added to it (none without facts), its picture the snapshot's path.
class InfoJob : public MameJob {
    Q_OBJECT

  public:
    // `text` is the game's information, `factLines` what its facts add to it.
    InfoJob(MameRunner& runner, MameSetup& mame, QString setName, QString text, QString factLines);

    void start() override;

  private:
    void onConfigurationShown(const RunResult& result);
    void finishWithPicture();

    const QString m_setName;
    const QString m_text;
    const QString m_factLines;
};
