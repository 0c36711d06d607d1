// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/MameLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QStringList usualMamePlaces() {
    return {QStringLiteral("/usr/games/mame"), QStringLiteral("/usr/local/games/mame"),
            QStringLiteral("/usr/local/bin/mame"), QDir::homePath() + QStringLiteral("/mame/mame")};
}

QString findMame(const QStringList& places) {
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("mame"));
    if (!onPath.isEmpty())
        return onPath;
    for (const QString& place : places) {
        const QFileInfo file(place);
        if (file.isFile() && file.isExecutable())
            return file.absoluteFilePath();
    }
    return {};
}
