// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/RomListing.h"

#include <QByteArrayView>

// The tags of a -listxml machine's rest that name its files, read as raw
// bytes as MAME prints them (double-quoted attributes, a blank before each
// name): the start tags of <rom>, <disk> and <device_ref>. The scan over a
// machine's rest hands each of them here, whether the machine is kept or not
// (devices and BIOS sets have files too).
enum class RomTag : quint8 { None, Rom, Disk, DeviceRef };

// The most bytes romTagAt() looks at: "<device_ref ".
inline constexpr qsizetype kLongestRomTag = 12;

// The ROM tag that the `available` bytes at `p` (a "<") begin with.
RomTag romTagAt(const char* p, qsizetype available);

// Reads the whole start tag `bytes` (from its "<" to its ">") into the
// machine `listing` has begun last: a ROM's name, merge, size, CRC, SHA-1 and
// status; a disk's name, merge, SHA-1 and status; a device's name.
void readRomTag(RomTag tag, QByteArrayView bytes, RomListing& listing);
