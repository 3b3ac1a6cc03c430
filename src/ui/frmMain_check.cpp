// The main window's emulator setup check: the report window, the third status panel, the
// chooser's starting folder and what a test run is judged against.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <filesystem>

#include "core/FileNames.h"
#include "emulator/SetupCheck.h"
#include "modes/DisplayRead.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "ui/QtText.h"
#include "ui/SetupPanel.h"
#include "ui/frmMain.h"
#include "ui/frmSetupCheck.h"

namespace kelvaro {

namespace {

// The windows paint while the emulator answers, but take no input.
void Paint() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

} // namespace

const EmulatorOptions* frmMain::KnownEmulatorOptions() {
    if (!FileExists(m_.Config.MameExePath, false)) return nullptr;
    const Result<EmulatorOptions>& options = emulatorOptions_.Get(m_.Config.MameExePath, m_.MameFolder(), false, Paint);
    return options ? &*options : nullptr;
}

SetupReport frmMain::CheckSetup(bool askAgain, const std::string& game) {
    static const Result<EmulatorOptions> none =
        Outcome::Failure("no executable is chosen (File > M.A.M.E. Executable Location)");
    const Result<EmulatorOptions>& options =
        FileExists(m_.Config.MameExePath, false)
            ? emulatorOptions_.Get(m_.Config.MameExePath, m_.MameFolder(), askAgain, Paint)
            : none;
    // The game list counts once it has been read.
    const std::string list = !m_.GameList.Empty() && FileExists(m_.GameListFile(), false) ? m_.GameListFile() : "";
    SetupCheckInput in = CheckInputOf(m_, list, game);
#ifndef _WIN32
    // The modes of the display the window is on: Qt names a screen by its xrandr output on X11.
    DisplayReading display;
    if (QGuiApplication::platformName() == QStringLiteral("xcb"))
        display = ReadThisDisplay(screen() ? screen()->name().toStdString() : std::string(), Paint);
    else
        display.NotRead = "the window system is " + QGuiApplication::platformName().toStdString() + ", not X11";
    in.Display = CompareWithDisplay(m_, display);
#endif
    SetupReport report = kelvaro::CheckSetup(in, options, Paint);
    stbPanel3->SetSetupHint(report.Hint());
    ShowCheckPanel();
    return report;
}

void frmMain::ShowCheckPanel() { stbPanel3->Show(m_.Config); }

void frmMain::mnuCheckSetup_Click() {
    if (!setupCheck_)
        setupCheck_ = new frmSetupCheck(
            dialogs_,
            [this] {
                const int g = SelectedGame();
                return CheckSetup(true, g ? EmulatorFileName(m_.Games[g].GameRomName, "") : std::string());
            },
            this);
    setupCheck_->Report();
}

QString frmMain::IniChooserStart() {
    if (!m_.Config.MameINIPath.empty()) return {};
    const EmulatorOptions* options = KnownEmulatorOptions();
    if (!options || options->IniFolders.empty()) return {};
    // A first INI folder that is not there yet opens the chooser where it would be made.
    std::filesystem::path folder = FsPath(options->IniFolders.front());
    while (folder.has_relative_path() && !IsExistingFolder(PathText(folder))) folder = folder.parent_path();
    return QtText(PathText(folder));
}

} // namespace kelvaro
