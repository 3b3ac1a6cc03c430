// The main window's commands: the menu items and buttons that ask, call the core and report.
#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QUrl>
#include <algorithm>
#include <filesystem>
#include <optional>

#include "core/FileNames.h"
#include "core/Outcome.h"
#include "core/Text.h"
#include "core/TextNumbers.h"
#include "emulator/VerboseRun.h"
#include "ini/IniFiles.h"
#include "ini/TestRun.h"
#include "modes/AutoSelect.h"
#include "modes/AvailableModes.h"
#include "modes/ModeListImport.h"
#include "modes/SelectionOptions.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/System.h"
#include "ui/Dialogs.h"
#include "ui/InputHold.h"
#include "ui/MenuBar.h"
#include "ui/QtText.h"
#include "ui/SetupPanel.h"
#include "ui/ShownText.h"
#include "ui/frmAbout.h"
#include "ui/frmGenerateINIs.h"
#include "ui/frmImportModes.h"
#include "ui/frmMain.h"
#include "ui/frmSettings.h"

namespace kelvaro {

namespace {

// How many of the failed names a warning lists before it stops.
constexpr size_t kNamesShown = 5;

QString GenerationFailure(const GenerateResult& result, const std::string& folder) {
    QStringList names;
    for (size_t i = 0; i < result.FailedNames.size() && i < kNamesShown; ++i) names << ShownText(result.FailedNames[i]);
    if (result.FailedNames.size() > kNamesShown) names << "...";
    return QString("%1 INI file(s) could not be written (in the folder %2): %3.  %4 file(s) were written.")
        .arg(QString::number(result.Failed), QtText(folder), names.join(", "), QString::number(result.Written));
}

// Up to three games by name, then how many more: "PACMAN", "PACMAN and GALLAG",
// "PACMAN, GALLAG, MSPACMAN and 2 others".
QString SomeGames(const Model& m, const std::vector<int>& games) {
    constexpr size_t kNamed = 3;
    QStringList names;
    for (size_t i = 0; i < games.size() && i < kNamed; ++i) names << ShownText(m.Games[games[i]].GameRomName);
    if (const size_t others = games.size() - static_cast<size_t>(names.size()); others > 0)
        names << QString("%1 other%2").arg(others).arg(others == 1 ? "" : "s");
    const QString last = names.isEmpty() ? QString() : names.takeLast();
    return names.isEmpty() ? last : names.join(", ") + " and " + last;
}

// What the generation wrote and left out, a line for each count: the filters that were on, in the
// generation dialog's order, each game counted under the first that left it out.
QString GenerationCounts(const GenerateResult& result, const GenerateRequest& request, const Settings& s) {
    QStringList lines{QString("Written: %1").arg(result.Written)};
    if (result.WrittenDespiteFilters > 0)
        lines
            << QString("Written despite the filters (settings changed by hand): %1").arg(result.WrittenDespiteFilters);
    if (request.AvailableOnly)
        lines << (FileExists(s.MameROMPath, true)
                      ? QString("Left out by Available Games Only: %1").arg(result.SkippedNoRoms)
                      : QString("Left out by Available Games Only: none, no ROM folder is chosen"));
    if (request.ParentsOnly) lines << QString("Left out by Parent Romsets Only: %1").arg(result.SkippedClones);
    if (request.NoIniOnly)
        lines << QString("Left out by Games with no Existing INI File Only: %1").arg(result.SkippedHaveIni);
    if (result.SkippedSameFile > 0)
        lines << QString("Left out for the INI file of an earlier game: %1").arg(result.SkippedSameFile);
    lines << QString("Failed: %1").arg(result.Failed);
    return lines.join('\n');
}

} // namespace

// ---- Video Mode Selection and the legacy switch

void frmMain::mnuOrientation_Click(MonitorOrientation value) {
    mnuMain->ShowOrientation(value);
    m_.Config.MonitorOrientation = value;
    mnuMain->OfferRotation(value != MonitorOrientation::Horizontal);
}

// The kind only decides which modes View > Selection Summary offers to add; the selection is the same.
void frmMain::mnuMonitorKind_Click(MonitorKind value) {
    mnuMain->ShowMonitorKind(value);
    m_.Config.MonitorKind = value;
}

void frmMain::mnuRotation_Click(PreferredRotation value) {
    mnuMain->ShowRotation(value);
    m_.Config.PreferredRotation = value;
}

// The menu has just inverted the check mark; the setting follows it.
void frmMain::mnuIgnoreInterlaced_Click(bool checked) { m_.Config.IgnoreInterlaced = checked; }

void frmMain::mnuLegacyMAME_Click(bool checked) { m_.Config.LegacyMame = checked; }

void frmMain::mnuMatchResWithin_Click(int index) {
    mnuMain->ShowMatchResItem(index);
    if (index < 5) {
        m_.Config.MatchResWithin = MatchResOfItem(index);
        return;
    }
    const std::optional<QString> answer = dialogs_.InputBox(this, "Enter Value (0-100): ", "Kelvaro",
                                                            QtText(FormatNumber(double(m_.Config.MatchResWithin))));
    if (!answer) return;
    if (const std::optional<int> value = AcceptResTolerance(answer->toStdString())) m_.Config.MatchResWithin = *value;
}

void frmMain::mnuMatchRefreshWithin_Click(int index) {
    mnuMain->ShowMatchRefreshItem(index);
    if (index < 5) {
        m_.Config.MatchRefreshWithin = MatchRefreshOfItem(index);
        return;
    }
    const std::optional<QString> answer = dialogs_.InputBox(this, "Enter Value in Hz (0-15): ", "Kelvaro",
                                                            QtText(FormatNumber(m_.Config.MatchRefreshWithin)));
    if (!answer) return;
    if (const std::optional<float> value = AcceptRefreshTolerance(answer->toStdString()))
        m_.Config.MatchRefreshWithin = *value;
}

void frmMain::mnuActionNotFound_Click() { SettingsDialog().Edit(SettingsDialogScope::NotFound, 0, {}); }

void frmMain::mnuAutoSelect_Click() {
    if (m_.Games.Empty()) return;
    if (!dialogs_.Ask(this,
                      "This will override any existing INI file settings (not the actual INI files).  Are you "
                      "sure you want to continue?",
                      Dialogs::Icon::Warning))
        return;
    const AutoSelectCounts counts = AutoSelectVideoModes(m_, Sink());
    FillGamesList();
    stbPanel3->SetOutcome(AutoSelectSummary(counts));
    ShowCheckPanel();
}

// ---- the available mode list

void frmMain::cmd60Hz_Click() {
    if (!dialogs_.Ask(this,
                      "This will remove all non-60Hz modes from the available mode list.  A better solution may "
                      "be to use the 'Video Mode Selection' > 'Match Refresh Rate Within' option to match up "
                      "refresh rates as well as resolutions.  Are you sure you want to continue?",
                      Dialogs::Icon::Question))
        return;
    KeepOnly60HzModes(m_);
    cmd60Hz->setEnabled(!m_.AvailModes.Empty());
    FillAvailableModeView();
}

// ---- View

void frmMain::mnuGenerate_Click() {
    if (dialogs_.Ask(this,
                     "Generating the Native Mode List will lose any settings made.  Are you sure you want to "
                     "continue?",
                     Dialogs::Icon::Warning))
        BuildNativeModeList(true, false);
}

void frmMain::mnuRefreshNative_Click() {
    if (dialogs_.Ask(this,
                     "Refreshing the Native Mode List will lose any settings made.  Are you sure you want to "
                     "continue?",
                     Dialogs::Icon::Warning))
        BuildNativeModeList(false, false);
}

void frmMain::mnuRefreshAVGA_Click() { ReadAvailableModes(); }

void frmMain::mnuReadINIs_Click() {
    if (!dialogs_.Ask(this,
                      "Reading existing INI files will lose any settings made.  Are you sure you want to continue?",
                      Dialogs::Icon::Warning))
        return;
    ReadExistingINIFiles();
    FillGamesList();
}

// ---- INI files and the test run

void frmMain::mnuGenerateINIs_Click() {
    GenerateDialog().Choose();
    if (m_.Config.GenerateApplyTo == GenerateScope::Cancelled) return;
    GenerateRequest request = GenerateRequestOf(m_.Config, SelectedGame());
    // The filters are chosen once and kept; a game the user has just set up by hand is rarely
    // meant to be among the games they leave out ("Parent Romsets Only" leaves out every clone).
    if (const std::vector<int> leftOut = HandEditedLeftOut(m_, request); !leftOut.empty()) {
        const QString games = leftOut.size() == 1 ? "1 game" : QString("%1 games").arg(leftOut.size());
        switch (dialogs_.AskOrCancel(
            this,
            "The filters leave out " + games +
                " whose settings you changed since the INI files were last generated: " + SomeGames(m_, leftOut) +
                ".  Generate their INI file(s) too?\n\nYes: generate them too.  No: "
                "generate as the filters say.  Cancel: generate nothing.",
            Dialogs::Icon::Question)) {
        case Dialogs::Answer::Yes: request.HandEditedDespiteFilters = true; break;
        case Dialogs::Answer::No: break;
        case Dialogs::Answer::Cancel: return;
        }
    }
    GenerateAndReport(request);
}

// The game asked for, without the filters: the scope and filters the generation dialog chose last
// stay as the user left them.
void frmMain::mnuGameGenerateINI_Click() {
    GenerateRequest request;
    request.Scope = GenerateScope::SelectedGame;
    request.SelectedGame = SelectedGame();
    if (request.SelectedGame != 0) GenerateAndReport(request);
}

void frmMain::mnuGameOpenINI_Click() {
    const int g = SelectedGame();
    if (g == 0) return;
    const std::string ini = IniFilePath(m_, m_.Games[g].GameRomName);
    if (ini.empty() || !FileExists(ini, false)) return;
    const QString file = QtText(ini);
    const QString noProgram = "Kelvaro could not open " + file + ": no program on this computer opens .ini files.";
#if !defined(_WIN32) && !defined(__APPLE__)
    // The desktop's opener starts whatever it finds and says only by its exit code, later, that it
    // found nothing. It is left running when Kelvaro ends first, so that an editor it started in
    // its place stays open: the process object is then never deleted.
    if (const QString opener = QStandardPaths::findExecutable("xdg-open"); !opener.isEmpty()) {
        auto* run = new QProcess;
        run->setStandardOutputFile(QProcess::nullDevice());
        run->setStandardErrorFile(QProcess::nullDevice());
        connect(run, &QProcess::finished, this, [this, run, noProgram](int code, QProcess::ExitStatus status) {
            run->deleteLater();
            if (status != QProcess::NormalExit || code != 0) dialogs_.Tell(this, noProgram, Dialogs::Icon::Warning);
        });
        connect(run, &QProcess::errorOccurred, this, [this, run, noProgram](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart) return;
            run->deleteLater();
            dialogs_.Tell(this, noProgram, Dialogs::Icon::Warning);
        });
        run->start(opener, {file});
        return;
    }
#endif
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file))) dialogs_.Tell(this, noProgram, Dialogs::Icon::Warning);
}

