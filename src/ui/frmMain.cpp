#include "ui/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStatusBar>
#include <QTableView>
#include <QThread>
#include <algorithm>

#include "core/SettingsFile.h"
#include "gamelist/NativeModes.h"
#include "ini/IniFiles.h"
#include "ini/TestRunRecord.h"
#include "modes/AvailableModes.h"
#include "modes/SelectionOptions.h"
#include "platform/Files.h"
#include "ui/AvailModeModel.h"
#include "ui/Dialogs.h"
#include "ui/FindController.h"
#include "ui/GameListModel.h"
#include "ui/MenuBar.h"
#include "ui/NativeModeModel.h"
#include "ui/QtText.h"
#include "ui/ScreenFit.h"
#include "ui/SetupPanel.h"
#include "ui/ShownText.h"
#include "ui/frmGenerateINIs.h"
#include "ui/frmProgress.h"
#include "ui/frmSettings.h"

namespace kelvaro {

frmMain::frmMain(Model& model, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_(model), dialogs_(dialogs),
      sink_(std::make_unique<ProgressOnDemand>([this]() -> frmProgress& { return Progress(); })),
      emulatorQuietTime_(kEmulatorQuietTime) {
    setObjectName("frmMain");
    setWindowTitle("Kelvaro");
    CreateMenus();
    CreateControls();
    find_ = new FindController(m_, dialogs_,
                               {this, [this] { return SelectedRow(lvwMain) + 1; }, [this](int k) { ShowNativeMode(k); },
                                [this]() -> const std::vector<int>& { return ShownGames(); },
                                [this](int g) { return ShowGame(g); }},
                               this);
    ConnectHandlers();
}

frmMain::~frmMain() {
    // The start's setup check holds nothing of the window; it ends within the emulator's time limit.
    if (startCheck_) {
        startCheck_->wait();
        delete startCheck_;
    }
}

void frmMain::ConnectHandlers() {
    connect(mnuMain, &MenuBar::FileOpening, this, &frmMain::mnuFile_Click);
    connect(mnuMain, &MenuBar::ViewOpening, this, &frmMain::mnuView_Click);
    connect(mnuMain, &MenuBar::SelectionOpening, this, &frmMain::mnuResSelection_Click);
    connect(mnuMain, &MenuBar::HelpOpening, this, &frmMain::mnuHelp_Click);

    connect(mnuMain, &MenuBar::ChooseEmulator, this, &frmMain::mnuMAMEExe_Click);
    connect(mnuMain, &MenuBar::ChooseIniFolder, this, &frmMain::mnuMAMEINIPath_Click);
    connect(mnuMain, &MenuBar::ChooseRomFolder, this, &frmMain::mnuMAMEROMPath_Click);
    connect(mnuMain, &MenuBar::LegacyMameToggled, this, &frmMain::mnuLegacyMAME_Click);
    connect(mnuMain, &MenuBar::ChooseModeList, this, &frmMain::mnuAVGAFName_Click);
    connect(mnuMain, &MenuBar::ImportModes, this, &frmMain::mnuImportModes_Click);
    connect(mnuMain, &MenuBar::GenerateINIs, this, &frmMain::mnuGenerateINIs_Click);
    connect(mnuMain, &MenuBar::Exit, this, &frmMain::mnuExit_Click);
    connect(mnuMain, &MenuBar::FindGame, find_, &FindController::mnuFind_Click);
    connect(mnuMain, &MenuBar::FindNext, find_, &FindController::mnuFindNext_Click);
    connect(mnuMain, &MenuBar::GenerateNativeModes, this, &frmMain::mnuGenerate_Click);
    connect(mnuMain, &MenuBar::RefreshNativeModes, this, &frmMain::mnuRefreshNative_Click);
    connect(mnuMain, &MenuBar::RefreshAvailableModes, this, &frmMain::mnuRefreshAVGA_Click);
    connect(mnuMain, &MenuBar::ReadINIs, this, &frmMain::mnuReadINIs_Click);
    connect(mnuMain, &MenuBar::Summary, this, &frmMain::mnuSummary_Click);
    connect(mnuMain, &MenuBar::OrientationChosen, this, &frmMain::mnuOrientation_Click);
    connect(mnuMain, &MenuBar::MonitorKindChosen, this, &frmMain::mnuMonitorKind_Click);
    connect(mnuMain, &MenuBar::RotationChosen, this, &frmMain::mnuRotation_Click);
    connect(mnuMain, &MenuBar::IgnoreInterlacedToggled, this, &frmMain::mnuIgnoreInterlaced_Click);
    connect(mnuMain, &MenuBar::MatchResChosen, this, &frmMain::mnuMatchResWithin_Click);
    connect(mnuMain, &MenuBar::MatchRefreshChosen, this, &frmMain::mnuMatchRefreshWithin_Click);
    connect(mnuMain, &MenuBar::NotFoundSettings, this, &frmMain::mnuActionNotFound_Click);
    connect(mnuMain, &MenuBar::AutoSelect, this, &frmMain::mnuAutoSelect_Click);
    connect(mnuMain, &MenuBar::Readme, this, &frmMain::mnuReadme_Click);
    connect(mnuMain, &MenuBar::About, this, &frmMain::mnuAbout_Click);
    connect(mnuMain, &MenuBar::CheckSetup, this, &frmMain::mnuCheckSetup_Click);

    // A row chosen with the mouse or the keyboard counts as a click on it. A click on the native
    // mode already selected changes no row, yet still refills its games.
    connect(lvwMain->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!selecting_ && SelectedRow(lvwMain) >= 0) lvwMain_ItemClick();
    });
    connect(lvwMain, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.row() == mainPressRow_) lvwMain_ItemClick();
    });
    lvwMain->viewport()->installEventFilter(this);
    connect(lvwMain, &QAbstractItemView::doubleClicked, this, &frmMain::lvwMain_DblClick);
    connect(lvwGames->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!selecting_) lvwGames_ItemClick();
    });
    connect(lvwGames, &QAbstractItemView::clicked, this, &frmMain::lvwGames_ItemClick);
    connect(lvwGames, &QAbstractItemView::doubleClicked, this, &frmMain::lvwGames_DblClick);
    lvwAVGA->installEventFilter(this);
    lvwMain->installEventFilter(this);
    lvwGames->installEventFilter(this);
    connect(lvwMain, &QWidget::customContextMenuRequested, this, &frmMain::lvwMain_ContextMenu);
    connect(lvwGames, &QWidget::customContextMenuRequested, this, &frmMain::lvwGames_ContextMenu);
    connect(mnuGamePopup, &QMenu::aboutToShow, this, &frmMain::mnuGamePopup_Click);
    connect(mnuGameSettings, &QAction::triggered, this, &frmMain::lvwGames_DblClick);
    connect(mnuGameTest, &QAction::triggered, this, &frmMain::cmdTestGame_Click);
    connect(mnuGameGenerateINI, &QAction::triggered, this, &frmMain::mnuGameGenerateINI_Click);
    connect(mnuGameOpenINI, &QAction::triggered, this, &frmMain::mnuGameOpenINI_Click);
    connect(mnuModePopup, &QMenu::aboutToShow, this, [this] { mnuModeSettings->setEnabled(SelectedGame() != 0); });
    connect(mnuModeSettings, &QAction::triggered, this, &frmMain::lvwMain_DblClick);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() == this) lastFocus_ = now;
    });
    // A sort keeps the selected game selected, and in sight.
    connect(lvwGames->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this] { lvwGames->scrollTo(lvwGames->currentIndex()); });
    connect(cmd60Hz, &QPushButton::clicked, this, &frmMain::cmd60Hz_Click);
    connect(cmdTestGame, &QPushButton::clicked, this, &frmMain::cmdTestGame_Click);
}

