#pragma once
#include <QMainWindow>
#include <QPointer>
#include <chrono>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/Model.h"
#include "core/Progress.h"
#include "core/Rotation.h"
#include "core/SettingsFile.h"
#include "emulator/EmulatorOptions.h"
#include "emulator/EmulatorSearch.h"
#include "emulator/SetupCheck.h"

class QAction;
class QLabel;
class QMenu;
class QPoint;
class QPushButton;
class QSortFilterProxyModel;
class QStatusBar;
class QTableView;
class QThread;
class QWidget;

namespace kelvaro {

class Dialogs;
class AvailModeModel;
class GameListModel;
class NativeModeModel;
class FindController;
class MenuBar;
class SetupPanel;
class frmGenerateINIs;
class frmImportModes;
class frmSummary;
class frmProgress;
class frmSettings;
class frmSetupCheck;
struct GenerateRequest;
struct NativeModeCounts;

// The main window: the three lists (native modes, their games, the card's modes), the menu bar
// and the status bar. It holds no data of its own: everything lives in the model, and the work is
// done by the core; the window wires the menu bar, the find controller and the setup panel to
// the lists, asks the questions, calls the core and shows the outcome.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(Model& model, Dialogs& dialogs, QWidget* parent = nullptr);
    ~frmMain() override;

    // The start-up: defaults, settings file, check marks, show, then the lists.
    void Start();

    // The game number of the selected row of the games list; 0 when there is none.
    int SelectedGame() const;
    // The games the games list shows, in list order.
    const std::vector<int>& ShownGames() const;

