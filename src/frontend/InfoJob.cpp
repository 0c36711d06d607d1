// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/InfoJob.h"

#include "launch/ArtworkLookup.h"
#include "launch/MameIniPath.h"
#include "launch/SupportFolders.h"

#include <QDir>

InfoJob::InfoJob(MameRunner& runner, MameSetup& mame, QString setName, QString parent,
                 GameInfo info)
    : MameJob(runner, mame), m_setName(std::move(setName)), m_parent(std::move(parent)),
      m_info(std::move(info)) {}

void InfoJob::start() {
    if (!m_info.withFacts)
        return finish(m_info);
    if (mame().snapshotFolders())
        return finishWithPicture();
    askConfiguration(tr("Asking MAME where its snapshots are\u2026"),
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
    if (!mame().iniFolders())
        return finish(m_info);
    const SupportFolders folders = readSupportFolders(
        *mame().iniFolders(), *mame().snapshotFolders(), QDir::homePath(), QDir::currentPath());
    inWorker(
        [this, folders] {
            for (const FoundArtwork& found : findGameArtwork(folders, m_setName, m_parent))
                m_info.artwork.append({artKindCaption(found.kind), found.where.file,
                                       found.where.member, found.kind == ArtKind::Snapshot});
        },
        &InfoJob::onArtworkFound);
}

void InfoJob::onArtworkFound() {
    finish(m_info);
}