void frmMain::Start() {
    m_.Games.Clear();
    m_.NativeModes.Clear();
    m_.AvailModes.Clear();
    m_.AvailWidthList.Clear();
    m_.AvailHeightList.Clear();
    m_.GameList.Clear();
    nativeModel_->Reset();
    gamesModel_->SetGames({});
    availModel_->Reset();
    stbPanel1->clear();
    stbPanel2->clear();
    stbPanel3->Clear();

    m_.Config = DefaultSettings(m_.Paths);
    SettingsFileProblems problems;
    const Outcome loaded = LoadSettings(m_, &problems);
    m_.Config.MonitorOrientation = ValidOrientation(m_.Config.MonitorOrientation);
    m_.Config.PreferredRotation = ValidRotation(m_.Config.PreferredRotation);
    SetCheckMarks();

    ShowOnScreen(this);
    QCoreApplication::processEvents();
    TellSettingsFileState(loaded, problems);
    if (loaded && m_.Config.MameExePath.empty()) ProposeEmulator();

    m_.INIsGenerated = false;
    ReadAvailableModes();
    BuildNativeModeList(false, true);
    ShowCheckPanel();
    ShowSetupAtStart();
}

void frmMain::SetCheckMarks() {
    mnuMain->ShowLegacyMame(m_.Config.LegacyMame);
    mnuMain->ShowOrientation(m_.Config.MonitorOrientation);
    mnuMain->ShowMonitorKind(m_.Config.MonitorKind);
    mnuMain->ShowRotation(m_.Config.PreferredRotation);
    mnuMain->ShowIgnoreInterlaced(m_.Config.IgnoreInterlaced);
    mnuMain->ShowMatchResItem(MatchResItem(m_.Config.MatchResWithin));
    mnuMain->ShowMatchRefreshItem(MatchRefreshItem(m_.Config.MatchRefreshWithin));
}

