// Kelvaro: prepares per-game emulator INI files for a graphics card's fixed list of video modes.
#include <QApplication>

#include "core/Model.h"
#include "platform/Interrupts.h"
#include "platform/Paths.h"
#include "ui/Dialogs.h"
#include "ui/frmMain.h"

int main(int argc, char** argv) {
    kelvaro::InstallInterruptCleanup();
    QApplication app(argc, argv);
    kelvaro::Model model;
    model.Paths.ProgramFolder = kelvaro::ProgramFolder();
    model.Paths.DataFolder = kelvaro::ChooseDataFolder(model.Paths.ProgramFolder);
    kelvaro::QtDialogs dialogs;
    kelvaro::frmMain window(model, dialogs);
    window.Start();
    return app.exec();
}
