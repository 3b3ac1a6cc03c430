// Kelvaro: prepares per-game emulator INI files for a graphics card's fixed list of video modes.
#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string_view>

#include "core/Model.h"
#include "platform/Interrupts.h"
#include "platform/Paths.h"
#include "ui/CommandLine.h"
#include "ui/Dialogs.h"
#include "ui/frmMain.h"

namespace {

// For timing the program as it is started (bench/window.sh): KELVARO_EXIT_AFTER_START=start ends
// it as soon as the filled lists are painted; =generate first runs "Generate Native Mode List" as
// if answered Yes, prints how long it took until the new lists were painted, and ends; =setup
// waits for the setup check of the start and prints how long after the program's start its
// outcome was shown. Nothing is saved either way (=setup keeps the check's outcome, as any start).
[[noreturn]] void ExitForTiming(kelvaro::frmMain& window, const char* mode, const QElapsedTimer& started) {
    QCoreApplication::processEvents();
    if (std::string_view(mode) == "setup") {
        while (window.StartCheckRunning()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        std::printf("setup: %lld ms\n", static_cast<long long>(started.elapsed()));
    }
    if (std::string_view(mode) == "generate") {
        QElapsedTimer timer;
        timer.start();
        window.BuildNativeModeList(true, false);
        QCoreApplication::processEvents();
        std::printf("generate: %lld ms\n", static_cast<long long>(timer.elapsed()));
    }
    std::fflush(stdout);
    std::_Exit(0);
}

} // namespace

int main(int argc, char** argv) {
    // --help and --version answer before Qt, which would want a display first.
    QElapsedTimer started;
    started.start();
    if (const auto status = kelvaro::AnswerInformationOptions(argc, argv, std::cout)) return *status;
    kelvaro::InstallInterruptCleanup();
    QApplication app(argc, argv);
    // The installed desktop entry and icon, so that the desktop shows the window as the menu does.
    QGuiApplication::setDesktopFileName(QStringLiteral("kelvaro"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kelvaro")));
    kelvaro::Model model;
    model.Paths.ProgramFolder = kelvaro::ProgramFolder();
    model.Paths.DataFolder = kelvaro::ChooseDataFolder(model.Paths.ProgramFolder);
    kelvaro::QtDialogs dialogs;
    kelvaro::frmMain window(model, dialogs);
    window.Start();
    if (const char* mode = std::getenv("KELVARO_EXIT_AFTER_START")) ExitForTiming(window, mode, started);
    return app.exec();
}
