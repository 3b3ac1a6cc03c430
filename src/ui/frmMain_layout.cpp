// The main window's controls, its menus and the rules that place the controls on a resize.
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QSortFilterProxyModel>
#include <QStatusBar>
#include <QTableView>
#include <algorithm>
#include <cmath>

#include "core/Rotation.h"
#include "ui/AvailModeModel.h"
#include "ui/GameListModel.h"
#include "ui/MenuBar.h"
#include "ui/NativeModeModel.h"
#include "ui/ReportView.h"
#include "ui/SetupPanel.h"
#include "ui/frmMain.h"
#include "ui/frmMain_layout.h"

namespace kelvaro {

namespace {

// The controls' measures are kept in twips (1/1440 inch), as the window was designed.
constexpr double kClientWidth = 16095, kClientHeight = 9435;
constexpr double kLabelTop = 120, kLabelHeight = 255;
constexpr double kListTop = 360;
constexpr double kMainLeft = 120, kMainWidth = 2340;
constexpr double kAvailWidth = 3375;
constexpr double kButtonHeight = 375;
constexpr double kGap = 120;
constexpr double kStatusHeight = 255;
constexpr double kGamesMinWidth = 3600; // what the games list keeps while the side lists can give up width

} // namespace

int TwipsToPixels(double twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }

MainLayout LayOutMainWindow(const MainLayoutInput& in) {
    const double perPixelX = 1440.0 / in.DpiX, perPixelY = 1440.0 / in.DpiY;
    const double outerWidth = in.Window.width() * perPixelX, outerHeight = in.Window.height() * perPixelY;
    const double statusHeight = in.StatusHeight * perPixelY;
    auto rect = [&in](double left, double top, double width, double height) {
        return QRect(TwipsToPixels(left, in.DpiX), TwipsToPixels(top, in.DpiY), TwipsToPixels(width, in.DpiX),
                     TwipsToPixels(height, in.DpiY));
    };
    // The labels were measured for a narrower font than most desktops have.
    auto label = [&rect](double left, double width, int caption) {
        QRect r = rect(left, kLabelTop, width, kLabelHeight);
        r.setWidth(std::max(r.width(), caption));
        return r;
    };

    double mainWidth = std::max(kMainWidth, in.MainList * perPixelX);
    double availWidth = std::max(kAvailWidth, in.AvailList * perPixelX);
    // On a narrow window the two side lists give up width, in proportion, down to half their
    // design widths, so that the games list keeps a usable width; their texts then scroll.
    const double sides = outerWidth - 600 - kGamesMinWidth;
    if (mainWidth + availWidth > sides) {
        const double share = std::max(sides, (kMainWidth + kAvailWidth) / 2) / (mainWidth + availWidth);
        mainWidth = std::max(kMainWidth / 2, mainWidth * share);
        availWidth = std::max(kAvailWidth / 2, availWidth * share);
    }
    // 800 twips stand for the title and menu bars and the frame.
    const double mainHeight = std::max(0.0, outerHeight - statusHeight - kListTop - 800);
    const double gamesLeft = kMainLeft + mainWidth + kGap;
    // A window narrower than the two fixed lists still leaves the games list a width.
    const double gamesWidth = std::fabs(outerWidth - mainWidth - availWidth - 600);
    const double listHeight = std::max(0.0, mainHeight - kButtonHeight - kGap);
    const double buttonTop = kListTop + listHeight + kGap;
    const double availLeft = gamesLeft + gamesWidth + kGap;

    MainLayout out;
    out.lblUnique = label(kMainLeft + 50, 1095, in.UniqueCaption);
    out.lvwMain = rect(kMainLeft, kListTop, mainWidth, mainHeight);
    out.lvwGames = rect(gamesLeft, kListTop, gamesWidth, listHeight);
    out.cmdTestGame = rect(gamesLeft, buttonTop, gamesWidth, kButtonHeight);
    out.lblAVGA = label(availLeft + 50, 3255, in.AVGACaption);
    out.lvwAVGA = rect(availLeft, kListTop, availWidth, listHeight);
    out.cmd60Hz = rect(availLeft, buttonTop, availWidth, kButtonHeight);
    // The panels are as wide as the lists above them; a first panel wider for its text takes its
    // room from the other two.
    const int mainPanel = TwipsToPixels(mainWidth + 220, in.DpiX), panel1 = std::max(mainPanel, in.Panel1);
    out.stbPanel1 = QRect(0, 0, panel1, in.StatusHeight);
    const int rest = std::max(0, TwipsToPixels(gamesWidth + availWidth + 440, in.DpiX) - (panel1 - mainPanel));
    // The second panel takes what its text needs from the third where half is too little; the
    // third keeps a fifth.
    const int panel2 = std::max((rest + 1) / 2, std::min(rest - rest / 5, in.Panel2));
    out.stbPanel2 = QRect(panel1, 0, panel2, in.StatusHeight);
    out.stbPanel3 = QRect(panel1 + panel2, 0, rest - panel2, in.StatusHeight);
    return out;
}

void frmMain::CreateControls() {
    picMain = new QWidget(this);
    picMain->setObjectName("picMain");
    setCentralWidget(picMain);

    lblUnique = new QLabel("Native Modes:", picMain);
    lblUnique->setObjectName("lblUnique");

    lvwMain = ReportView(picMain, "lvwMain");
    nativeModel_ = new NativeModeModel(m_, this);
    lvwMain->setModel(nativeModel_);
    SetColumnWidths(lvwMain, {"0000", "0000 x 0000 @ 00.00Hz H\n000 x 000 @ 000.00Hz V"});

    lvwGames = ReportView(picMain, "lvwGames");
    gamesModel_ = new GameListModel(m_, this);
    // A click on a header sorts the display only; the model keeps the games in table order.
    gamesSort_ = new QSortFilterProxyModel(this);
    gamesSort_->setSourceModel(gamesModel_);
    gamesSort_->setSortRole(GameListModel::SortRole);
    gamesSort_->setSortCaseSensitivity(Qt::CaseInsensitive);
    lvwGames->setModel(gamesSort_);
    lvwGames->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    lvwGames->setSortingEnabled(true);
    SetColumnWidths(lvwGames, {"00000", "Pac-Man (Midway, with a long title)", "PUCKMANB",
                               "0000 x 0000 @ 00.00Hz\n(Let MAME Decide)", ""});
    lvwGames->horizontalHeader()->setStretchLastSection(true);

    cmdTestGame = new QPushButton("&Test", picMain);
    cmdTestGame->setObjectName("cmdTestGame");
    cmdTestGame->setEnabled(false); // until the games list is first filled

    lblAVGA = new QLabel("Available Modes (DEL to Remove):", picMain);
    lblAVGA->setObjectName("lblAVGA");

    lvwAVGA = ReportView(picMain, "lvwAVGA");
    availModel_ = new AvailModeModel(m_, this);
    lvwAVGA->setModel(availModel_);
    SetColumnWidths(lvwAVGA, {"000", "0000 x 0000 @ 00.00Hz", "Yes"});

    cmd60Hz = new QPushButton("Remove non-&60Hz Modes", picMain);
    cmd60Hz->setObjectName("cmd60Hz");
    cmd60Hz->setEnabled(false); // until the available mode table has rows

    stbMain = new QStatusBar(this);
    stbMain->setObjectName("stbMain");
    stbMain->setSizeGripEnabled(false);
    // At least its design height; a taller desktop font makes it taller.
    stbMain->setMinimumHeight(std::max(TwipsToPixels(kStatusHeight, logicalDpiY()), fontMetrics().height() + 8));
    setStatusBar(stbMain);
    // The panels are placed by the layout rules, not by the status bar: panels wider than the
    // window are cut off at its edge instead of widening it.
    stbPanel1 = new QLabel(stbMain);
    stbPanel1->setObjectName("stbPanel1");
    stbPanel1->setAlignment(Qt::AlignCenter);
    stbPanel2 = new QLabel(stbMain);
    stbPanel2->setObjectName("stbPanel2");
    stbPanel2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    stbPanel3 = new SetupPanel(stbMain);
    for (QLabel* panel : {stbPanel1, stbPanel2, static_cast<QLabel*>(stbPanel3)}) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(4);
    }

