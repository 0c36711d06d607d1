// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "frontend/MameJob.h"

// The ini files the Mame, Driver, Parent and Set commands open.
enum class IniFile { Mame, Driver, Parent, Set };

// Finds the ini file to open in the editor and makes sure it exists: MAME's
// own (which MAME makes with -createconfig when it is missing), or the one of
// a driver, parent or set (made empty when missing). An old MAME's lie in the
// working folder (its own) and in "ini" below it; a current one's in the
// first folder of its inipath, the drivers' in "source" below that. Which
// MAME this is, and where its inipath is, are asked of MAME only once. The
// result is the file to open.
class IniFileJob : public MameJob {
    Q_OBJECT

  public:
    // `name` is the driver, parent or set whose file is wanted (none for Mame).
    IniFileJob(MameRunner& runner, MameSetup& mame, IniFile file, QString name);

    void start() override;

  private:
    void onGenerationProbed(const RunResult& result);
    void findFolder();
    void onConfigurationShown(const RunResult& result);
    void openInFolder(const QString& folder);
    void onConfigurationCreated(const RunResult& result);

    const IniFile m_file;
    const QString m_name;
    QString m_path; // the file to open
};
