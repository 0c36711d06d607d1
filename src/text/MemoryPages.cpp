// SPDX-License-Identifier: GPL-2.0-or-later
#include "text/MemoryPages.h"

#include <sys/mman.h>
#include <unistd.h>

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif

void populatePages(void* begin, qsizetype bytes) {
    static const quintptr page = static_cast<quintptr>(sysconf(_SC_PAGESIZE));
    const quintptr first = (reinterpret_cast<quintptr>(begin) + page - 1) & ~(page - 1);
    const quintptr end =
        (reinterpret_cast<quintptr>(begin) + static_cast<quintptr>(bytes)) & ~(page - 1);
    if (end > first)
        madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
}
