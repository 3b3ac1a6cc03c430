// The main window's controls, its menu tree and the rules that place the controls on a resize.
#include <QAction>
#include <QActionGroup>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QStatusBar>
#include <QTableView>
#include <cmath>

#include "ui/AvailModeModel.h"
#include "ui/GameListModel.h"
#include "ui/NativeModeModel.h"
#include "ui/ReportView.h"
#include "ui/frmMain.h"

namespace kelvaro {

namespace {

// The controls' measures are kept in twips (1/1440 inch), as the window was designed.
constexpr double kClientWidth = 16095, kClientHeight = 9435;
constexpr double kLabelTop = 120, kLabelHeight = 255;
constexpr double kListTop = 360, kDesignListHeight = 7215;
constexpr double kMainLeft = 120, kMainWidth = 2340;
constexpr double kAvailWidth = 3375;
constexpr double kButtonHeight = 375;
constexpr double kGap = 120;
constexpr double kStatusHeight = 255;

// The labels were measured for a narrower font than most desktops have; a caption is never cut.
void FitCaption(QLabel* label) {
    label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
}

QAction* Item(QMenu* menu, const char* name, const QString& caption, bool checkable = false) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setCheckable(checkable);
    return action;
}

QMenu* Submenu(QWidget* parent, const char* name, const QString& caption) {
    auto* menu = new QMenu(caption, parent);
    menu->setObjectName(name);
    return menu;
}

// An indexed group of check items of which exactly one is checked.
template <size_t N>
void Group(QMenu* menu, QAction* (&items)[N], const char* name, std::initializer_list<const char*> captions) {
    auto* group = new QActionGroup(menu);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    size_t i = 0;
    for (const char* caption : captions) {
        items[i] = Item(menu, QStringLiteral("%1_%2").arg(name).arg(i).toLatin1().constData(), caption, true);
        group->addAction(items[i]);
        ++i;
    }
}

} // namespace

int frmMain::Twips(double twips, bool vertical) const {
    const int dpi = vertical ? logicalDpiY() : logicalDpiX();
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

void frmMain::CreateControls() {
    picMain = new QWidget(this);
    picMain->setObjectName("picMain");
    setCentralWidget(picMain);

    auto place = [this](QWidget* w, double left, double top, double width, double height) {
        w->setGeometry(Twips(left, false), Twips(top, true), Twips(width, false), Twips(height, true));
    };

    lblUnique = new QLabel("Native Modes:", picMain);
    lblUnique->setObjectName("lblUnique");
    place(lblUnique, 195, kLabelTop, 1095, kLabelHeight);
    FitCaption(lblUnique);

    lvwMain = ReportView(picMain, "lvwMain");
    nativeModel_ = new NativeModeModel(m_, this);
    lvwMain->setModel(nativeModel_);
    SetColumnWidths(lvwMain, {"000", "256 x 224 @ 60.61Hz H"});
    place(lvwMain, kMainLeft, kListTop, kMainWidth, kDesignListHeight);

    lvwGames = ReportView(picMain, "lvwGames");
    gamesModel_ = new GameListModel(m_, this);
    lvwGames->setModel(gamesModel_);
    SetColumnWidths(lvwGames, {"00000", "Pac-Man (Midway, with a long title)", "PUCKMANB", "1024 x 768 @ 60Hz", ""});
    lvwGames->horizontalHeader()->setStretchLastSection(true);
    place(lvwGames, 2520, kListTop, 8895, kDesignListHeight);

    cmdTestGame = new QPushButton("&Test", picMain);
    cmdTestGame->setObjectName("cmdTestGame");
    cmdTestGame->setEnabled(false); // until the games list is first filled
    place(cmdTestGame, 2520, 7560, 6015, kButtonHeight);

    lblAVGA = new QLabel("Available Modes (DEL to Remove):", picMain);
    lblAVGA->setObjectName("lblAVGA");
    place(lblAVGA, 11595, kLabelTop, 3255, kLabelHeight);
    FitCaption(lblAVGA);

    lvwAVGA = ReportView(picMain, "lvwAVGA");
    availModel_ = new AvailModeModel(m_, this);
    lvwAVGA->setModel(availModel_);
    SetColumnWidths(lvwAVGA, {"00", "1024 x 768 @ 60Hz", "No"});
    place(lvwAVGA, 11520, kListTop, kAvailWidth, kDesignListHeight);

    cmd60Hz = new QPushButton("Remove non-&60Hz Modes", picMain);
    cmd60Hz->setObjectName("cmd60Hz");
    cmd60Hz->setEnabled(false); // until the available mode table has rows
    place(cmd60Hz, 11520, 7560, 2055, kButtonHeight);

    stbMain = new QStatusBar(this);
    stbMain->setObjectName("stbMain");
    stbMain->setSizeGripEnabled(false);
    // At least its design height; a taller desktop font makes it taller.
    stbMain->setMinimumHeight(std::max(Twips(kStatusHeight, true), fontMetrics().height() + 8));
    setStatusBar(stbMain);
    // The panels are placed by the layout rules, not by the status bar: panels wider than the
    // window are cut off at its edge instead of widening it.
    stbPanel1 = new QLabel(stbMain);
    stbPanel1->setObjectName("stbPanel1");
    stbPanel1->setAlignment(Qt::AlignCenter);
    stbPanel2 = new QLabel(stbMain);
    stbPanel2->setObjectName("stbPanel2");
    stbPanel2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (QLabel* panel : {stbPanel1, stbPanel2}) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(4);
    }
    PlaceStatusPanels(kMainWidth + 220, 8895 + kAvailWidth + 440);

    // The client area it was designed with, below the menu bar (made before the controls).
    resize(Twips(kClientWidth, false), menuBar()->sizeHint().height() + Twips(kClientHeight, true));
}

