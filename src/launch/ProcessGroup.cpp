// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/ProcessGroup.h"

#include "launch/GroupGuard.h"

#include <QProcess>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

void prepareChildProcess(QProcess& process, const ChildSetup& setup) {
    process.setChildProcessModifier(
        [output = setup.output, guard = setup.guard, folder = setup.folder] {
            if (output >= 0)
                dup2(output, STDOUT_FILENO);
            setpgid(0, 0);
            forkGroupGuard(guard);
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            // A folder whose name is not UTF-8, which QProcess could not name.
            if (!folder.isEmpty() && chdir(folder.constData()) != 0)
                _exit(127);
            // The front end may block signals or ignore SIGPIPE and SIGXFSZ; MAME
            // starts clean.
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            signal(SIGPIPE, SIG_DFL);
            signal(SIGXFSZ, SIG_DFL);
        });
}

void endProcessGroup(qint64 pid, bool hard) {
    const int signal = hard ? SIGKILL : SIGTERM;
    // Before the child has made its group, only the child itself is there.
    if (kill(-static_cast<pid_t>(pid), signal) == -1)
        kill(static_cast<pid_t>(pid), signal);
}

void killProcessGroupRemains(qint64 pid) {
    if (pid > 0)
        kill(-static_cast<pid_t>(pid), SIGKILL);
}
