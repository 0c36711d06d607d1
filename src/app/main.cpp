// The front end's entry point: shows the one window after its load, or ends
// at once when the load fails.
#include "app/CommandLine.h"
#include "app/FrontEndLoad.h"
#include "ui/QtDialogSeam.h"
#include "ui/frmMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Read before any window system is touched, so that --help and --version
    // work without a display; a run in --folder has changed into it here.
    const StartChoice start =
        ChooseStart(ArgumentsOf(argc, argv), QStringLiteral(COINSLOT_VERSION));
    if (!start.run)
        return PrintAndEnd(start);
    QGuiApplication::setDesktopFileName(QStringLiteral(COINSLOT_APP_ID));
    QApplication app(argc, argv);
    QtDialogSeam seam;
    frmMain form(seam);
    form.unloadHandler = [&form] { UnloadFrontEnd(form); };
    if (!LoadFrontEnd(form, QCoreApplication::applicationFilePath()))
        return 1;
    form.show();
    return app.exec();
}