void frmMain::GenerateAndReport(const GenerateRequest& request) {
    if (!request.NoIniOnly &&
        !dialogs_.Ask(this,
                      "This will create the required INI file(s) (in the folder " + QtText(m_.Config.MameINIPath) +
                          "), overwriting any existing file(s).  Are you sure you want to continue?",
                      Dialogs::Icon::Warning))
        return;
    // The status bar says whether the emulator will use the files; nothing is asked here.
    if (FileExists(m_.Config.MameExePath, false)) CheckSetup(false);
    const Result<GenerateResult> generated = GenerateINIFiles(m_, request, Sink());
    if (!generated) {
        dialogs_.Tell(this, QtText(generated.Reason()), Dialogs::Icon::Warning);
        return;
    }
    const GenerateResult& result = *generated;
    TellRestored(result.RestoredFirst);
    stbPanel3->SetOutcome(GenerationSummary(result));
    ShowCheckPanel();
    if (result.Failed == 0 && result.Written == 0 && request.Scope == GenerateScope::SelectedGame &&
        !result.SelectedLeftOut.empty())
        dialogs_.Tell(this,
                      ShownText(m_.Games[request.SelectedGame].GameRomName) + ": " + QtText(result.SelectedLeftOut) +
                          ".  No INI file was written.",
                      Dialogs::Icon::Information);
    else if (result.Failed == 0)
        dialogs_.Tell(this, "INI Files Successfully Created!\n\n" + GenerationCounts(result, request, m_.Config),
                      Dialogs::Icon::Information);
    else
        dialogs_.Tell(this,
                      GenerationFailure(result, m_.Config.MameINIPath) + "\n\n" +
                          GenerationCounts(result, request, m_.Config),
                      Dialogs::Icon::Warning);
    // Files the user changed were left as they are; reading them again lets the next generation
    // keep the user's lines.
    if (result.ChangedSinceRead > 0 &&
        dialogs_.Ask(this,
                     QString::number(result.ChangedSinceRead) +
                         " INI file(s) changed since Kelvaro read them and were left as they are.  Read the INI "
                         "folder again now?",
                     Dialogs::Icon::Question)) {
        ReadExistingINIFiles();
        FillGamesList();
    }
}

