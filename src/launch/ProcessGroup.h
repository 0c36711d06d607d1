// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QtGlobal>

class QProcess;

// MAME runs in a process group of its own, ended as a whole.

// Makes the child of `process` the leader of a process group of its own, which
// also ends when the front end dies, so MAME never outlives the front end.
// With `output`, a descriptor, the child's standard output goes there.
void prepareChildProcess(QProcess& process, int output = -1);

// Ends the process group led by `pid`: asks it to end, or with `hard` forces it.
void endProcessGroup(qint64 pid, bool hard);

// Kills whatever is left of the process group led by `pid` once its leader
// has ended and been waited for; never signals `pid` alone, whose number may
// have gone to another process by then.
void killProcessGroupRemains(qint64 pid);