    // Builds the native mode list again (from the emulator when retrieve is set) and fills the lists.
    void BuildNativeModeList(bool retrieve, bool atStartUp);
    // How long the emulator may write nothing while it lists its games before the progress
    // window offers to end it (kEmulatorQuietTime unless set).
    void SetEmulatorQuietTime(std::chrono::milliseconds time) { emulatorQuietTime_ = time; }
    frmProgress& Progress(); // created on first use
    // What long operations report to: the progress window, made when an operation first begins.
    ProgressSink& Sink();
    // Where the emulator is looked for at a start without one (this system's places unless set).
    void SetEmulatorPlaces(EmulatorPlaces places) { emulatorPlaces_ = std::move(places); }
    // True while the setup check of the start runs in the background.
    [[nodiscard]] bool StartCheckRunning() const { return startCheck_ != nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The layout rules, applied on every resize and on a restore.
    void Form_Resize();

    // Procedures.
    void FillNativeModeView();
    void FillGamesList();
    void ReadAvailableModes();
    void FillAvailableModeView();
    void ReadExistingINIFiles();
    // Tells what was put right of a test run that did not end (nothing when told is empty).
    void TellRestored(const std::string& told);

    // Handlers, named after the control and its event. Find and Find Next are the find
    // controller's.
    void Form_Activate();
    void mnuFile_Click();
    void mnuView_Click();
    void mnuResSelection_Click();
    void mnuHelp_Click();
    void mnuExit_Click();
    void mnuMAMEExe_Click();
    void mnuMAMEINIPath_Click();
    void mnuMAMEROMPath_Click();
    void mnuLegacyMAME_Click(bool checked);
    void mnuAVGAFName_Click();
    void mnuImportModes_Click();
    void mnuGenerateINIs_Click();
    void mnuGenerate_Click();
    void mnuRefreshNative_Click();
    void mnuRefreshAVGA_Click();
    void mnuReadINIs_Click();
    void mnuSummary_Click();
    void mnuOrientation_Click(MonitorOrientation value);
    void mnuMonitorKind_Click(MonitorKind value);
    void mnuRotation_Click(PreferredRotation value);
    void mnuIgnoreInterlaced_Click(bool checked);
    void mnuMatchResWithin_Click(int index);
    void mnuMatchRefreshWithin_Click(int index);
    void mnuActionNotFound_Click();
    void mnuAutoSelect_Click();
    void mnuReadme_Click();
    void mnuAbout_Click();
    void mnuCheckSetup_Click();
    void lvwMain_ItemClick();
    void lvwMain_DblClick();
    void lvwMain_ContextMenu(const QPoint& at);
    void lvwGames_ItemClick();
    void lvwGames_DblClick();
    void lvwGames_ContextMenu(const QPoint& at);
    void mnuGamePopup_Click();
    void mnuGameGenerateINI_Click();
    void mnuGameOpenINI_Click();
    void lvwAVGA_KeyDown(int key);
    void cmd60Hz_Click();
    void cmdTestGame_Click();

    void CreateControls();
    void CreateMenus();
    void ConnectHandlers();
    void SetCheckMarks();
    void ShowCounts(const NativeModeCounts& counts);
    void SelectRow(QTableView* view, int row, bool scroll = false);
    // Selects the game of row `row` of the games list's model, wherever the sort shows it.
    void SelectGameRow(int row, bool scroll = false);
    // Selects native mode k (1-based), in sight, and lists its games.
    void ShowNativeMode(int k);
    // Selects game g of the games list, in sight, with the keyboard on the list; false when the
    // list does not show it.
    bool ShowGame(int g);
    // Generates the INI files the request chooses, after the question, and reports the outcome.
    void GenerateAndReport(const GenerateRequest& request);
    // Before the window closes: asks whether the games changed by hand since their INI files were
    // written get them first, and writes them on Yes. False when the window is to stay open (Cancel,
    // or a file that could not be written).
    bool MayCloseWithHandEdits();
    // Writes the INI files of the games changed by hand, as a generation does; false (after saying
    // why) unless every one was written.
    bool WriteHandEdited();
    // Grows the lists, the first status panel and the starting size to fit their texts.
    void MeasureTexts();
    void SetTestCaption(int game);
    void RefreshGameRows(const std::vector<int>& games);
    void EditSettings(SettingsDialogScope scope);
    frmSettings& SettingsDialog();
    frmGenerateINIs& GenerateDialog();
    void SaveSettingsOrWarn();
    void TellSettingsFileState(const Outcome& loaded, const SettingsFileProblems& problems);
    static int SelectedRow(const QTableView* view);
    void FitStatusPanel();
    void FitTestCaption();
    // The emulator setup check with the current settings (the emulator asked again when askAgain
    // is set, otherwise only when its files changed), following the game when one is named; the
    // setup panel shows its outcome. Without an executable there is nothing to check.
    SetupReport CheckSetup(bool askAgain, const std::string& game = {});
    // The setup panel, its tooltip naming the current paths.
    void ShowCheckPanel();
    // At a start without an emulator: proposes the one found, with its first INI folder.
    void ProposeEmulator();
    // At start: the setup panel shows the kept outcome of the last check when nothing it read
    // has changed since; otherwise the check runs in the background and the panel shows its
    // outcome when it comes.
    void ShowSetupAtStart();
    // The file that keeps the last check's outcome for the next start.
    [[nodiscard]] std::string SetupStateFile() const;
    // The emulator's options from the cache; nothing when there is no executable or it cannot be
    // asked.
    const EmulatorOptions* KnownEmulatorOptions();
    // Where the INI folder chooser opens: the emulator's first INI folder while none is chosen.
    QString IniChooserStart();

    // Controls. Each carries its name as objectName; an item of a group is "mnuRotation_1".
    QWidget* picMain = nullptr; // the client area between the menu bar and the status bar
    QLabel* lblUnique = nullptr;
    QTableView* lvwMain = nullptr;
    QTableView* lvwGames = nullptr;
    QLabel* lblAVGA = nullptr;
    QTableView* lvwAVGA = nullptr;
    QPushButton* cmdTestGame = nullptr;
    QPushButton* cmd60Hz = nullptr;
    QStatusBar* stbMain = nullptr;
    QLabel* stbPanel1 = nullptr;
    QLabel* stbPanel2 = nullptr;
    SetupPanel* stbPanel3 = nullptr;

    MenuBar* mnuMain = nullptr;
    // The lists' context menus.
    QMenu* mnuGamePopup = nullptr;
    QAction* mnuGameSettings = nullptr;
    QAction* mnuGameTest = nullptr;
    QAction* mnuGameGenerateINI = nullptr;
    QAction* mnuGameOpenINI = nullptr;
    QMenu* mnuModePopup = nullptr;
    QAction* mnuModeSettings = nullptr;

    Model& m_;
    Dialogs& dialogs_;
    NativeModeModel* nativeModel_ = nullptr;
    GameListModel* gamesModel_ = nullptr;
    QSortFilterProxyModel* gamesSort_ = nullptr; // the games list's display order
    AvailModeModel* availModel_ = nullptr;
    frmProgress* progress_ = nullptr;
    std::unique_ptr<ProgressSink> sink_;
    frmSettings* settings_ = nullptr;
    frmGenerateINIs* generate_ = nullptr;
    frmImportModes* importModes_ = nullptr;
    frmSummary* summary_ = nullptr;
    frmSetupCheck* setupCheck_ = nullptr;
    FindController* find_ = nullptr;
    EmulatorOptionsCache emulatorOptions_;
    std::optional<EmulatorPlaces> emulatorPlaces_;
    QThread* startCheck_ = nullptr; // the start's setup check, while it runs
    int checkRound_ = 0;            // counts the checks: an outcome older than the last is dropped
    std::chrono::milliseconds emulatorQuietTime_;
    bool exiting_ = false;   // File > Exit: close without the question
    bool selecting_ = false; // a row is being selected by the program, not by the user
    int mainPressRow_ = -1;  // the selected native mode when the mouse went down on lvwMain
    // The control that had the keyboard last: disabling the window for a long operation takes the
    // focus from it, and it gets it back when the window is enabled again.
    QPointer<QWidget> lastFocus_;
    // What the texts need, in pixels: the widths of the native mode and available mode lists and of
    // the first status panel; the design widths grow to them.
    int mainNeed_ = 0, availNeed_ = 0, panel1Need_ = 0;
    QString testTitle_; // the title the Test button names, whole
};

} // namespace kelvaro
