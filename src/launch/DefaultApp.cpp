// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/DefaultApp.h"

#include <QProcess>

bool openWithDefaultApp(const QString& path) {
    return QProcess::startDetached(QStringLiteral("xdg-open"), {path});
}
