// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// Cuts `text` at the first occurrence of `separator`: returns what stands
// before it and leaves in `text` what follows it. Without a separator the
// whole text is returned and `text` becomes empty. Nothing is trimmed.
QString splitFirst(QString& text, QChar separator);
