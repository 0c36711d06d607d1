// The front end's entry point: shows the one window after its start-up, or
// ends at once when the start-up fails.
#include "app/CommandLine.h"
#include "app/FirstPaintReport.h"
#include "app/StartUp.h"
#include "frontend/FrontEnd.h"
#include "launch/MameRun.h"
#include "ui/MainWindow.h"
#include "ui/QtDialogSeam.h"

#include <QAbstractItemView>
#include <QApplication>

int main(int argc, char** argv) {
    // Read before any window system is touched, so that --help and --version
    // work without a display; a run in --folder has changed into it here.
    const StartChoice start =
        chooseStart(argumentsOf(argc, argv), QStringLiteral(COINSLOT_VERSION));
    if (!start.run)
        return printAndEnd(start);
    QGuiApplication::setDesktopFileName(QStringLiteral(COINSLOT_APP_ID));
    QApplication app(argc, argv);
    MameRunner runner;
    FrontEnd frontEnd(runner);
    QtDialogSeam seam;
    MainWindow window(frontEnd, seam);
    QObject::connect(&window, &MainWindow::closing, [&] { shutDown(window, frontEnd, seam); });
    if (!startUp(window, frontEnd, seam, QCoreApplication::applicationFilePath()))
        return 1;
    if (auto* list = window.findChild<QAbstractItemView*>(QStringLiteral("gameList")))
        reportFirstPaintWhenAsked(*list);
    window.show();
    return app.exec();
}
