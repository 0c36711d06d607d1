#include "app/FrontEndLoad.h"

#include "database/DatabaseFile.h"
#include "launch/Platform.h"
#include "settings/SettingValue.h"
#include "settings/SettingsFile.h"
#include "ui/ListFont.h"
#include "ui/frmMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListView>

namespace {

const QString kLoad = QStringLiteral("Load");

// Applies the settings that are present, in their binding order. Returns
// false when a value does not convert or the window refuses it.
bool ApplySettings(frmMain& form, qint16& lastGame) {
    const SettingsTable& table = form.udtSettings;
    QVariant value;
    auto text = [&](const char* key) {
        return table.LookupSetting(QLatin1String(key), value) ? std::optional(value.toString())
                                                              : std::nullopt;
    };
    // Each step: absent is fine; present must convert.
    auto number = [&](const char* key, auto convert, auto apply) {
        const std::optional<QString> raw = text(key);
        if (!raw)
            return true;
        const auto converted = convert(*raw);
        return converted.has_value() && apply(*converted);
    };
    auto flag = [&](const char* key, bool& target) {
        return number(key, ToFlag, [&](bool on) {
            target = on;
            return true;
        });
    };

    QFont font = form.lstGames->font();
    int state = 0;
    const bool ok = number("left", ToLong, [&](qint32 v) { return form.SetLeftTwips(v), true; }) &&
                    number("top", ToLong, [&](qint32 v) { return form.SetTopTwips(v), true; }) &&
                    number("width", ToLong,
                           [&](qint32 v) { return v >= 0 && (form.SetWidthTwips(v), true); }) &&
                    number("height", ToLong,
                           [&](qint32 v) { return v >= 0 && (form.SetHeightTwips(v), true); }) &&
                    number("windowstate", ToInteger,
                           [&](qint16 v) { return v >= 0 && v <= 2 && (state = v, true); }) &&
                    [&] {
                        if (const auto name = text("fontname"))
                            font.setFamily(*name);
                        return true;
                    }() &&
                    number("fontsize", ToNumber,
                           [&](double v) {
                               // The list refuses sizes it cannot show.
                               if (!(v > 0.0 && v <= 2048.0))
                                   return false;
                               font.setPointSizeF(static_cast<float>(v));
                               return true;
                           }) &&
                    number("fontbold", ToFlag, [&](bool v) { return font.setBold(v), true; }) &&
                    number("fontitalic", ToFlag, [&](bool v) { return font.setItalic(v), true; }) &&
                    number("lastgame", ToInteger, [&](qint16 v) { return lastGame = v, true; });
    if (!ok)
        return false;

    form.lstGames->setFont(font);
    if (state == 1)
        form.setWindowState(Qt::WindowMinimized);
    else if (state == 2)
        form.setWindowState(Qt::WindowMaximized);

    if (const auto exe = text("mameexe"))
        form.strMameExe = *exe;
    if (const auto options = text("commandlineoptions"))
        form.strOptions = *options;
    if (const auto filter = text("filter"))
        form.strFilter = *filter;
    if (!flag("hideconsole", form.blnHideConsole) || !flag("noshortcuts", form.blnNoShortcuts))
        return false;
    if (form.blnNoShortcuts)
        form.ApplyPlainCaptions();
    return flag("caseinsensitive", form.blnCaseInsensitive);
}

// Asks for the MAME executable until one in the working folder is chosen.
// Returns false when the dialog is cancelled.
bool ChooseExecutable(frmMain& form) {
    while (form.strMameExe.isEmpty()) {
        const std::optional<QString> chosen =
            form.seam().ChooseFile(&form, QStringLiteral("Select MAME executable"),
                                   ExecutableFileFilter(), QDir::currentPath());
        if (!chosen) {
            form.seam().ShowMessage(&form, QStringLiteral("Load failed, executable required."),
                                    kLoad, DialogSeam::Icon::Error);
            return false;
        }
        const QString bareName = QFileInfo(*chosen).fileName();
        form.strMameExe = FileExists(bareName) ? bareName : QString();
    }
    return true;
}

bool LoadDatabase(frmMain& form, qint16& lastGame) {
    DatabaseLoad load = ReadDatabase(form.strDatFile);
    if (load.status != DatabaseStatus::Ok)
        return false;
    form.udtGames = std::move(load.games);
    if (form.strFilter.isEmpty() || !form.ApplyDriverFilter(form.strFilter)) {
        if (!form.strFilter.isEmpty()) {
            lastGame = 0;
            form.strFilter.clear();
        }
        form.ShowAllGames();
    }
    if (lastGame < 0 || lastGame > static_cast<int>(form.udtShown.size()) - 1)
        lastGame = 0;
    form.SelectGame(lastGame);
    return true;
}

} // namespace

