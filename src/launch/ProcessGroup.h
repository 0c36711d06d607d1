// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

class QProcess;

// MAME runs in a process group of its own, ended as a whole.

// What the child of a run is set up with before it becomes MAME.
struct ChildSetup {
    int output = -1;   // a descriptor that its standard output goes to
    int guard = -1;    // the reading end of a GroupGuard's pipe (-1: no guard)
    QByteArray folder; // the folder it works in, by the system's bytes (empty: ours)
};

// Makes the child of `process` the leader of a process group of its own, which
// also ends when the front end dies (the parent-death signal for MAME, the
// group's guard for the rest), so nothing of the run outlives the front end.
void prepareChildProcess(QProcess& process, const ChildSetup& setup = {});

// Ends the process group led by `pid`: asks it to end, or with `hard` forces it.
void endProcessGroup(qint64 pid, bool hard);

// Kills whatever is left of the process group led by `pid` once its leader
// has ended and been waited for; never signals `pid` alone, whose number may
// have gone to another process by then.
void killProcessGroupRemains(qint64 pid);
