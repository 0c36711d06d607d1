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
std::optional<QString> ChooseExecutable(frmMain& form, DialogSeam& seam, const QString& folder) {
    for (;;) {
        const std::optional<QString> chosen = seam.ChooseFile(
            &form, QStringLiteral("Select MAME executable"), ExecutableFileFilter(), folder);
        if (!chosen) {
            seam.ShowMessage(&form, QStringLiteral("Load failed, executable required."), kLoad,
                             DialogSeam::Icon::Error);
            return std::nullopt;
        }
        const QFileInfo file(*chosen);
        if (!file.isFile() || !file.isExecutable()) {
            seam.ShowMessage(&form,
                             QDir::toNativeSeparators(*chosen) +
                                 QStringLiteral(" is not an executable file."),
                             kLoad, DialogSeam::Icon::Error);
            continue;
        }
        if (QFileInfo(file.absolutePath()).canonicalFilePath() == QDir::current().canonicalPath())
            return file.fileName();
        return file.absoluteFilePath();
    }
}

} // namespace

bool FileExists(const QString& name) {
    return !name.isEmpty() && QFileInfo(name).isFile();
}

bool LoadFrontEnd(frmMain& form, FrontEnd& frontEnd, DialogSeam& seam, const QString& programName) {
    bool databaseStage = false;
    const auto fail = [&] {
        const FrontEndState& state = frontEnd.state();
        seam.ShowMessage(&form,
                         databaseStage ? QStringLiteral("Load failed, database reset.")
                                       : QStringLiteral("Load failed, options reset."),
                         kLoad, DialogSeam::Icon::Error);
        QFile::remove(databaseStage ? state.strDatFile : state.strIniFile);
        return false;
    };

    frontEnd.SetProgramName(programName);
    // Listing folders of front ends that were killed are of no use to anyone.
    RemoveStaleListingFolders();

    FrontEndSettings settings;
    const QString& iniFile = frontEnd.state().strIniFile;
    // A first start looks for MAME where the shell would find it.
    QString dialogFolder = QDir::currentPath();
    if (FileExists(iniFile)) {
        const std::optional<SettingsTable> table = ReadSettingsFile(iniFile);
        if (!table)
            return fail();
        const std::optional<FrontEndSettings> read = SettingsFromTable(*table);
        if (!read || !form.ApplyWindowSettings(*read))
            return fail();
        settings = *read;
        frontEnd.SetOptions(settings.commandLineOptions);
        frontEnd.SetFilter(settings.filter);
        frontEnd.SetSwitches(settings.hideConsole, settings.noShortcuts, settings.caseInsensitive);
        if (settings.noShortcuts)
            form.ApplyPlainCaptions();
    } else {
        form.CentreForm();
        const QString onPath = QStandardPaths::findExecutable(QStringLiteral("mame"));
        if (!onPath.isEmpty())
            dialogFolder = QFileInfo(onPath).absolutePath();
    }

    QString exe = settings.mameExe;
    if (!FileExists(exe)) {
        const std::optional<QString> chosen = ChooseExecutable(form, seam, dialogFolder);
        if (!chosen)
            return false;
        exe = *chosen;
    }
    frontEnd.SetMameExe(exe);

    if (FileExists(frontEnd.state().strDatFile)) {
        databaseStage = true;
        if (!frontEnd.LoadDatabase(settings.lastGame).ok())
            return fail();
    } else {
        form.DisableGameCommands();
    }
    return true;
}

void UnloadFrontEnd(const frmMain& form, const FrontEnd& frontEnd, DialogSeam& seam) {
    const FrontEndState& state = frontEnd.state();
    FrontEndSettings settings;
    form.StoreWindowSettings(settings);
    settings.lastGame = state.intSelected;
    settings.mameExe = state.strMameExe;
    settings.commandLineOptions = state.strOptions;
    settings.filter = state.strFilter;
    settings.hideConsole = state.blnHideConsole;
    settings.noShortcuts = state.blnNoShortcuts;
    settings.caseInsensitive = state.blnCaseInsensitive;

    const QString error = WriteSettingsFile(state.strIniFile, TableFromSettings(settings));
    if (!error.isEmpty())
        seam.ShowMessage(const_cast<frmMain*>(&form),
                         QStringLiteral("The settings could not be saved to ") + state.strIniFile +
                             QStringLiteral(": ") + error,
                         QStringLiteral("Quit"), DialogSeam::Icon::Error);
}
