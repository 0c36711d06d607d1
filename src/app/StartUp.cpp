// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/StartUp.h"

#include "frontend/FrontEnd.h"
#include "launch/MameLocation.h"
#include "launch/TempListingFolder.h"
#include "settings/SettingsFile.h"
#include "text/TextFile.h"
#include "ui/ExecutableChooser.h"
#include "ui/MainWindow.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace {

const char* const kLoad = QT_TRANSLATE_NOOP("StartUp", "Load");

// The settings as the file holds them, or the defaults when there is none.
Outcome<Settings> readSettings(const QString& file) {
    if (!fileExists(file))
        return Settings{};
    return readSettingsFile(file);
}

} // namespace

bool startUp(MainWindow& window, FrontEnd& frontEnd, DialogSeam& seam, const QString& programName) {
    const QDateTime started = QDateTime::currentDateTime();
    bool databaseStage = false;
    const QString load = QCoreApplication::translate("StartUp", kLoad);
    // The file that failed goes aside, never away: the user may want it back.
    const auto fail = [&] {
        const QString file =
            databaseStage ? frontEnd.games().databaseFile() : frontEnd.settingsFile();
        const Outcome<QString> aside = moveAside(file, started);
        const QString where =
            aside.ok()
                ? QCoreApplication::translate("StartUp", "The old file was moved to %1.")
                      .arg(QDir::toNativeSeparators(QFileInfo(aside.value()).absoluteFilePath()))
                : QCoreApplication::translate(
                      "StartUp", "The old file %1 could not be moved aside (%2); it was left as "
                                 "it is.")
                      .arg(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()),
                           aside.failure());
        seam.showMessage(
            &window,
            (databaseStage
                 ? QCoreApplication::translate("StartUp", "Load failed, database reset.")
                 : QCoreApplication::translate("StartUp", "Load failed, options reset.")) +
                u'\n' + where,
            load, DialogSeam::Icon::Error);
        return false;
    };

    frontEnd.setProgramName(programName);
    // What front ends that were killed left behind is of no use to anyone:
    // their listing folders and the partial files of their writes.
    removeStaleListingFolders();
    removeLeftoverWriteFiles(frontEnd.settingsFile(), started);
    removeLeftoverWriteFiles(frontEnd.games().databaseFile(), started);
    removeLeftoverWriteFiles(frontEnd.auditReportFile(), started);

    const bool firstStart = !fileExists(frontEnd.settingsFile());
    const Outcome<Settings> settings = readSettings(frontEnd.settingsFile());
    if (!settings.ok())
        return fail();
    frontEnd.configure(settings.value());
    if (!window.restoreSettings())
        return fail();

    // A first start offers the MAME found where the shell would find it or
    // where MAME is usually installed.
    QString dialogStart = QDir::currentPath();
    if (firstStart) {
        window.centre();
        if (const QString found = findMame(); !found.isEmpty())
            dialogStart = found;
    }
    if (!fileExists(frontEnd.mame().executable())) {
        const std::optional<QString> chosen =
            chooseMameExecutable(&window, seam, dialogStart, load);
        if (!chosen) {
            seam.showMessage(
                &window,
                QCoreApplication::translate("StartUp", "Load failed, executable required."), load,
                DialogSeam::Icon::Error);
            return false;
        }
        frontEnd.setMameExecutable(*chosen);
    }

    if (frontEnd.hasDatabaseFile()) {
        // Choices that hide games need the catalogue before the list is shown;
        // otherwise it is read after the first paint.
        if (!frontEnd.savedShowChoices().hideNothing())
            window.loadCatalogue();
        databaseStage = true;
        if (!frontEnd.loadDatabase().ok())
            return fail();
    }
    return true;
}

void shutDownOnSignal(MainWindow& window, FrontEnd& frontEnd) {
    window.close(); // saves the settings, as Quit does
    // The window is closed for good: the command's end must not bring it back.
    QObject::disconnect(&frontEnd, nullptr, &window, nullptr);
    if (!frontEnd.busy())
        return QCoreApplication::quit();
    QObject::connect(&frontEnd, &FrontEnd::commandFinished, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    frontEnd.cancel();
}

void shutDown(MainWindow& window, FrontEnd& frontEnd, DialogSeam& seam) {
    const Outcome<Done> saved = frontEnd.saveSettings(window.windowSettings());
    if (!saved.ok())
        seam.showMessage(
            &window,
            QCoreApplication::translate("StartUp", "The settings could not be saved to %1: %2")
                .arg(frontEnd.settingsFile(), saved.failure()),
            QCoreApplication::translate("StartUp", "Quit"), DialogSeam::Icon::Error);
}
