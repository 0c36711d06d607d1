// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "text/Outcome.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <utility>

class QProcess;

// What starting MAME, the shell and the editor takes on Linux.

// The start of Play's command line, built from the executable as saved or
// chosen: the executable itself, a bare name run as "./name" since the shell
// does not look in the working folder, quoted for the shell when it is not
// plain.
QString mameCommandFor(const QString& mameExecutable);

// `text` as one word for the command shell: unchanged when the shell would read
// it as it is, else in single quotes (a quote inside written as '\'').
QString shellQuote(const QString& text);

// MAME's own ini file (`mameIniFile`), which MAME writes into the working folder
// on -createconfig: the executable's file name with a final "exe" replaced by
// "ini" (mame.exe -> mame.ini), any other name with ".ini" added (mame -> mame.ini).
QString mameIniFor(const QString& mameExecutable);

// The folder for temporary files: TEMP when it is set and not empty, else the
// system's temporary folder.
QString temporaryFolder();

// The program and arguments that run Play's command line through the command
// shell: /bin/sh -f -c, so that no word is globbed.
std::pair<QString, QStringList> shellInvocation(const QString& commandLine);

// Makes the child of `process` the leader of a process group of its own, which
// also ends when the front end dies, so MAME never outlives the front end.
// With `output`, a descriptor, the child's standard output goes there.
void prepareChildProcess(QProcess& process, int output = -1);

// A pipe for a child's standard output, both ends closed on exec, the reading
// end not blocking, with room for a megabyte so that MAME can write ahead of
// its reader: {reading end, writing end}. Fails with the system's reason.
Outcome<std::pair<int, int>> makeOutputPipe();
void closeDescriptor(int descriptor);

// Ends the process group led by `pid`: asks it to end, or with `hard` forces it.
void endProcessGroup(qint64 pid, bool hard);

// Kills whatever is left of the process group led by `pid` once its leader
// has ended and been waited for; never signals `pid` alone, whose number may
// have gone to another process by then.
void killProcessGroupRemains(qint64 pid);

// What ended a crashed process, for a message ("signal 11 (Segmentation fault)").
QString exitSignalText(const QProcess& process);

// A signal's name, such as "SIGSEGV" for 11; "signal N" for a number without one.
QString signalName(int signal);

// Writes `bytes` whole to the front end's own standard output or error. A
// channel that is closed or fails loses them, and never ends the front end
// (no SIGPIPE).
enum class OwnChannel { Output, Errors };
void writeToOwnChannel(OwnChannel channel, QByteArrayView bytes);

// Whether a process with this id runs now.
bool processIsRunning(qint64 pid);

// This process's id.
qint64 currentProcessId();

// Opens `path` in the desktop's default application for it (xdg-open)
// without waiting. Returns whether that could be started.
bool openWithDefaultApp(const QString& path);
