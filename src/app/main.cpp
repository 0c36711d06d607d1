// SPDX-License-Identifier: GPL-2.0-or-later
// The front end's entry point: shows the one window after its start-up, or
// ends at once when the start-up fails or another front end has the folder.
#include "app/CommandLine.h"
#include "app/FolderLock.h"
#include "app/ShutdownSignals.h"
#include "app/StartUp.h"
#include "frontend/FrontEnd.h"
#include "launch/MameRun.h"
#include "ui/MainWindow.h"
#include "ui/QtDialogSeam.h"

#include <QApplication>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <malloc.h>

int main(int argc, char** argv) {
    // A write past a file-size limit (ulimit -f) fails with EFBIG and is
    // told like a full disk, instead of ending the program with nothing saved.
    std::signal(SIGXFSZ, SIG_IGN);
    // One malloc arena for all threads. The threads take turns at their heavy
    // allocations (List reads the listing on one and writes the catalogue on
    // another), so each reuses what the last one freed; with an arena per
    // thread each keeps its own high-water mark, and a List of 39,372
    // machines peaks about 3 MB higher.
    mallopt(M_ARENA_MAX, 1);
    // Read before any window system is touched, so that --help and --version
    // work without a display; a run in --folder has changed into it here.
    const StartChoice start =
        chooseStart(argumentsOf(argc, argv), QStringLiteral(COINSLOT_VERSION));
    if (!start.run)
        return printAndEnd(start);
    QGuiApplication::setDesktopFileName(QStringLiteral(COINSLOT_APP_ID));
    QApplication app(argc, argv);
    const QString program = QCoreApplication::applicationFilePath();
    QtDialogSeam seam;

    // Before any file of the folder is read or written.
    const FolderLock lock(program);
    if (lock.heldByAnother()) {
        const QString message = alreadyRunningMessage(program);
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        seam.showMessage(nullptr, message, QFileInfo(program).completeBaseName(),
                         DialogSeam::Icon::Error);
        return 1;
    }

    MameRunner runner;
    FrontEnd frontEnd(runner);
    MainWindow window(frontEnd, seam);
    QObject::connect(&window, &MainWindow::closing, [&] { shutDown(window, frontEnd, seam); });

    // A signal during the start-up ends it with nothing saved; afterwards it
    // ends the program as Quit does.
    ShutdownSignals shutdownSignals;
    bool started = false;
    bool signalledEarly = false;
    QObject::connect(&shutdownSignals, &ShutdownSignals::received, [&] {
        if (started)
            return shutDownOnSignal(window, frontEnd);
        signalledEarly = true;
        QCoreApplication::exit(1); // leaves any dialog of the start-up
    });
    if (!startUp(window, frontEnd, seam, program) || signalledEarly)
        return 1;
    started = true;
    window.show();
    return app.exec();
}
