// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/IniFileJob.h"

#include "launch/ConfigFiles.h"
#include "launch/MameIniPath.h"
#include "text/SystemPath.h"

#include <QCoreApplication>
#include <QDir>

IniFileJob::IniFileJob(MameRunner& runner, MameSetup& mame, IniFile file, QString name)
    : MameJob(runner, mame), m_file(file), m_name(std::move(name)) {}

// Step 1: which MAME this is shows in the first line of its game listing.
void IniFileJob::start() {
    if (mame().generation())
        return findFolder();
    run(mameRequest(listFullArguments()), &IniFileJob::onGenerationProbed);
    watchListingHeader(true);
    reportProgress(tr("Asking MAME which MAME it is\u2026"), 0, 0);
}

void IniFileJob::onGenerationProbed(const RunResult&) {
    if (cancelled())
        return finish(Failure::Cancelled());
    mame().setGeneration(headerGeneration().value_or(MameGeneration::Old));
    findFolder();
}

// Step 2: the folder of the ini files; a current MAME names it in its
// configuration.
void IniFileJob::findFolder() {
    if (mame().generation() == MameGeneration::Old)
        return openInFolder(QStringLiteral("ini"));
    if (const std::optional<QString> folder = mame().iniFolder())
        return openInFolder(*folder);
    askConfiguration(tr("Asking MAME where its ini files are\u2026"),
                     &IniFileJob::onConfigurationShown);
}

void IniFileJob::onConfigurationShown(const RunResult& result) {
    if (result.end == RunEnd::Cancelled)
        return finish(Failure::Cancelled());
    if (result.end == RunEnd::OutputNotWritten)
        return finish(
            Failure{QCoreApplication::translate(
                        "IniFileJob", "MAME's configuration (-showconfig) could not be read: %1.")
                        .arg(result.detail)});
    const std::optional<QString> folder = mame().iniFolder();
    if (!folder)
        return finish(Failure{QStringLiteral(
            "MAME's configuration (-showconfig) names no folder for its ini files.")});
    openInFolder(*folder);
}

// Step 3: the file itself, made when it is missing.
void IniFileJob::openInFolder(const QString& folder) {
    const bool current = mame().generation() == MameGeneration::Current;
    if (m_file != IniFile::Mame) {
        // A current MAME keeps the drivers' files in a folder of their own.
        const bool driverFolder = m_file == IniFile::Driver && current;
        const Outcome<QString> path = prepareIniFile(
            driverFolder ? QDir(folder).filePath(QStringLiteral("source")) : folder, m_name);
        if (!path.ok())
            return finish(path.why());
        return finish(IniFileReady{path.value()});
    }
    m_path = current ? QDir(folder).filePath(QStringLiteral("mame.ini")) : mame().oldIniFile();
    if (current && !makeFolders(folder).ok())
        return finish(
            Failure{tr("The folder %1 could not be made.").arg(QDir::toNativeSeparators(folder))});
    if (mameIniExists(m_path))
        return finish(IniFileReady{m_path});
    // MAME writes its ini into the folder it runs in.
    MameRunRequest request = mameRequest(createConfigArguments());
    if (current)
        request.workingFolder = folder;
    run(request, &IniFileJob::onConfigurationCreated);
    reportProgress(tr("Creating MAME's configuration\u2026"), 0, 0);
}

void IniFileJob::onConfigurationCreated(const RunResult& result) {
    // The editor opens whatever MAME made of it, unless the user stopped it.
    if (result.end == RunEnd::Cancelled)
        return finish(Failure::Cancelled());
    finish(IniFileReady{m_path});
}