bool frmMain::MayCloseWithHandEdits() {
    const std::vector<int> games = HandEditedGames(m_);
    if (games.empty()) return true;
    const QString count = games.size() == 1 ? "1 game" : QString("%1 games").arg(games.size());
    switch (dialogs_.AskOrCancel(this,
                                 "The settings of " + count + " (" + SomeGames(m_, games) +
                                     ") were changed since the INI files were last generated and are not in their "
                                     "INI file(s) yet.  Generate their INI file(s) (in the folder " +
                                     QtText(m_.Config.MameINIPath) +
                                     ") before exiting?\n\nYes: generate them, then exit.  No: exit without "
                                     "them.  Cancel: stay.",
                                 Dialogs::Icon::Warning)) {
    case Dialogs::Answer::Yes: return WriteHandEdited();
    case Dialogs::Answer::No: return true;
    case Dialogs::Answer::Cancel: break;
    }
    return false;
}

bool frmMain::WriteHandEdited() {
    if (!FileExists(m_.Config.MameINIPath, true)) {
        dialogs_.Tell(this,
                      "The INI files cannot be generated: no INI folder is chosen (File > M.A.M.E. INI Path).  "
                      "Kelvaro stays open.",
                      Dialogs::Icon::Warning);
        return false;
    }
    GenerateRequest request;
    request.Scope = GenerateScope::AllGames;
    request.HandEditedOnly = true;
    const Result<GenerateResult> generated = GenerateINIFiles(m_, request, Sink());
    if (!generated) {
        dialogs_.Tell(this, QtText(generated.Reason()) + "  Kelvaro stays open.", Dialogs::Icon::Warning);
        return false;
    }
    TellRestored(generated->RestoredFirst);
    stbPanel3->SetOutcome(GenerationSummary(*generated));
    ShowCheckPanel();
    if (generated->Failed == 0) return true;
    dialogs_.Tell(this, GenerationFailure(*generated, m_.Config.MameINIPath) + "  Kelvaro stays open.",
                  Dialogs::Icon::Warning);
    return false;
}

