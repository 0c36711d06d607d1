// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/InfoJob.h"

#include "launch/MameIniPath.h"

#include <QDir>

InfoJob::InfoJob(MameRunner& runner, MameSetup& mame, QString setName, QString text,
                 QString factLines)
    : MameJob(runner, mame), m_setName(std::move(setName)), m_text(text + factLines),
      m_factLines(std::move(factLines)) {}

void InfoJob::start() {
    if (m_factLines.isEmpty())
        return finish(JobReport{m_text});
    if (mame().snapshotFolders())
        return finishWithPicture();
    askConfiguration(QStringLiteral("Asking MAME where its snapshots are\u2026"),
                     &InfoJob::onConfigurationShown);
}

void InfoJob::onConfigurationShown(const RunResult& result) {
    if (result.end == RunEnd::Cancelled)
        return finish(Failure::Cancelled());
    if (result.end != RunEnd::Finished || !mame().snapshotFolders())
        return finish(JobReport{m_text, m_factLines});
    finishWithPicture();
}

void InfoJob::finishWithPicture() {
    const std::optional<QString> picture = findSnapshot(*mame().snapshotFolders(), m_setName);
    finish(JobReport{m_text, m_factLines, picture.value_or(QString())});
}
