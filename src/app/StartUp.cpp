#include "app/StartUp.h"

#include "frontend/FrontEnd.h"
#include "launch/TempListingFolder.h"
#include "settings/SettingsFile.h"
#include "text/TextFile.h"
#include "ui/ExecutableChooser.h"
#include "ui/MainWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kLoad = QStringLiteral("Load");

// The settings as the file holds them, or the defaults when there is none.
Outcome<Settings> readSettings(const QString& file) {
    if (!fileExists(file))
        return Settings{};
    const Outcome<SettingsTable> table = readSettingsFile(file);
    if (!table.ok())
        return table.why();
    return settingsFromTable(table.value());
}

} // namespace

bool startUp(MainWindow& window, FrontEnd& frontEnd, DialogSeam& seam, const QString& programName) {
    bool databaseStage = false;
    const auto fail = [&] {
        seam.showMessage(&window,
                         databaseStage ? QStringLiteral("Load failed, database reset.")
                                       : QStringLiteral("Load failed, options reset."),
                         kLoad, DialogSeam::Icon::Error);
        QFile::remove(databaseStage ? frontEnd.games().databaseFile() : frontEnd.settingsFile());
        return false;
    };

    frontEnd.setProgramName(programName);
    // Listing folders of front ends that were killed are of no use to anyone.
    removeStaleListingFolders();

    const bool firstStart = !fileExists(frontEnd.settingsFile());
    const Outcome<Settings> settings = readSettings(frontEnd.settingsFile());
    if (!settings.ok())
        return fail();
    frontEnd.configure(settings.value());
    if (!window.restoreSettings())
        return fail();

    // A first start looks for MAME where the shell would find it.
    QString dialogFolder = QDir::currentPath();
    if (firstStart) {
        window.centre();
        const QString onPath = QStandardPaths::findExecutable(QStringLiteral("mame"));
        if (!onPath.isEmpty())
            dialogFolder = QFileInfo(onPath).absolutePath();
    }
    if (!fileExists(frontEnd.mame().executable())) {
        const std::optional<QString> chosen =
            chooseMameExecutable(&window, seam, dialogFolder, kLoad);
        if (!chosen) {
            seam.showMessage(&window, QStringLiteral("Load failed, executable required."), kLoad,
                             DialogSeam::Icon::Error);
            return false;
        }
        frontEnd.setMameExecutable(*chosen);
    }

    if (frontEnd.hasDatabaseFile()) {
        // Choices that hide games need the store before the list is shown;
        // otherwise it is read after the first paint.
        if (!frontEnd.savedShowChoices().hideNothing())
            window.loadCatalogue();
        databaseStage = true;
        if (!frontEnd.loadDatabase().ok())
            return fail();
    }
    return true;
}

void shutDown(MainWindow& window, FrontEnd& frontEnd, DialogSeam& seam) {
    const Outcome<Done> saved = frontEnd.saveSettings(window.windowSettings());
    if (!saved.ok())
        seam.showMessage(&window,
                         QStringLiteral("The settings could not be saved to ") +
                             frontEnd.settingsFile() + QStringLiteral(": ") + saved.failure(),
                         QStringLiteral("Quit"), DialogSeam::Icon::Error);
}
