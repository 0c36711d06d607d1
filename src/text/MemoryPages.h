// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QtGlobal>

// Makes the pages of a block of memory that is about to be written all
// present in one call, instead of one page fault for every page as the block
// is first written: for a fresh block of megabytes, such as a table read from
// a file, the faults cost as much as the reading. Only whole pages inside the
// block are touched; where the system cannot (before Linux 5.14), nothing
// happens and the pages come as they are written.
void populatePages(void* begin, qsizetype bytes);
