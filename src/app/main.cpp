// The front end's entry point: shows the one window after its load, or ends
// at once when the load fails.
#include "app/CommandLine.h"
#include "app/FrontEndStartup.h"
#include "frontend/FrontEnd.h"
#include "launch/MameRun.h"
#include "ui/QtDialogSeam.h"
#include "ui/frmMain.h"

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
    frmMain form(frontEnd, seam);
    QObject::connect(&form, &frmMain::unloading, [&] { unloadFrontEnd(form, frontEnd, seam); });
    if (!loadFrontEnd(form, frontEnd, seam, QCoreApplication::applicationFilePath()))
        return 1;
    form.show();
    return app.exec();
}
