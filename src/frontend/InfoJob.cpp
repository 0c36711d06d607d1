// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/InfoJob.h"

#include "launch/MameIniPath.h"

#include <QDir>

InfoJob::InfoJob(MameRunner& runner, MameSetup& mame, QString setName, GameInfo info)
    : MameJob(runner, mame), m_setName(std::move(setName)), m_info(std::move(info)) {}

void InfoJob::start() {
    if (!m_info.withFacts)
        return finish(m_info);
    if (mame().snapshotFolders())
        return finishWithPicture();
    askConfiguration(QStringLiteral("Asking MAME where its snapshots are\u2026"),
                     &InfoJob::onConfigurationShown);
}

void InfoJob::onConfigurationShown(const RunResult& result) {
    if (result.end == RunEnd::Cancelled)
        return finish(Failure::Cancelled());
    if (result.end != RunEnd::Finished || !mame().snapshotFolders())
        return finish(m_info);
    finishWithPicture();
}

void InfoJob::finishWithPicture() {
    m_info.picture = findSnapshot(*mame().snapshotFolders(), m_setName).value_or(QString());
    finish(m_info);
}
