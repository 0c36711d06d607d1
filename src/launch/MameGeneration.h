// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// Which kind of MAME prints the listings: an old one, whose text listings and
// -verifysets the build and the audit read, or a current one (0.2xx), which
// refuses those options and is read through -listxml and -verifyroms.
enum class MameGeneration { Old, Current };

// Tells the generation from the first line of -listfull (line end removed).
// Both print "Name:", blanks, then "Description:"; the old MAME starts
// "Description:" in column 11, a current one pads the names wider (0.251 to
// column 19). Only that header with "Description:" elsewhere than column 11
// means Current; anything else, the old header, an empty or a garbled line
// included, means Old, so an old MAME is always served as before.
MameGeneration generationFromListFullHeader(const QString& firstLine);
