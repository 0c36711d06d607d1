// Playing the selected game, and opening MAME's ini files.
#include "launch/ConfigFiles.h"
#include "launch/MameCommands.h"
#include "ui/frmMain.h"

#include <QPushButton>

namespace {

const QString kPlayPrompt = QStringLiteral(
    "Enter additional command line options. Specifying an invalid option will cause MAME to exit "
    "prematurely.\r\n\r\neg. -window");

QString RefusedName(const QString& name) {
    return QStringLiteral("The name \"") + name +
           QStringLiteral("\" in the database is not a MAME set or driver name, so nothing was "
                          "started. Build the database again with List.");
}

} // namespace

void frmMain::cmdPlay_Click() {
    PlayGame(std::nullopt);
}

void frmMain::mnuListPlay_Click() {
    const std::optional<QString> answer =
        seam_.AskText(this, kPlayPrompt, QStringLiteral("Play..."), strOptions);
    if (!answer)
        return;
    strOptions = *answer;
    PlayGame(strOptions);
}

void frmMain::PlayGame(const std::optional<QString>& options) {
    const int index = SelectedIndex();
    if (index < 0)
        return; // no game selected (the list may be empty): nothing to play
    const QString& name = udtShown[static_cast<size_t>(index)].strName;
    const std::optional<QString> line = options
                                            ? PlayWithOptionsCommand(strMameCommand, name, *options)
                                            : PlayCommand(strMameCommand, name);
    if (!line) {
        seam_.ShowMessage(this, RefusedName(name), QStringLiteral("Play"), DialogSeam::Icon::Error);
        return;
    }
    HideFrontEnd();
    seam_.RunAndWait(*line, blnHideConsole ? kHide : 0);
    ShowFrontEnd();
}

void frmMain::HideFrontEnd() {
    seam_.HideWindow(this);
}

void frmMain::ShowFrontEnd() {
    seam_.ShowWindow(this);
}

void frmMain::cmdMame_Click() {
    if (!MameIniExists(strMameIni))
        seam_.RunAndWait(CreateConfigCommand(strMameCommand), kHide);
    OpenEditor(strMameIni, QStringLiteral("Mame"));
}

void frmMain::cmdDriver_Click() {
    const int index = SelectedIndex();
    if (index >= 0)
        EditIniFile(udtShown[static_cast<size_t>(index)].strDriver, QStringLiteral("Driver"));
}

void frmMain::cmdParent_Click() {
    const int index = SelectedIndex();
    if (index >= 0)
        EditIniFile(udtShown[static_cast<size_t>(index)].strParent, QStringLiteral("Parent"));
}

void frmMain::cmdSet_Click() {
    const int index = SelectedIndex();
    if (index >= 0)
        EditIniFile(udtShown[static_cast<size_t>(index)].strName, QStringLiteral("Set"));
}

void frmMain::EditIniFile(const QString& name, const QString& title) {
    const IniFile ini = PrepareIniFile(name);
    if (!ini.ok()) {
        seam_.ShowMessage(this, ini.message, title, DialogSeam::Icon::Error);
        return;
    }
    OpenEditor(ini.path, title);
}

void frmMain::OpenEditor(const QString& path, const QString& title) {
    if (!seam_.OpenInEditor(path))
        seam_.ShowMessage(this, QStringLiteral("No editor could be started for ") + path + ".",
                          title, DialogSeam::Icon::Error);
}
