// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/GroupGuard.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <initializer_list>
#include <unistd.h>

namespace {

// Closes every descriptor but `kept`, with standard input and output and
// error on /dev/null, so that the guard holds none of the run's pipes.
void keepOnly(int kept) {
    const int null = ::open("/dev/null", O_RDWR);
    for (int fd = 0; fd <= 2; ++fd) {
        if (fd != kept && null >= 0)
            ::dup2(null, fd);
    }
    if (::close_range(3, kept > 3 ? unsigned(kept) - 1 : 2u, 0) != 0 ||
        ::close_range(unsigned(kept) + 1, ~0u, 0) != 0) {
        for (int fd = 3; fd < 65536; ++fd) {
            if (fd != kept)
                ::close(fd);
        }
    }
}

[[noreturn]] void guard(int childEnd) {
    keepOnly(childEnd);
    // The group's polite end is for MAME; the guard is there to force it.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGPIPE})
        ::sigaction(signal, &ignore, nullptr);
    char byte = 0;
    while (::read(childEnd, &byte, 1) < 0 && errno == EINTR) {
    }
    ::kill(0, SIGTERM);
    timespec grace{kGroupGuardGraceMilliseconds / 1000,
                   (kGroupGuardGraceMilliseconds % 1000) * 1'000'000L};
    while (::nanosleep(&grace, &grace) != 0 && errno == EINTR) {
    }
    ::kill(0, SIGKILL);
    ::_exit(0);
}

} // namespace

GroupGuard::GroupGuard() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return;
    m_childEnd = ends[0];
    m_frontEndEnd = ends[1];
}

void GroupGuard::childStarted() {
    if (m_childEnd >= 0)
        ::close(m_childEnd);
    m_childEnd = -1;
}

void GroupGuard::release() {
    childStarted();
    if (m_frontEndEnd >= 0)
        ::close(m_frontEndEnd);
    m_frontEndEnd = -1;
}

void forkGroupGuard(int childEnd) {
    if (childEnd < 0)
        return;
    if (::fork() == 0)
        guard(childEnd);
    ::close(childEnd);
}
