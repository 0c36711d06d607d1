// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "text/Outcome.h"

#include <QByteArray>
#include <QString>

// Paths as the system gives and takes them. A path is a run of bytes that
// need not be UTF-8 (a folder named "caf\xE9"); Qt's own file classes put
// U+FFFD in place of such bytes and so name another file. Here a path is
// decoded without loss (decodeText: a byte that is not UTF-8 becomes a lone
// U+DC80..U+DCFF) and encoded back to the same bytes for the system calls, so
// every path that the system, the environment, the command line or MAME gave
// reaches the system again as it came.

// The bytes of `path` for a system call (encodeText).
QByteArray systemPath(QStringView path);
// A path the system gave, as text (decodeText).
QString pathFromSystem(QByteArrayView bytes);

// The current folder, as the system names it; empty when it cannot be told.
QString currentFolder();
// An environment variable's value as a path; empty when it is not set.
QString environmentPath(const char* name);
// The user's home folder: HOME, else the one the user database names.
QString homeFolder();

// What lstat or stat (following a link) finds at `path`.
bool isFolder(const QString& path);
bool isFile(const QString& path);

// Makes `path` and the folders above it that are missing.
Outcome<Done> makeFolders(const QString& path);

// The system's reason for `error` (an errno value), such as "No space left on device".
QString systemReason(int error);