void frmMain::CreateMenus() {
    QMenuBar* bar = menuBar();

    mnuFile = Submenu(this, "mnuFile", "&File");
    mnuMAMEExe = Item(mnuFile, "mnuMAMEExe", "M.A.M.E. &Executable Location");
    mnuMAMEINIPath = Item(mnuFile, "mnuMAMEINIPath", "M.A.M.E. &INI Path");
    mnuMAMEROMPath = Item(mnuFile, "mnuMAMEROMPath", "M.A.M.E. &ROM Path (optional)");
    mnuLegacyMAME = Item(mnuFile, "mnuLegacyMAME", "&Legacy M.A.M.E. (v0.83 && previous)", true);
    mnuFile->addSeparator();
    mnuAVGAFName = Item(mnuFile, "mnuAVGAFName", "&Available Mode List (.txt) File Location");
    mnuFile->addSeparator();
    mnuGenerateINIs = Item(mnuFile, "mnuGenerateINIs", "&Generate INI File(s)");
    mnuFile->addSeparator();
    mnuExit = Item(mnuFile, "mnuExit", "E&xit");
    bar->addMenu(mnuFile);

    mnuEdit = Submenu(this, "mnuEdit", "&Edit");
    mnuFind = Item(mnuEdit, "mnuFind", "&Find Game");
    bar->addMenu(mnuEdit);

    mnuView = Submenu(this, "mnuView", "&View");
    mnuGenerate = Item(mnuView, "mnuGenerate", "&Generate Native Mode List");
    mnuRefreshNative = Item(mnuView, "mnuRefreshNative", "Refresh &Native Mode List");
    mnuView->addSeparator();
    mnuRefreshAVGA = Item(mnuView, "mnuRefreshAVGA", "Refresh &Available Mode List");
    mnuView->addSeparator();
    mnuReadINIs = Item(mnuView, "mnuReadINIs", "Read Existing &INI Files");
    bar->addMenu(mnuView);

    mnuResSelection = Submenu(this, "mnuResSelection", "Video Mode &Selection");
    mnuMonitor = Submenu(mnuResSelection, "mnuMonitor", "Monitor &Orientation");
    Group(mnuMonitor, mnuOrientation, "mnuOrientation", {"&Horizontal", "&Vertical", "&Rotating (Both)"});
    mnuResSelection->addMenu(mnuMonitor);
    mnuPrefRotation = Submenu(mnuResSelection, "mnuPrefRotation", "Preferred &Rotation (for Vertical Monitors)");
    Group(mnuPrefRotation, mnuRotation, "mnuRotation", {"Clockwise (&Right)", "Anti-Clockwise (&Left)"});
    mnuResSelection->addMenu(mnuPrefRotation);
    mnuResSelection->addSeparator();
    mnuIgnoreInterlaced = Item(mnuResSelection, "mnuIgnoreInterlaced", "&Ignore Interlaced Modes", true);
    mnuMatchResolution = Submenu(mnuResSelection, "mnuMatchResolution", "&Match Resolution Within...");
    Group(mnuMatchResolution, mnuMatchResWithin, "mnuMatchResWithin",
          {"&0 Pixels", "&8 Pixels", "1&6 Pixels", "&24 Pixels", "&48 Pixels", "&Other"});
    mnuResSelection->addMenu(mnuMatchResolution);
    mnuMatchRefresh = Submenu(mnuResSelection, "mnuMatchRefresh", "Match &Refresh Rate Within...");
    Group(mnuMatchRefresh, mnuMatchRefreshWithin, "mnuMatchRefreshWithin",
          {"&0Hz", "&1Hz", "1&.25Hz", "1.&5Hz", "&2Hz", "&Other"});
    mnuResSelection->addMenu(mnuMatchRefresh);
    mnuResSelection->addSeparator();
    mnuActionNotFound = Item(mnuResSelection, "mnuActionNotFound", "&Settings when Ideal Mode Not Found");
    mnuResSelection->addSeparator();
    mnuAutoSelect = Item(mnuResSelection, "mnuAutoSelect", "&Auto-Select Video Modes");
    bar->addMenu(mnuResSelection);

    mnuHelp = Submenu(this, "mnuHelp", "&Help");
    mnuReadme = Item(mnuHelp, "mnuReadme", "Readme");
    mnuHelp->addSeparator();
    mnuAbout = Item(mnuHelp, "mnuAbout", "&About");
    bar->addMenu(mnuHelp);
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

// A window resized while minimized is laid out again when it is restored.
void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange &&
        (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized))
        Form_Resize();
}