frmProgress& frmMain::Progress() {
    if (!progress_) progress_ = new frmProgress(this);
    return *progress_;
}

ProgressSink& frmMain::Sink() { return *sink_; }

frmSettings& frmMain::SettingsDialog() {
    if (!settings_) settings_ = new frmSettings(m_, this);
    return *settings_;
}

frmGenerateINIs& frmMain::GenerateDialog() {
    if (!generate_) generate_ = new frmGenerateINIs(m_, this);
    return *generate_;
}

// One message for all that was wrong with the settings file at start, so that a damaged or
// unreadable file never passes unnoticed.
void frmMain::TellSettingsFileState(const Outcome& loaded, const SettingsFileProblems& problems) {
    const QString file = QString::fromStdString(m_.SettingsFile());
    if (!loaded) {
        dialogs_.Tell(this,
                      "The settings file could not be read (" + QString::fromStdString(loaded.Reason()) +
                          ").  The default settings are used, and the settings of this run will not be saved, "
                          "so that " +
                          file + " stays as it is.",
                      Dialogs::Icon::Warning);
        return;
    }
    if (problems.Empty()) return;
    QString text = "The settings file " + file + " is damaged:\n";
    for (const std::string& line : problems.Lines) text += "\n" + QString::fromStdString(line);
    text += "\n\nThe default settings are used in place of these.";
    if (problems.WrongLineCount)
        text += "  The file as it is now will be kept as " + file + ".bad when the settings are saved.";
    dialogs_.Tell(this, text, Dialogs::Icon::Warning);
}

// ---- closing

void frmMain::SaveSettingsOrWarn() {
    // Told at start: the file that could not be read is not written over.
    if (m_.SettingsUnreadable) return;
    if (!SaveSettings(m_))
        dialogs_.Tell(this,
                      "The settings could not be saved in " + QString::fromStdString(m_.SettingsFile()) +
                          ".  The settings file there is unchanged.",
                      Dialogs::Icon::Warning);
}

void frmMain::mnuExit_Click() {
    if (!MayCloseWithHandEdits()) return;
    SaveSettingsOrWarn();
    exiting_ = true;
    close();
}

void frmMain::closeEvent(QCloseEvent* event) {
    // While an operation runs (or the emulator is tested) the window takes no input, and a close
    // request from the window manager must not end the run halfway.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    if (!exiting_) {
        // Settings made by hand and not written are worth a question of their own, which also
        // answers the general one.
        const bool mayClose =
            !HandEditedGames(m_).empty()
                ? MayCloseWithHandEdits()
                : m_.INIsGenerated ||
                      dialogs_.Ask(this, "No INI files have been generated.  Are you sure you want to exit?",
                                   Dialogs::Icon::Warning);
        if (!mayClose) {
            event->ignore();
            return;
        }
        SaveSettingsOrWarn();
    }
    if (progress_) progress_->hide();
    event->accept();
}

