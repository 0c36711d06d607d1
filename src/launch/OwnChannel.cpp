// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/OwnChannel.h"

#include <cerrno>
#include <csignal>
#include <pthread.h>
#include <unistd.h>

void writeToOwnChannel(OwnChannel channel, QByteArrayView bytes) {
    const int fd = channel == OwnChannel::Output ? STDOUT_FILENO : STDERR_FILENO;
    // A write to a closed pipe raises SIGPIPE: held back here, and taken if
    // this write raised it.
    sigset_t pipe, previous;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, &previous);
    sigset_t pendingBefore;
    sigpending(&pendingBefore);
    const char* at = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        at += written;
        left -= written;
    }
    sigset_t pendingNow;
    sigpending(&pendingNow);
    if (sigismember(&pendingNow, SIGPIPE) && !sigismember(&pendingBefore, SIGPIPE)) {
        const timespec none{};
        sigtimedwait(&pipe, nullptr, &none);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}
