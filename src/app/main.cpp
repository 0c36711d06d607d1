// The front end's entry point: shows the one window after its load, or ends
// at once when the load fails.
#include "app/FrontEndStartup.h"
#include "frontend/FrontEnd.h"
#include "launch/MameRun.h"
#include "ui/QtDialogSeam.h"
#include "ui/frmMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MameRunner runner;
    FrontEnd frontEnd(runner);
    QtDialogSeam seam;
    frmMain form(frontEnd, seam);
    QObject::connect(&form, &frmMain::unloading, [&] { UnloadFrontEnd(form, frontEnd, seam); });
    if (!LoadFrontEnd(form, frontEnd, seam, QCoreApplication::applicationFilePath()))
        return 1;
    form.show();
    return app.exec();
}
