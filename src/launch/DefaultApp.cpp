// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/DefaultApp.h"

#include "text/SystemPath.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

bool openWithDefaultApp(const QString& path) {
    // The path goes as its own bytes, which QProcess would not keep when they
    // are not UTF-8. A shell starts the opener in the background and ends at
    // once, so the opener is nobody's child to wait for, and tells whether
    // there was one to start.
    const QByteArray file = systemPath(path);
    const char* const arguments[] = {
        "/bin/sh",
        "-c",
        "command -v xdg-open >/dev/null || exit 127; xdg-open \"$1\" &",
        "sh",
        file.constData(),
        nullptr};
    pid_t shell = 0;
    if (::posix_spawn(&shell, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(arguments),
                      environ) != 0)
        return false;
    int status = 0;
    while (::waitpid(shell, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