bool FileExists(const QString& name) {
    return !name.isEmpty() && QFileInfo(name).isFile();
}

bool LoadFrontEnd(frmMain& form, const QString& programName) {
    qint16 lastGame = 0;
    bool databaseStage = false;

    auto fail = [&] {
        const QString& file = databaseStage ? form.strDatFile : form.strIniFile;
        form.seam().ShowMessage(&form,
                                databaseStage ? QStringLiteral("Load failed, database reset.")
                                              : QStringLiteral("Load failed, options reset."),
                                kLoad, DialogSeam::Icon::Error);
        QFile::remove(file);
        return false;
    };

    form.CaptureDesignLayout();

    const QString base = QFileInfo(programName).completeBaseName().toLower();
    form.strIniFile = base + QStringLiteral(".ini");
    form.strDatFile = base + QStringLiteral(".dat");

    bool executableFound = false;
    if (FileExists(form.strIniFile)) {
        std::optional<SettingsTable> table = ReadSettingsFile(form.strIniFile);
        if (!table)
            return fail();
        form.udtSettings = *table;
        if (!ApplySettings(form, lastGame))
            return fail();
        executableFound = FileExists(form.strMameExe);
    } else {
        form.CentreForm();
    }

    if (!executableFound) {
        form.strMameExe.clear();
        if (!ChooseExecutable(form))
            return false;
    }

    if (FileExists(form.strDatFile)) {
        databaseStage = true;
        if (!LoadDatabase(form, lastGame))
            return fail();
    } else {
        form.DisableGameCommands();
    }

    form.strMameIni = MameIniFor(form.strMameExe);
    form.strMameCommand = MameCommandFor(form.strMameExe);
    return true;
}

void UnloadFrontEnd(frmMain& form) {
    SettingsTable& table = form.udtSettings;
    table.Clear();
    const int state = form.WindowStateNumber();
    const QRectF rect = form.NormalRectTwips();
    const QFont font = form.lstGames->font();
    table.AddSetting(QStringLiteral("left"), rect.x());
    table.AddSetting(QStringLiteral("top"), rect.y());
    table.AddSetting(QStringLiteral("width"), rect.width());
    table.AddSetting(QStringLiteral("height"), rect.height());
    table.AddSetting(QStringLiteral("windowstate"), state);
    table.AddSetting(QStringLiteral("fontname"), font.family());
    table.AddSetting(QStringLiteral("fontsize"), static_cast<float>(PointSize(font)));
    table.AddSetting(QStringLiteral("fontbold"), font.bold());
    table.AddSetting(QStringLiteral("fontitalic"), font.italic());
    table.AddSetting(QStringLiteral("lastgame"), form.SelectedIndex());
    table.AddSetting(QStringLiteral("mameexe"), form.strMameExe);
    table.AddSetting(QStringLiteral("commandlineoptions"), form.strOptions);
    table.AddSetting(QStringLiteral("filter"), form.strFilter);
    table.AddSetting(QStringLiteral("hideconsole"), form.blnHideConsole);
    table.AddSetting(QStringLiteral("noshortcuts"), form.blnNoShortcuts);
    table.AddSetting(QStringLiteral("caseinsensitive"), form.blnCaseInsensitive);

    const QString error = WriteSettingsFile(form.strIniFile, table);
    if (!error.isEmpty())
        form.seam().ShowMessage(&form,
                                QStringLiteral("The settings could not be saved to ") +
                                    form.strIniFile + QStringLiteral(": ") + error,
                                QStringLiteral("Quit"), DialogSeam::Icon::Error);
}