    for (QTableView* list : {lvwMain, lvwGames}) list->setContextMenuPolicy(Qt::CustomContextMenu);
    // The keyboard goes from the lists on the left to the right, each list before its button.
    setTabOrder(lvwMain, lvwGames);
    setTabOrder(lvwGames, cmdTestGame);
    setTabOrder(cmdTestGame, lvwAVGA);
    setTabOrder(lvwAVGA, cmd60Hz);

    // The client area it was designed with, below the menu bar (made before the controls), wider
    // where the texts need it.
    MeasureTexts();
    resize(TwipsToPixels(kClientWidth, logicalDpiX()),
           menuBar()->sizeHint().height() + TwipsToPixels(kClientHeight, logicalDpiY()));
    // The games list keeps its design width beside lists grown for their texts...
    int w = width() + std::max(0, mainNeed_ - TwipsToPixels(kMainWidth, logicalDpiX())) +
            std::max(0, availNeed_ - TwipsToPixels(kAvailWidth, logicalDpiX()));
    // ...and the second status panel, which shares what the first leaves with the third, shows the
    // longest count whole.
    const QString counts = "Total Games: 00000 Horizontal + 00000 Vertical = 00000 (inc. 0000 Vector)";
    const int panel2Need = stbPanel2->fontMetrics().horizontalAdvance(counts) + 2 * stbPanel2->indent() +
                           2 * stbPanel2->frameWidth() + 2 * stbPanel2->margin() + 2;
    const MainLayout at = LayOutMainWindow({QSize(w, height()), stbMain->minimumHeight(), logicalDpiX(), logicalDpiY(),
                                            0, 0, mainNeed_, availNeed_, panel1Need_});
    w += 2 * std::max(0, panel2Need - at.stbPanel2.width());
    resize(w, height());
    Form_Resize();
}

