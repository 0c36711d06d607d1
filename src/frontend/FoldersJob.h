// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "frontend/MameJob.h"

// Learns where a current MAME keeps its files (-showconfig, see
// MameSetup::learnConfiguration) in the background, for the details pane's
// snapshots: it shows no progress, makes the front end no busier and tells
// the user nothing; a run that fails leaves the folders unknown. Finishes at
// once when they are known already.
class FoldersJob : public MameJob {
    Q_OBJECT

  public:
    using MameJob::MameJob;

    void start() override;

  private:
    void onConfigurationShown(const RunResult& result);
};