void frmMain::cmdTestGame_Click() {
    if (!FileExists(m_.Config.MameExePath, false)) return;
    if (!dialogs_.Ask(this,
                      "This will run M.A.M.E. with the current settings for this game.  Make sure the video card "
                      "& monitor connected to this PC can handle the resolution specified!!  Are you sure you "
                      "want to continue?",
                      Dialogs::Icon::Warning))
        return;
    const int g = SelectedGame();
    if (g == 0) return;
    // The window keeps painting while the emulator runs, but takes no input, then or after.
    setEnabled(false);
    std::optional<InputHold> hold(std::in_place);
    const TestRunResult result = TestRunGame(m_, g, InputHold::Pump);
    hold.reset();
    setEnabled(true);
    TellRestored(result.RestoredFirst);
    if (result.Status == TestRunOutcome::FolderInUse) {
        dialogs_.Tell(this, QtText(result.Why.Reason()), Dialogs::Icon::Warning);
        return;
    }
    if (result.Status == TestRunOutcome::Ran) {
        // Only a run that went wrong is reported. The emulator's settings are asked for only when
        // its output names INI files (a real emulator's -verbose) or tells of a failure already.
        const VerboseRun run = ReadVerboseRun(result.Output, result.Errors);
        TestRunSetting setting{m_.Config.MameExePath, EmulatorFileName(m_.Games[g].GameRomName, ""),
                               m_.Config.MameINIPath, nullptr, m_.Games[g].GameINIText};
        std::string message = TestRunMessage(run, result.Exit, setting);
        if (run.NamesIniFiles || !message.empty()) {
            // The status bar follows what the emulator's files say now.
            CheckSetup(false);
            setting.Options = KnownEmulatorOptions();
            message = TestRunMessage(run, result.Exit, setting);
        }
        if (!message.empty()) dialogs_.Tell(this, QtText(message), Dialogs::Icon::Warning);
        return;
    }
    if (result.Status != TestRunOutcome::NotPrepared) return;
    if (m_.Config.MameINIPath.empty())
        dialogs_.Tell(this, "The test could not be prepared: no INI folder has been chosen (File > M.A.M.E. INI Path).",
                      Dialogs::Icon::Warning);
    else
        dialogs_.Tell(this,
                      "The test could not be prepared: the game's INI file could not be written in the folder " +
                          QtText(m_.Config.MameINIPath) + ".  Any INI file of the game is unchanged.",
                      Dialogs::Icon::Warning);
}

// ---- paths

