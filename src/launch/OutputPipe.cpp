// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/OutputPipe.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

Outcome<std::pair<int, int>> makeOutputPipe() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return Failure{QString::fromLocal8Bit(std::strerror(errno))};
    fcntl(ends[0], F_SETFL, fcntl(ends[0], F_GETFL) | O_NONBLOCK);
    fcntl(ends[0], F_SETPIPE_SZ, 1 << 20); // a smaller pipe works too, only slower
    return std::pair{ends[0], ends[1]};
}

void closeDescriptor(int descriptor) {
    if (descriptor >= 0)
        ::close(descriptor);
}
