// The main window's emulator setup check: the report window, the third status panel and its
// state at start, the emulator proposed at a first start, the chooser's starting folder and what
// a test run is judged against.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QThread>
#include <filesystem>
#include <memory>

#include "core/FileNames.h"
#include "emulator/SetupCheck.h"
#include "emulator/SetupState.h"
#include "modes/DisplayRead.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "ui/Dialogs.h"
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
    ++checkRound_; // the start's check, when it still runs, is older than this one
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
    // Kept for the next start; a game's own problem is not the setup's.
    if (game.empty() && options) (void)WriteSetupState(SetupStateFile(), SetupStateOf(in, *options, report.Hint()));
    return report;
}

std::string frmMain::SetupStateFile() const { return JoinPath(m_.Paths.DataFolder, kSetupStateFileName); }

void frmMain::ShowSetupAtStart() {
    if (!FileExists(m_.Config.MameExePath, false) || startCheck_) return;
    const SetupCheckInput in = CheckInputOf(m_, {}, {});
    if (const std::optional<std::string> kept = KeptSetupHint(SetupStateFile(), in)) {
        stbPanel3->SetSetupHint(*kept);
        ShowCheckPanel();
        return;
    }
    // Asking the emulator takes a good part of a second: the window does not wait for it.
    const int round = ++checkRound_;
    auto outcome = std::make_shared<StartCheck>();
    QThread* thread = QThread::create([in, outcome] { *outcome = CheckSetupAtStart(in); });
    startCheck_ = thread;
    connect(thread, &QThread::finished, this, [this, thread, outcome, round] {
        startCheck_ = nullptr;
        thread->deleteLater();
        // A check since then (the user chose another emulator or INI folder) has the last word.
        if (round != checkRound_) return;
        stbPanel3->SetSetupHint(outcome->Report.Hint());
        ShowCheckPanel();
        if (outcome->State) (void)WriteSetupState(SetupStateFile(), *outcome->State);
    });
    thread->start();
}

void frmMain::ProposeEmulator() {
    const std::string exe =
        FindEmulator(emulatorPlaces_ ? *emulatorPlaces_ : SystemEmulatorPlaces(m_.Paths.ProgramFolder));
    if (exe.empty()) return;
    const std::string home = HomeFolder();
    std::string folder;
    if (m_.Config.MameINIPath.empty()) {
        const Result<EmulatorOptions>& options = emulatorOptions_.Get(exe, FolderOfFile(exe), false, Paint);
        if (options) folder = ProposedIniFolder(*options, home);
    }
    QString question = "M.A.M.E. was found at " + QtText(exe) + ".  Use it";
    if (!folder.empty())
        question += ", and write the INI files to " + QtText(folder) +
                    ", the first folder M.A.M.E. reads INI files from" +
                    (IsExistingFolder(folder) ? QString() : QString(" (it will be created)"));
    question += "?";
    if (!dialogs_.Ask(this, question, Dialogs::Icon::Question)) return;
    if (const Outcome made = folder.empty() ? Outcome() : MakeIniFolder(folder, home); !made) {
        dialogs_.Tell(this,
                      "The INI folder could not be created: " + QtText(made.Reason()) +
                          ".  Choose one with File > M.A.M.E. INI Path.",
                      Dialogs::Icon::Warning);
        folder.clear();
    }
    m_.Config.MameExePath = exe;
    if (!folder.empty()) m_.Config.MameINIPath = folder;
    SaveSettingsOrWarn();
    CheckSetup(false);
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
