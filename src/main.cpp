// Kelvaro: prepares per-game emulator INI files for a graphics card's fixed list of video modes.
#include <QApplication>

#include "ui/Dialogs.h"
#include "ui/frmMain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kelvaro::QtDialogs dialogs;
    kelvaro::frmMain window(kelvaro::frmMain::DefaultPaths(), dialogs);
    window.Start();
    return app.exec();
}
