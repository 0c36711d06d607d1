#include "app/FrontEndStartup.h"

#include "frontend/FrontEnd.h"
#include "launch/Platform.h"
#include "launch/TempListingFolder.h"
#include "settings/FrontEndSettings.h"
#include "settings/SettingsFile.h"
#include "ui/frmMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kLoad = QStringLiteral("Load");

// Asks for the MAME executable until an executable file is chosen: one in
// the working folder is kept by its bare name, one elsewhere by its absolute
// path. Returns nothing when the dialog is cancelled.
std::optional<QString> chooseExecutable(frmMain& form, DialogSeam& seam, const QString& folder) {
    for (;;) {
        const std::optional<QString> chosen = seam.chooseFile(
            &form, QStringLiteral("Select MAME executable"), executableFileFilter(), folder);
        if (!chosen) {
            seam.showMessage(&form, QStringLiteral("Load failed, executable required."), kLoad,
                             DialogSeam::Icon::usageError);
            return std::nullopt;
        }
        const QFileInfo file(*chosen);
        if (!file.isFile() || !file.isExecutable()) {
            seam.showMessage(&form,
                             QDir::toNativeSeparators(*chosen) +
                                 QStringLiteral(" is not an executable file."),
                             kLoad, DialogSeam::Icon::usageError);
            continue;
        }
        if (QFileInfo(file.absolutePath()).canonicalFilePath() == QDir::current().canonicalPath())
            return file.fileName();
        return file.absoluteFilePath();
    }
}

} // namespace

bool fileExists(const QString& name) {
    return !name.isEmpty() && QFileInfo(name).isFile();
}

bool loadFrontEnd(frmMain& form, FrontEnd& frontEnd, DialogSeam& seam, const QString& programName) {
    bool databaseStage = false;
    const auto fail = [&] {
        const FrontEndState& state = frontEnd.state();
        seam.showMessage(&form,
                         databaseStage ? QStringLiteral("Load failed, database reset.")
                                       : QStringLiteral("Load failed, options reset."),
                         kLoad, DialogSeam::Icon::usageError);
        QFile::remove(databaseStage ? state.databaseFile : state.settingsFile);
        return false;
    };

    frontEnd.setProgramName(programName);
    // Listing folders of front ends that were killed are of no use to anyone.
    removeStaleListingFolders();

    FrontEndSettings settings;
    const QString& iniFile = frontEnd.state().settingsFile;
    // A first start looks for MAME where the shell would find it.
    QString dialogFolder = QDir::currentPath();
    if (fileExists(iniFile)) {
        const std::optional<SettingsTable> table = readSettingsFile(iniFile);
        if (!table)
            return fail();
        const std::optional<FrontEndSettings> read = settingsFromTable(*table);
        if (!read || !form.applyWindowSettings(*read))
            return fail();
        settings = *read;
        frontEnd.setOptions(settings.commandLineOptions);
        frontEnd.setFilter(settings.filter);
        frontEnd.setSwitches(settings.hideConsole, settings.noShortcuts, settings.caseInsensitive);
        if (settings.noShortcuts)
            form.applyPlainCaptions();
    } else {
        form.centreForm();
        const QString onPath = QStandardPaths::findExecutable(QStringLiteral("mame"));
        if (!onPath.isEmpty())
            dialogFolder = QFileInfo(onPath).absolutePath();
    }

    QString exe = settings.mameExe;
    if (!fileExists(exe)) {
        const std::optional<QString> chosen = chooseExecutable(form, seam, dialogFolder);
        if (!chosen)
            return false;
        exe = *chosen;
    }
    frontEnd.setMameExe(exe);

    if (fileExists(frontEnd.state().databaseFile)) {
        databaseStage = true;
        if (!frontEnd.loadDatabase(settings.lastGame).ok())
            return fail();
    } else {
        form.disableGameCommands();
    }
    return true;
}

void unloadFrontEnd(const frmMain& form, const FrontEnd& frontEnd, DialogSeam& seam) {
    const FrontEndState& state = frontEnd.state();
    FrontEndSettings settings;
    form.storeWindowSettings(settings);
    settings.lastGame = state.selectedRow;
    settings.mameExe = state.mameExecutable;
    settings.commandLineOptions = state.playOptions;
    settings.filter = state.driverFilter;
    settings.hideConsole = state.hideConsole;
    settings.noShortcuts = state.noShortcuts;
    settings.caseInsensitive = state.caseInsensitive;

    const QString error = writeSettingsFile(state.settingsFile, tableFromSettings(settings));
    if (!error.isEmpty())
        seam.showMessage(const_cast<frmMain*>(&form),
                         QStringLiteral("The settings could not be saved to ") +
                             state.settingsFile + QStringLiteral(": ") + error,
                         QStringLiteral("Quit"), DialogSeam::Icon::usageError);
}
