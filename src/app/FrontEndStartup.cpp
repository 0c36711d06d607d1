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

namespace {

const QString kLoad = QStringLiteral("Load");

// Asks for the MAME executable until one in the working folder is chosen.
// Returns nothing when the dialog is cancelled.
std::optional<QString> ChooseExecutable(frmMain& form, DialogSeam& seam) {
    QString exe;
    while (exe.isEmpty()) {
        const std::optional<QString> chosen =
            seam.ChooseFile(&form, QStringLiteral("Select MAME executable"), ExecutableFileFilter(),
                            QDir::currentPath());
        if (!chosen) {
            seam.ShowMessage(&form, QStringLiteral("Load failed, executable required."), kLoad,
                             DialogSeam::Icon::Error);
            return std::nullopt;
        }
        const QString bareName = QFileInfo(*chosen).fileName();
        exe = FileExists(bareName) ? bareName : QString();
    }
    return exe;
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
    }

    QString exe = settings.mameExe;
    if (!FileExists(exe)) {
        const std::optional<QString> chosen = ChooseExecutable(form, seam);
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
