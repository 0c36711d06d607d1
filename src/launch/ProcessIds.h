// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QtGlobal>

// Whether a process with this id runs now.
bool processIsRunning(qint64 pid);

// This process's id.
qint64 currentProcessId();
