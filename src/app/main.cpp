// The front end's entry point: shows the one window after its load, or ends
// at once when the load fails.
#include "app/FrontEndLoad.h"
#include "ui/QtDialogSeam.h"
#include "ui/frmMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtDialogSeam seam;
    frmMain form(seam);
    form.unloadHandler = [&form] { UnloadFrontEnd(form); };
    if (!LoadFrontEnd(form, QCoreApplication::applicationFilePath()))
        return 1;
    form.show();
    return app.exec();
}
