// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "text/Outcome.h"

#include <utility>

// A pipe for a child's standard output, both ends closed on exec, the reading
// end not blocking, with room for a megabyte so that MAME can write ahead of
// its reader: {reading end, writing end}. Fails with the system's reason.
Outcome<std::pair<int, int>> makeOutputPipe();
void closeDescriptor(int descriptor);