// ---- activation and the lists' mouse and keys

void frmMain::Form_Activate() { unsetCursor(); }

bool frmMain::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) Form_Activate();
    return QMainWindow::event(event);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lvwMain->viewport() && event->type() == QEvent::MouseButtonPress) {
        mainPressRow_ = SelectedRow(lvwMain);
    } else if (watched == lvwAVGA && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        lvwAVGA_KeyDown(key);
        return key == Qt::Key_Delete || key == Qt::Key_Backspace;
    } else if ((watched == lvwGames || watched == lvwMain) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const Qt::KeyboardModifiers modifiers = static_cast<QKeyEvent*>(event)->modifiers() & ~Qt::KeypadModifier;
        // The menu key and Shift+F10 open the context menu at the selected row; not every
        // platform turns them into a context menu request of its own.
        if ((key == Qt::Key_Menu && !modifiers) || (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
            QTableView* view = watched == lvwGames ? lvwGames : lvwMain;
            const int row = SelectedRow(view);
            if (row < 0) return true;
            const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
            watched == lvwGames ? lvwGames_ContextMenu(at) : lvwMain_ContextMenu(at);
            return true;
        }
        if (modifiers) return false;
        // Enter (and F2 on a game) opens the settings as a double-click does.
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (watched == lvwGames && (enter || key == Qt::Key_F2)) {
            lvwGames_DblClick();
            return true;
        }
        if (watched == lvwMain && enter) {
            lvwMain_DblClick();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

int frmMain::SelectedRow(const QTableView* view) {
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

void frmMain::SelectRow(QTableView* view, int row, bool scroll) {
    selecting_ = true;
    const QModelIndex index = view->model()->index(row, 0);
    if (index.isValid()) {
        view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        if (scroll) view->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
    selecting_ = false;
}

void frmMain::SelectGameRow(int row, bool scroll) {
    SelectRow(lvwGames, gamesSort_->mapFromSource(gamesModel_->index(row, 0)).row(), scroll);
}

int frmMain::SelectedGame() const {
    const int row = SelectedRow(lvwGames);
    return row < 0 ? 0 : gamesModel_->GameAt(gamesSort_->mapToSource(gamesSort_->index(row, 0)).row());
}

const std::vector<int>& frmMain::ShownGames() const { return gamesModel_->Games(); }

// ---- native modes

void frmMain::BuildNativeModeList(bool retrieve, bool atStartUp) {
    Outcome retrieval;
    const Result<NativeModeCounts> counts =
        kelvaro::BuildNativeModeList(m_, retrieve, atStartUp, Sink(), &retrieval, emulatorQuietTime_);
    if (counts) {
        find_->ForgetFound(); // the games are numbered afresh
        FillNativeModeView();
        mnuMain->OfferAutoSelect(true);
        ShowCounts(*counts);
        SelectRow(lvwMain, 0);
        ReadExistingINIFiles();
        FillGamesList();
    }
    // At start-up a missing list is no news (there is none before the first run of the emulator);
    // anything else in its place that cannot be read is.
    const std::error_code notAFile = NotARegularFile(m_.GameListFile());
    if (!counts && atStartUp && notAFile && notAFile != std::errc::no_such_file_or_directory)
        dialogs_.Tell(this,
                      "The game list could not be read (" + ShownText(counts.Reason()) +
                          ").  The Native Mode List is empty.",
                      Dialogs::Icon::Warning);
    // Told once the lists show the tables again, which the build has replaced.
    if (!retrieval) {
        QString text = "The game list could not be retrieved: " + ShownText(retrieval.Reason()) + ".";
        if (FileExists(m_.GameListFile(), false)) text += "  The previous list is kept.";
        dialogs_.Tell(this, text, Dialogs::Icon::Warning);
    }
}

void frmMain::FillNativeModeView() {
    nativeModel_->Reset();
    SelectRow(lvwMain, 0);
}

void frmMain::ShowCounts(const NativeModeCounts& counts) {
    // The panels are as wide as the lists above them; a count too long for one shows whole on hover.
    stbPanel1->setText(QString::fromStdString(counts.Panel1()));
    stbPanel1->setToolTip(stbPanel1->text());
    stbPanel2->setText(QString::fromStdString(counts.Panel2()));
    stbPanel2->setToolTip(stbPanel2->text());
    MeasureTexts();
    Form_Resize();
}

void frmMain::ReadExistingINIFiles() {
    // A test run ended by a kill left the user's file aside: it is put back before the folder is read.
    TellRestored(RestoreLeftTestRunNow(m_.Config.MameINIPath));
    if (kelvaro::ReadExistingINIFiles(m_, Sink()) == ReadIniOutcome::ListsEmpty)
        dialogs_.Tell(this, "INI files cannot be read unless both Native Mode and Available Mode Lists are populated.",
                      Dialogs::Icon::Warning);
}

void frmMain::TellRestored(const std::string& told) {
    if (!told.empty()) dialogs_.Tell(this, QtText(told), Dialogs::Icon::Information);
}

void frmMain::lvwMain_ItemClick() { FillGamesList(); }

void frmMain::lvwMain_DblClick() {
    if (SelectedGame() != 0) EditSettings(SettingsDialogScope::NativeMode);
}

// ---- games

void frmMain::FillGamesList() {
    // Every fill shows the games in table order until a header is clicked.
    lvwGames->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    gamesModel_->SetGames({});
    if (m_.Games.Empty()) return;
    const int k = SelectedRow(lvwMain) + 1;
    gamesModel_->SetGames(k >= 1 ? GamesOfNativeMode(m_, k) : std::vector<int>{});
    if (ShownGames().empty()) {
        // A native mode can have no game of its own (a raster game listed without a size).
        testTitle_.clear();
        cmdTestGame->setText("&Test");
        cmdTestGame->setEnabled(false);
        return;
    }
    SelectGameRow(0);
    lvwGames->scrollToTop();
    SetTestCaption(ShownGames().front());
    cmdTestGame->setEnabled(true);
}

void frmMain::ShowNativeMode(int k) {
    SelectRow(lvwMain, k - 1, true);
    FillGamesList();
}

bool frmMain::ShowGame(int g) {
    const auto& shown = ShownGames();
    const auto at = std::find(shown.begin(), shown.end(), g);
    if (at == shown.end()) return false;
    SelectGameRow(static_cast<int>(at - shown.begin()), true);
    SetTestCaption(g);
    lvwGames->setFocus();
    return true;
}

void frmMain::SetTestCaption(int game) {
    testTitle_ = ShownText(m_.Games[game].GameDescription);
    FitTestCaption();
}

// A title too long for the button is cut at its end, never the caption at both ends.
void frmMain::FitTestCaption() {
    if (testTitle_.isEmpty()) return;
    const QFontMetrics font = cmdTestGame->fontMetrics();
    const int margins =
        cmdTestGame->sizeHint().width() - font.horizontalAdvance(QString(cmdTestGame->text()).remove('&'));
    const int room = cmdTestGame->width() - margins - font.horizontalAdvance("Test ''");
    cmdTestGame->setText("&Test '" + font.elidedText(testTitle_, Qt::ElideRight, std::max(0, room)) + "'");
}

void frmMain::lvwGames_ItemClick() {
    if (const int g = SelectedGame()) SetTestCaption(g);
}

void frmMain::lvwGames_DblClick() {
    if (SelectedGame() != 0) EditSettings(SettingsDialogScope::OneGame);
}

// A right-click selects the row under the mouse first; the menu key opens the menu at the selected
// row.
namespace {
QPoint MenuPlace(QTableView* view, const QPoint& at) {
    const QModelIndex under = view->indexAt(at);
    if (under.isValid()) {
        if (!view->selectionModel()->isRowSelected(under.row(), {}))
            view->selectionModel()->setCurrentIndex(under,
                                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        return view->viewport()->mapToGlobal(at);
    }
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    if (rows.isEmpty()) return view->viewport()->mapToGlobal(at);
    return view->viewport()->mapToGlobal(view->visualRect(rows.constFirst()).center());
}
} // namespace

void frmMain::lvwMain_ContextMenu(const QPoint& at) {
    const QPoint place = MenuPlace(lvwMain, at);
    if (SelectedRow(lvwMain) >= 0) mnuModePopup->exec(place);
}

void frmMain::lvwGames_ContextMenu(const QPoint& at) {
    const QPoint place = MenuPlace(lvwGames, at);
    if (SelectedGame() != 0) mnuGamePopup->exec(place);
}

void frmMain::mnuGamePopup_Click() {
    const int g = SelectedGame();
    mnuGameSettings->setEnabled(g != 0);
    mnuGameTest->setEnabled(g != 0 && cmdTestGame->isEnabled());
    // As File > Generate INI File(s), for this game alone.
    mnuGameGenerateINI->setEnabled(g != 0 && !m_.AvailModes.Empty() && FileExists(m_.Config.MameINIPath, true));
    const std::string ini = g != 0 ? IniFilePath(m_, m_.Games[g].GameRomName) : std::string();
    mnuGameOpenINI->setEnabled(!ini.empty() && FileExists(ini, false));
}

void frmMain::EditSettings(SettingsDialogScope scope) {
    const int selected = SelectedGame();
    std::vector<int> changed = SettingsDialog().Edit(scope, selected, ShownGames());
    // Opening the dialog alone may rewrite the selected game's resolution line.
    changed.push_back(selected);
    RefreshGameRows(changed);
}

void frmMain::RefreshGameRows(const std::vector<int>& games) { gamesModel_->GamesChanged(games); }

// ---- available modes

void frmMain::ReadAvailableModes() {
    std::vector<ModeLineWarning> warnings;
    const Outcome read = kelvaro::ReadAvailableModes(m_, &warnings);
    FillAvailableModeView();
    if (!warnings.empty()) {
        // A long list of odd lines is cut: the first few show the user what to mend.
        constexpr size_t kShown = 10;
        QString text = "Some lines of the mode list " + QtText(m_.Config.ModeListFile) + " give no plain rate:\n";
        for (size_t k = 0; k < std::min(warnings.size(), kShown); ++k)
            text += "\n" + QtText(ModeLineWarningText(warnings[k]));
        if (warnings.size() > kShown) text += "\n... and " + QString::number(warnings.size() - kShown) + " more";
        dialogs_.Tell(this, text, Dialogs::Icon::Warning);
    }
    cmd60Hz->setEnabled(!m_.AvailModes.Empty());
    // Without a mode list chosen (a first start without the default list) there is nothing to tell.
    if (!read && !m_.Config.ModeListFile.empty())
        dialogs_.Tell(this,
                      "The mode list could not be read (" + ShownText(read.Reason()) +
                          ").  The Available Mode List is empty.",
                      Dialogs::Icon::Warning);
}

void frmMain::FillAvailableModeView() {
    availModel_->Reset();
    SelectRow(lvwAVGA, 0);
}

void frmMain::lvwAVGA_KeyDown(int key) {
    if (availModel_->rowCount() == 0) return;
    if (key == Qt::Key_Delete || key == Qt::Key_Backspace) {
        RemoveAvailableMode(m_, SelectedRow(lvwAVGA) + 1);
        FillAvailableModeView();
    }
    cmd60Hz->setEnabled(!m_.AvailModes.Empty());
}

// ---- menus opening

void frmMain::mnuFile_Click() {
    mnuMain->OfferGenerateINIs(!m_.AvailModes.Empty() && !m_.Games.Empty() && FileExists(m_.Config.MameINIPath, true));
}

void frmMain::mnuView_Click() {
    mnuMain->OfferEmulatorRuns(FileExists(m_.Config.MameExePath, false));
    mnuMain->OfferRefreshAvailable(FileExists(m_.Config.ModeListFile, false));
    mnuMain->OfferReadINIs(!m_.NativeModes.Empty() && FileExists(m_.Config.MameINIPath, true) &&
                           !m_.AvailModes.Empty());
    mnuMain->OfferSummary(!m_.AvailModes.Empty() && !m_.Games.Empty());
}

void frmMain::mnuResSelection_Click() { mnuMain->OfferSelectionCommands(!m_.AvailModes.Empty() && !m_.Games.Empty()); }

} // namespace kelvaro
