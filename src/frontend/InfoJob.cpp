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
    run(mameRequest(showConfigArguments()), &InfoJob::onConfigurationShown);
    connect(&currentRun(), &MameRun::outputArrived, this,
            [this](const QByteArray& chunk) { m_configuration += chunk; });
    reportProgress(QStringLiteral("Asking MAME where its snapshots are\u2026"), 0, 0);
}

void InfoJob::onConfigurationShown(const RunResult& result) {
    if (result.end == RunEnd::Cancelled)
        return finish(Failure::Cancelled());
    if (result.end != RunEnd::Finished)
        return finish(JobReport{m_text, m_factLines});
    const QString configuration = QString::fromLocal8Bit(m_configuration);
    mame().setSnapshotFolders(
        snapshotFolders(configuration, QDir::homePath(), QDir::currentPath()));
    if (!mame().iniFolder()) {
        if (const std::optional<QString> folder = firstIniFolder(configuration, QDir::homePath()))
            mame().setIniFolder(QDir::cleanPath(*folder));
    }
    finishWithPicture();
}

void InfoJob::finishWithPicture() {
    const std::optional<QString> picture = findSnapshot(*mame().snapshotFolders(), m_setName);
    finish(JobReport{m_text, m_factLines, picture.value_or(QString())});
}