void frmMain::Form_Resize() {
    if (isMinimized()) return;
    const double perPixelX = 1440.0 / logicalDpiX(), perPixelY = 1440.0 / logicalDpiY();
    const double outerWidth = frameGeometry().width() * perPixelX;
    const double outerHeight = frameGeometry().height() * perPixelY;
    const double statusHeight = stbMain->height() * perPixelY;
    auto place = [this](QWidget* w, double left, double top, double width, double height) {
        w->setGeometry(Twips(left, false), Twips(top, true), Twips(width, false), Twips(height, true));
    };

    // A window made lower than its lists gives heights of 0, never negative ones.
    const double mainHeight = std::max(0.0, outerHeight - statusHeight - kListTop - 800);
    const double uniqueLeft = kMainLeft + 50;
    const double gamesLeft = kMainLeft + kMainWidth + kGap;
    const double gamesWidth = std::fabs(outerWidth - kMainWidth - kAvailWidth - 600);
    const double gamesHeight = std::max(0.0, mainHeight - kButtonHeight - kGap);
    const double testTop = kListTop + gamesHeight + kGap;
    const double availLeft = gamesLeft + gamesWidth + kGap;
    const double availHeight = std::max(0.0, mainHeight - kButtonHeight - kGap);
    const double avgaLabelLeft = availLeft + 50;
    const double hzTop = kListTop + availHeight + kGap;

    place(lvwMain, kMainLeft, kListTop, kMainWidth, mainHeight);
    place(lblUnique, uniqueLeft, kLabelTop, 1095, kLabelHeight);
    FitCaption(lblUnique);
    place(lvwGames, gamesLeft, kListTop, gamesWidth, gamesHeight);
    place(cmdTestGame, gamesLeft, testTop, gamesWidth, kButtonHeight);
    place(lvwAVGA, availLeft, kListTop, kAvailWidth, availHeight);
    place(lblAVGA, avgaLabelLeft, kLabelTop, 3255, kLabelHeight);
    FitCaption(lblAVGA);
    place(cmd60Hz, availLeft, hzTop, kAvailWidth, kButtonHeight);
    PlaceStatusPanels(kMainWidth + 220, gamesWidth + kAvailWidth + 440);
}

void frmMain::PlaceStatusPanels(double width1, double width2) {
    const int w1 = Twips(width1, false), w2 = Twips(width2, false);
    const int h = stbMain->height();
    stbPanel1->setGeometry(0, 0, w1, h);
    stbPanel2->setGeometry(w1, 0, w2, h);
    FitStatusPanel();
}

// Panel 1 is centred; a text wider than the panel starts at its left edge, so that its
// beginning stays readable instead of both ends being cut.
void frmMain::FitStatusPanel() {
    const int room = stbPanel1->contentsRect().width() - 2 * stbPanel1->indent();
    const bool fits = stbPanel1->fontMetrics().horizontalAdvance(stbPanel1->text()) <= room;
    stbPanel1->setAlignment(fits ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace kelvaro
