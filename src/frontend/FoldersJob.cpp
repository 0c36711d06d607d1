// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/FoldersJob.h"

void FoldersJob::start() {
    if (mame().snapshotFolders())
        return finish(FoldersAsked{});
    askConfiguration(QString(), &FoldersJob::onConfigurationShown);
}

void FoldersJob::onConfigurationShown(const RunResult&) {
    finish(FoldersAsked{});
}
