// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

class QAbstractItemView;

// A timing aid for the start-up benchmark (bench/measure.sh), out of the
// user's way: only when the environment variable COINSLOT_FIRST_PAINT_REPORT
// names a file. Then, once the first frame in which `list` paints rows is
// done, the process appends to that file one line
//
//   first-paint cpu-ms=<user+system CPU so far> peak-rss-kb=<resident high-water mark>
//               wall-end-us=<CLOCK_REALTIME>
//
// and closes the list's window, which ends the program the usual way; when
// the process ends, it appends "exit cpu-ms=<CPU at the end>". The variable is
// read once, here; without it nothing is installed.
void reportFirstPaintWhenAsked(QAbstractItemView& list);
