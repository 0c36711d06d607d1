// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/ProcessIds.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

bool processIsRunning(qint64 pid) {
    if (pid <= 0)
        return false;
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

qint64 currentProcessId() {
    return getpid();
}
