// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QIcon>

// The window's own 32 x 32 icon: a coin slot.
QIcon appIcon();