void frmMain::MeasureTexts() {
    mainNeed_ = ReportWidth(lvwMain);
    availNeed_ = ReportWidth(lvwAVGA);
    // The count as long as the real list's, or the one shown when that is longer.
    int panel1 = stbPanel1->fontMetrics().horizontalAdvance("Modes: 0000 H + 0000 V = 0000");
    panel1 = std::max(panel1, stbPanel1->fontMetrics().horizontalAdvance(stbPanel1->text()));
    panel1Need_ = panel1 + 2 * stbPanel1->indent() + 2 * stbPanel1->frameWidth() + 2 * stbPanel1->margin() + 2;
}

void frmMain::CreateMenus() {
    mnuMain = new MenuBar(this);
    setMenuBar(mnuMain);

    // The lists' context menus; Settings does what a double-click does.
    mnuGamePopup = NamedMenu(this, "mnuGamePopup", QString());
    mnuGameSettings = MenuItem(mnuGamePopup, "mnuGameSettings", "&Settings");
    mnuGameTest = MenuItem(mnuGamePopup, "mnuGameTest", "&Test");
    mnuGameGenerateINI = MenuItem(mnuGamePopup, "mnuGameGenerateINI", "&Generate INI File");
    mnuGameOpenINI = MenuItem(mnuGamePopup, "mnuGameOpenINI", "&Open INI File");
    mnuModePopup = NamedMenu(this, "mnuModePopup", QString());
    mnuModeSettings = MenuItem(mnuModePopup, "mnuModeSettings", "&Settings");
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
    // After a long operation the keyboard stays where it was, not on the first list.
    if (event->type() == QEvent::EnabledChange && isEnabled() && lastFocus_ && lastFocus_->isEnabled())
        lastFocus_->setFocus();
}

namespace {

// The width a status panel needs for its text.
int PanelNeed(const QLabel* panel) {
    return panel->fontMetrics().horizontalAdvance(panel->text()) + 2 * panel->indent() + 2 * panel->frameWidth() +
           2 * panel->margin() + 2;
}

} // namespace

void frmMain::Form_Resize() {
    if (isMinimized()) return;
    const MainLayout place = LayOutMainWindow({frameGeometry().size(), stbMain->height(), logicalDpiX(), logicalDpiY(),
                                               lblUnique->sizeHint().width(), lblAVGA->sizeHint().width(), mainNeed_,
                                               availNeed_, panel1Need_, PanelNeed(stbPanel2)});
    lvwMain->setGeometry(place.lvwMain);
    lblUnique->setGeometry(place.lblUnique);
    lvwGames->setGeometry(place.lvwGames);
    cmdTestGame->setGeometry(place.cmdTestGame);
    lvwAVGA->setGeometry(place.lvwAVGA);
    lblAVGA->setGeometry(place.lblAVGA);
    cmd60Hz->setGeometry(place.cmd60Hz);
    stbPanel1->setGeometry(place.stbPanel1);
    stbPanel2->setGeometry(place.stbPanel2);
    stbPanel3->setGeometry(place.stbPanel3);
    FitStatusPanel();
    FitTestCaption();
}

// Panel 1 is centred; a text wider than the panel starts at its left edge, so that its
// beginning stays readable instead of both ends being cut.
void frmMain::FitStatusPanel() {
    const int room = stbPanel1->contentsRect().width() - 2 * stbPanel1->indent();
    const bool fits = stbPanel1->fontMetrics().horizontalAdvance(stbPanel1->text()) <= room;
    stbPanel1->setAlignment(fits ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace kelvaro
