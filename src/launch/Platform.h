#pragma once

#include <QString>

// Everything that differs between Linux and Windows in starting MAME, the
// shell and the editor. Nothing else in the program asks which system it is on.

// The start of every command line that runs MAME (`strMameCommand`), built from
// the executable as saved or chosen (`strMameExe`). Linux: the executable path
// itself, a bare name run as "./name" since the shell does not look in the
// working folder. Windows: the value of COMSPEC, " /C ", then the name. Nothing
// is quoted: a path with blanks is split by the shell.
QString MameCommandFor(const QString& strMameExe);

// MAME's own ini file (`strMameIni`), which MAME writes into the working folder
// on -createconfig: the executable's file name with a final "exe" replaced by
// "ini" (mame.exe -> mame.ini), any other name with ".ini" added (mame -> mame.ini).
QString MameIniFor(const QString& strMameExe);

// The filter of the dialog that asks for the MAME executable: "*.exe" files on
// Windows; any file on Linux, where executables carry no extension.
QString ExecutableFileFilter();

// Whether MAME has to be run once, bare, before the first listing or audit of a
// run (the Windows 95/98/Me family only). Never on Linux.
bool PlatformPrimesMame();

// The folder for temporary files: TEMP when it is set and not empty, else the
// system's temporary folder.
QString TemporaryFolder();

// Whether `path` reaches the shell as one word meaning exactly that path when it
// is put into a command line unquoted (no blanks, quotes, variables, globs...).
bool IsShellSafePath(const QString& path);

// Runs `commandLine` through the command shell (Linux: /bin/sh -f -c, so that a
// "*" reaches MAME as it does through the Windows shell; Windows: the line holds
// COMSPEC /C itself) and blocks until the shell has ended. The shell inherits the
// working folder, the environment and the standard channels; what the line
// redirects goes where the line says. `hide` hides the console window on Windows;
// Linux has none. Returns false when the shell could not be started at all. If
// waiting fails, the shell is ended rather than left running.
bool RunThroughShell(const QString& commandLine, bool hide);

// Opens `path` in the desktop's default application for it (Linux: xdg-open;
// Windows: NOTEPAD.EXE) without waiting. Returns whether that could be started.
bool OpenWithDefaultApp(const QString& path);
