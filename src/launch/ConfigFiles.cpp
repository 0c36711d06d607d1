// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/ConfigFiles.h"

#include "launch/MameCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool mameIniExists(const QString& mameIniFile) {
    return QFileInfo(mameIniFile).isFile();
}

Outcome<QString> prepareIniFile(const QString& folder, const QString& name) {
    if (!isPlainMameName(name))
        return Failure{
            QString("\"%1\" is not a set or driver name, so it has no ini file.").arg(name)};

    const QFileInfo folderInfo(folder);
    if (!folderInfo.exists()) {
        if (!QDir().mkpath(folder))
            return Failure{QString("The folder \"%1\" could not be created.")
                               .arg(QDir::toNativeSeparators(folder))};
    } else if (!folderInfo.isDir()) {
        return Failure{QString("\"%1\" is a file, not a folder, so no ini file can be made in it.")
                           .arg(QDir::toNativeSeparators(folder))};
    }

    const QString path = folder + "/" + name + ".ini";
    const QFileInfo fileInfo(path);
    if (fileInfo.isFile())
        return path;
    if (fileInfo.exists())
        return Failure{QString("\"%1\" is not a file.").arg(QDir::toNativeSeparators(path))};
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return Failure{QString("The file \"%1\" could not be created: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString())};
    return path;
}
