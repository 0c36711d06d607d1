// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/ExecutableChooser.h"

#include "ui/DialogSeam.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

std::optional<QString> chooseMameExecutable(QWidget* owner, DialogSeam& seam, const QString& start,
                                            const QString& title) {
    for (;;) {
        // Executables on Linux carry no extension: every file is offered.
        const std::optional<QString> chosen = seam.chooseFile(
            owner, QCoreApplication::translate("MainWindow", "Select MAME executable"),
            QCoreApplication::translate("MainWindow", "Executables (*)"), start);
        if (!chosen)
            return std::nullopt;
        const QFileInfo file(*chosen);
        if (!file.isFile() || !file.isExecutable()) {
            seam.showMessage(
                owner,
                QCoreApplication::translate("MainWindow", "%1 is not an executable file.")
                    .arg(QDir::toNativeSeparators(*chosen)),
                title, DialogSeam::Icon::Error);
            continue;
        }
        if (QFileInfo(file.absolutePath()).canonicalFilePath() == QDir::current().canonicalPath())
            return file.fileName();
        return file.absoluteFilePath();
    }
}