void frmMain::mnuMAMEExe_Click() {
#ifdef _WIN32
    const QString filter = "Executable Files (*.exe)", suffix = "exe";
#else
    // Programs here carry no extension: any file the user may run is offered and accepted.
    const QString filter = "Executable Files (*)", suffix;
#endif
    const std::optional<QString> file =
        dialogs_.OpenFile(this, "Select M.A.M.E. Executable", filter, suffix, QtText(m_.Config.MameExePath));
    if (!file || file->isEmpty()) return;
    const std::string path = file->toStdString();
    if (!FileExists(path, false)) return;
#ifndef _WIN32
    if (!QFileInfo(*file).isExecutable()) return;
#endif
    m_.Config.MameExePath = path;
    CheckSetup(false);
}

void frmMain::mnuMAMEINIPath_Click() {
    const std::string path =
        dialogs_.BrowseForFolder(this, "Select M.A.M.E. INI Path", IniChooserStart()).toStdString();
    m_.Config.MameINIPath = FileExists(path, true) ? path : std::string();
    if (FileExists(m_.Config.MameExePath, false))
        CheckSetup(false);
    else
        ShowCheckPanel();
}

void frmMain::mnuMAMEROMPath_Click() {
    const std::string path = dialogs_.BrowseForFolder(this, "Select M.A.M.E. ROM Path").toStdString();
    m_.Config.MameROMPath = FileExists(path, true) ? path : std::string();
}

void frmMain::mnuAVGAFName_Click() {
    const QString preset = "avga9200.txt";
    const std::optional<QString> file =
        dialogs_.OpenFile(this, "Select Mode List (.txt) File Location", "Text Files (*.txt)", "txt", preset);
    if (file && !file->isEmpty() && FileExists(file->toStdString(), false))
        m_.Config.ModeListFile = file->toStdString();
    // A cancelled dialog still holds its preset name, so the current list is read again.
    const QString dialogName = file ? *file : preset;
    if (!dialogName.isEmpty() && FileExists(m_.Config.ModeListFile, false)) ReadAvailableModes();
}

void frmMain::mnuImportModes_Click() {
    if (!importModes_) importModes_ = new frmImportModes(dialogs_, this);
    const std::optional<frmImportModes::Chosen> chosen = importModes_->Choose();
    if (!chosen) return;
    const std::optional<QString> file =
        dialogs_.SaveFile(this, "Save the Imported Mode List As", "Text Files (*.txt)", "txt",
                          QtText(JoinPath(m_.Paths.DataFolder, "imported-modes.txt")));
    if (!file || file->isEmpty()) return;
    const std::string path = file->toStdString();
    if (!m_.Config.ModeListFile.empty() && SameFile(path, m_.Config.ModeListFile)) {
        if (!dialogs_.Ask(this,
                          "This will replace the mode list in use (" + *file +
                              ") with the imported modes.  Are you sure you want to continue?",
                          Dialogs::Icon::Warning))
            return;
    } else if (FileExists(path, true) &&
               !dialogs_.Ask(this, *file + " already exists.  Do you want to replace it with the imported modes?",
                             Dialogs::Icon::Warning)) {
        return;
    }
    std::error_code error;
    if (!WriteFileAtomic(path, FormatModeList(chosen->Import, chosen->Origin), &error)) {
        dialogs_.Tell(this,
                      "The imported mode list could not be saved (" + QtText(WriteFailure(path, error).Reason()) +
                          ").  The mode list in use is unchanged.",
                      Dialogs::Icon::Warning);
        return;
    }
    m_.Config.ModeListFile = path;
    ReadAvailableModes();
}

// ---- Help

namespace {

std::string ReadmeFile(const ProgramPaths& paths) { return FindShippedFile(paths.ProgramFolder, "readme.txt"); }

bool ViewerAvailable() {
#ifdef _WIN32
    return FileExists(JoinPath(GetWindowsFolder(), "notepad.exe"), false);
#else
    return !QStandardPaths::findExecutable("xdg-open").isEmpty();
#endif
}

} // namespace

void frmMain::mnuHelp_Click() { mnuMain->OfferReadme(!ReadmeFile(m_.Paths).empty() && ViewerAvailable()); }

void frmMain::mnuReadme_Click() {
    const std::string readme = ReadmeFile(m_.Paths);
    if (readme.empty()) return;
#ifdef _WIN32
    QProcess::startDetached(QtText(JoinPath(GetWindowsFolder(), "notepad.exe")), {QtText(readme)});
#else
    QDesktopServices::openUrl(QUrl::fromLocalFile(QtText(readme)));
#endif
}

void frmMain::mnuAbout_Click() {
    frmAbout box(this);
    box.exec();
}

} // namespace kelvaro
