// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Where a MAME is usually installed, after PATH: Debian's and a local
// build's games folders, /usr/local/bin, and a build of one's own in
// ~/mame.
QStringList usualMamePlaces();

// The first MAME found: `mame` on PATH, else the first of `places` that is an
// executable file. Empty when there is none.
QString findMame(const QStringList& places = usualMamePlaces());
