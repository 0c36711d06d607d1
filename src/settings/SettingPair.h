// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QVariant>

// One entry of the settings table. A value read from the file is the text
// without surrounding spaces; a value added at shutdown keeps its type
// (number, flag or text) until the file is written.
struct SettingPair {
    QString key;
    QVariant value;
};
