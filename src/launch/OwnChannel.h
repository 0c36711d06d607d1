// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>

// Writes `bytes` whole to the front end's own standard output or error. A
// channel that is closed or fails loses them, and never ends the front end
// (no SIGPIPE).
enum class OwnChannel { Output, Errors };
void writeToOwnChannel(OwnChannel channel, QByteArrayView bytes);
