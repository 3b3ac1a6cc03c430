// The main window from start-up to closing: its controls and menus, the settings it loads and
// saves, the lists it fills at start-up and the close question.
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "MainWindowFixture.h"
#include "core/SettingsFile.h"

using kelvaro::frmMain;
using Icon = kelvaro::Dialogs::Icon;

namespace {

const QString kCloseQuestion = "No INI files have been generated.  Are you sure you want to exit?";

// Two vertical games of one mode and a horizontal one, as a small emulator list would hold them.
std::vector<ListGame> ThreeGames() {
    return {
        {"puckman", "PuckMan (Japan set 1)", "vertical", 224, 288, "60.606061"},
        {"pacman", "Pac-Man (Midway)", "vertical", 224, 288, "60.606061", "puckman"},
        {"sf2", "Street Fighter II: The World Warrior", "horizontal", 256, 224, "60.000000"},
    };
}

QStringList Headers(const QTableView* view) {
    QStringList h;
    for (int c = 0; c < view->model()->columnCount(); ++c) h << view->model()->headerData(c, Qt::Horizontal).toString();
    return h;
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunShowsTheEmptyWindow();
    void menuTreeHasEveryItemWithItsCaption();
    void noToTheCloseQuestionKeepsTheWindowAndWritesNothing();
    void yesToTheCloseQuestionClosesAndSaves();
    void exitSavesWithoutAsking();
    void closingAfterGenerationAsksNothing();
    void aSettingsFileThatCannotBeWrittenIsReported();
    void loadedSettingsSetTheCheckMarks_data();
    void loadedSettingsSetTheCheckMarks();
    void startUpFillsTheListsAndTheStatusBar();
    void clickOnAModeListsItsGames();
    void arrowKeysChooseModesLikeClicks();
    void startUpWithoutModesWarnsWhenItWouldReadINIFiles();
};

void StartupTest::firstRunShowsTheEmptyWindow() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    QCOMPARE(w.objectName(), "frmMain");
    QCOMPARE(w.windowTitle(), "Kelvaro");
    QVERIFY(w.isVisible());

    QCOMPARE(w.findChild<QLabel*>("lblUnique")->text(), "Native Modes:");
    QCOMPARE(w.findChild<QLabel*>("lblAVGA")->text(), "Available Modes (DEL to Remove):");
    QCOMPARE(Headers(w.findChild<QTableView*>("lvwMain")), QStringList({"No.", "Mode"}));
    QCOMPARE(Headers(w.findChild<QTableView*>("lvwGames")),
             QStringList({"Game No.", "Game Description", "Romname", "Mode",
                          "INI File Details (lines separated by |'s)"}));
    QCOMPARE(Headers(w.findChild<QTableView*>("lvwAVGA")), QStringList({"Res No.", "Mode", "Interlaced"}));
    for (const char* list : {"lvwMain", "lvwGames", "lvwAVGA"})
        QCOMPARE(w.findChild<QTableView*>(list)->model()->rowCount(), 0);

    auto* test = w.findChild<QPushButton*>("cmdTestGame");
    QCOMPARE(test->text(), "&Test");
    QVERIFY(!test->isEnabled());
    auto* hz = w.findChild<QPushButton*>("cmd60Hz");
    QCOMPARE(hz->text(), "Remove non-&60Hz Modes");
    QVERIFY(!hz->isEnabled());
    QCOMPARE(w.findChild<QStatusBar*>("stbMain"), w.statusBar());
    QCOMPARE(w.stbPanel1->alignment(), Qt::AlignCenter);
    QCOMPARE(w.stbPanel2->alignment(), Qt::AlignLeft | Qt::AlignVCenter);
    QVERIFY(w.stbPanel1->text().isEmpty() && w.stbPanel2->text().isEmpty());

    // Without an executable there is nothing to generate the native mode list from.
    MainWindowFixture::Open(w.mnuView);
    QVERIFY(!w.mnuGenerate->isEnabled());
    QVERIFY(!w.mnuRefreshNative->isEnabled());
    QVERIFY(!QFile::exists(QString::fromStdString(f.SettingsPath())));
    QCOMPARE(f.Dialogs.shown.size(), size_t(0));
}

void StartupTest::menuTreeHasEveryItemWithItsCaption() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    const std::vector<std::pair<const char*, const char*>> items = {
        {"mnuMAMEExe", "M.A.M.E. &Executable Location"},
        {"mnuMAMEINIPath", "M.A.M.E. &INI Path"},
        {"mnuMAMEROMPath", "M.A.M.E. &ROM Path (optional)"},
        {"mnuLegacyMAME", "&Legacy M.A.M.E. (v0.83 && previous)"},
        {"mnuAVGAFName", "&Available Mode List (.txt) File Location"},
        {"mnuGenerateINIs", "&Generate INI File(s)"},
        {"mnuExit", "E&xit"},
        {"mnuFind", "&Find Game"},
        {"mnuGenerate", "&Generate Native Mode List"},
        {"mnuRefreshNative", "Refresh &Native Mode List"},
        {"mnuRefreshAVGA", "Refresh &Available Mode List"},
        {"mnuReadINIs", "Read Existing &INI Files"},
        {"mnuOrientation_0", "&Horizontal"},
        {"mnuOrientation_1", "&Vertical"},
        {"mnuOrientation_2", "&Rotating (Both)"},
        {"mnuRotation_0", "Clockwise (&Right)"},
        {"mnuRotation_1", "Anti-Clockwise (&Left)"},
        {"mnuIgnoreInterlaced", "&Ignore Interlaced Modes"},
        {"mnuMatchResWithin_0", "&0 Pixels"},
        {"mnuMatchResWithin_1", "&8 Pixels"},
        {"mnuMatchResWithin_2", "1&6 Pixels"},
        {"mnuMatchResWithin_3", "&24 Pixels"},
        {"mnuMatchResWithin_4", "&48 Pixels"},
        {"mnuMatchResWithin_5", "&Other"},
        {"mnuMatchRefreshWithin_0", "&0Hz"},
        {"mnuMatchRefreshWithin_1", "&1Hz"},
        {"mnuMatchRefreshWithin_2", "1&.25Hz"},
        {"mnuMatchRefreshWithin_3", "1.&5Hz"},
        {"mnuMatchRefreshWithin_4", "&2Hz"},
        {"mnuMatchRefreshWithin_5", "&Other"},
        {"mnuActionNotFound", "&Settings when Ideal Mode Not Found"},
        {"mnuAutoSelect", "&Auto-Select Video Modes"},
        {"mnuReadme", "Readme"},
        {"mnuAbout", "&About"},
    };
    for (const auto& [name, caption] : items) {
        auto* action = w.findChild<QAction*>(name);
        QVERIFY2(action, name);
        QCOMPARE(action->text(), QString(caption));
    }
    const std::vector<std::pair<const char*, const char*>> menus = {
        {"mnuFile", "&File"},
        {"mnuEdit", "&Edit"},
        {"mnuView", "&View"},
        {"mnuResSelection", "Video Mode &Selection"},
        {"mnuMonitor", "Monitor &Orientation"},
        {"mnuPrefRotation", "Preferred &Rotation (for Vertical Monitors)"},
        {"mnuMatchResolution", "&Match Resolution Within..."},
        {"mnuMatchRefresh", "Match &Refresh Rate Within..."},
        {"mnuHelp", "&Help"},
    };
    for (const auto& [name, caption] : menus) {
        auto* menu = w.findChild<QMenu*>(name);
        QVERIFY2(menu, name);
        QCOMPARE(menu->title(), QString(caption));
    }
    // The menu bar in its order, and the items of the File menu in theirs, separators included.
    QStringList bar;
    for (QAction* a : w.menuBar()->actions()) bar << a->text();
    QCOMPARE(bar, QStringList({"&File", "&Edit", "&View", "Video Mode &Selection", "&Help"}));
    QStringList file;
    for (QAction* a : w.mnuFile->actions()) file << (a->isSeparator() ? "-" : a->objectName());
    QCOMPARE(file, QStringList({"mnuMAMEExe", "mnuMAMEINIPath", "mnuMAMEROMPath", "mnuLegacyMAME", "-",
                                "mnuAVGAFName", "-", "mnuGenerateINIs", "-", "mnuExit"}));
    QStringList selection;
    for (QAction* a : w.mnuResSelection->actions())
        selection << (a->isSeparator() ? "-" : a->menu() ? a->menu()->objectName() : a->objectName());
    QCOMPARE(selection, QStringList({"mnuMonitor", "mnuPrefRotation", "-", "mnuIgnoreInterlaced",
                                     "mnuMatchResolution", "mnuMatchRefresh", "-", "mnuActionNotFound", "-",
                                     "mnuAutoSelect"}));
}

void StartupTest::noToTheCloseQuestionKeepsTheWindowAndWritesNothing() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    f.Dialogs.asks = {false};
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QCOMPARE(f.Dialogs.shown.size(), size_t(1));
    QCOMPARE(f.Dialogs.shown[0].kind, "ask");
    QCOMPARE(f.Dialogs.shown[0].text, kCloseQuestion);
    QCOMPARE(f.Dialogs.shown[0].icon, Icon::Warning);
    QVERIFY(!QFile::exists(QString::fromStdString(f.SettingsPath())));
}

void StartupTest::yesToTheCloseQuestionClosesAndSaves() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    w.mnuIgnoreInterlaced->trigger();
    w.mnuMatchResWithin[3]->trigger();
    f.Dialogs.asks = {true};
    QVERIFY(w.close());
    QVERIFY(!w.isVisible());
    QCOMPARE(f.Dialogs.Texts(), QStringList({kCloseQuestion}));

    kelvaro::Settings expected;
    expected.IgnoreInterlaced = false;
    expected.MatchResWithin = 24;
    QCOMPARE(TempDir::Read(f.SettingsPath()), kelvaro::FormatSettingsFile(expected));
}

void StartupTest::exitSavesWithoutAsking() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    w.mnuLegacyMAME->trigger();
    w.mnuExit->trigger();
    QVERIFY(!w.isVisible());
    QCOMPARE(f.Dialogs.shown.size(), size_t(0));
    kelvaro::Settings expected;
    expected.LegacyMame = true;
    QCOMPARE(TempDir::Read(f.SettingsPath()), kelvaro::FormatSettingsFile(expected));
}

void StartupTest::closingAfterGenerationAsksNothing() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    f.Model.INIsGenerated = true;
    QVERIFY(w.close());
    QCOMPARE(f.Dialogs.shown.size(), size_t(0));
    QVERIFY(QFile::exists(QString::fromStdString(f.SettingsPath())));
}

void StartupTest::aSettingsFileThatCannotBeWrittenIsReported() {
    MainWindowFixture f;
    f.MakeFolder("kelvaro.cfg"); // a folder where the file should go
    frmMain& w = f.Start();
    w.mnuExit->trigger();
    QVERIFY(!w.isVisible());
    QCOMPARE(f.Dialogs.shown.size(), size_t(1));
    QCOMPARE(f.Dialogs.shown[0].text, "The settings could not be saved in " +
                                          QString::fromStdString(f.SettingsPath()) +
                                          ".  The settings file there is unchanged.");
    QCOMPARE(f.Dialogs.shown[0].icon, Icon::Warning);
}

void StartupTest::loadedSettingsSetTheCheckMarks_data() {
    QTest::addColumn<int>("res");
    QTest::addColumn<float>("refresh");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("resItem");
    QTest::addColumn<int>("refreshItem");
    QTest::addColumn<int>("orientationItem");
    QTest::addColumn<int>("rotationItem");
    QTest::newRow("other values") << 10 << 0.75f << 1 << 1 << 5 << 5 << 1 << 1;
    QTest::newRow("preset values") << 24 << 1.5f << 2 << 0 << 3 << 3 << 2 << 0;
    QTest::newRow("zero tolerances") << 0 << 0.0f << 0 << 1 << 0 << 0 << 0 << 1;
    QTest::newRow("out-of-range orientation and rotation") << 48 << 2.0f << 3 << -1 << 4 << 4 << 0 << 0;
}

void StartupTest::loadedSettingsSetTheCheckMarks() {
    QFETCH(int, res);
    QFETCH(float, refresh);
    QFETCH(int, orientation);
    QFETCH(int, rotation);
    QFETCH(int, resItem);
    QFETCH(int, refreshItem);
    QFETCH(int, orientationItem);
    QFETCH(int, rotationItem);

    MainWindowFixture f;
    kelvaro::Settings s;
    s.MatchResWithin = res;
    s.MatchRefreshWithin = refresh;
    s.MonitorOrientation = orientation;
    s.PreferredRotation = rotation;
    s.LegacyMame = true;
    s.IgnoreInterlaced = false;
    f.WriteSettings(s);
    frmMain& w = f.Start();

    for (int i = 0; i < 6; ++i) {
        QCOMPARE(w.mnuMatchResWithin[i]->isChecked(), i == resItem);
        QCOMPARE(w.mnuMatchRefreshWithin[i]->isChecked(), i == refreshItem);
    }
    for (int i = 0; i < 3; ++i) QCOMPARE(w.mnuOrientation[i]->isChecked(), i == orientationItem);
    for (int i = 0; i < 2; ++i) QCOMPARE(w.mnuRotation[i]->isChecked(), i == rotationItem);
    QCOMPARE(f.Model.S.MonitorOrientation, orientationItem);
    QCOMPARE(f.Model.S.PreferredRotation, rotationItem);
    // The loaded tolerances stand, "&Other" or not.
    QCOMPARE(f.Model.S.MatchResWithin, res);
    QCOMPARE(f.Model.S.MatchRefreshWithin, refresh);
    QVERIFY(w.mnuLegacyMAME->isChecked());
    QVERIFY(!w.mnuIgnoreInterlaced->isChecked());
    // Until an orientation is picked in this run, the rotation submenu stays available.
    QVERIFY(w.mnuPrefRotation->menuAction()->isEnabled());
}

void StartupTest::startUpFillsTheListsAndTheStatusBar() {
    MainWindowFixture f;
    f.WriteGameList(ThreeGames());
    f.WriteModeList({ModeLine(320, 240, "60"), ModeLine(640, 480, "60"), ModeLine(800, 600, "72")});
    frmMain& w = f.Start();

    QCOMPARE(MainWindowFixture::Column(w.lvwMain, 0), QStringList({"1", "2"}));
    QCOMPARE(MainWindowFixture::Column(w.lvwMain, 1), QStringList({"224 x 288 @ 60.61Hz V", "256 x 224 @ 60Hz H"}));
    QCOMPARE(MainWindowFixture::SelectedRow(w.lvwMain), 0);
    QCOMPARE(w.stbPanel1->text(), "Modes: 1 H + 1 V = 2");
    QCOMPARE(w.stbPanel2->text(), "Total Games: 1 Horizontal + 2 Vertical = 3 (inc. 0 Vector)");

    QCOMPARE(MainWindowFixture::Column(w.lvwGames, 0), QStringList({"1", "2"}));
    QCOMPARE(MainWindowFixture::Column(w.lvwGames, 1), QStringList({"PuckMan (Japan set 1)", "Pac-Man (Midway)"}));
    QCOMPARE(MainWindowFixture::Column(w.lvwGames, 2), QStringList({"PUCKMAN", "PACMAN"}));
    QCOMPARE(MainWindowFixture::Column(w.lvwGames, 3), QStringList({"(Let MAME Decide)", "(Let MAME Decide)"}));
    QCOMPARE(MainWindowFixture::Column(w.lvwGames, 4), QStringList({"resolution auto", "resolution auto"}));
    QCOMPARE(MainWindowFixture::SelectedRow(w.lvwGames), 0);
    QCOMPARE(w.SelectedGame(), 1);
    QCOMPARE(w.cmdTestGame->text(), "&Test 'PuckMan (Japan set 1)'");
    QVERIFY(w.cmdTestGame->isEnabled());

    QCOMPARE(MainWindowFixture::Column(w.lvwAVGA, 1),
             QStringList({"320 x 240 @ 60Hz", "640 x 480 @ 60Hz", "800 x 600 @ 72Hz"}));
    QCOMPARE(MainWindowFixture::Column(w.lvwAVGA, 2), QStringList({"No", "Yes", "Yes"}));
    QCOMPARE(MainWindowFixture::SelectedRow(w.lvwAVGA), 0);
    QVERIFY(w.cmd60Hz->isEnabled());
    QVERIFY(w.mnuAutoSelect->isEnabled());
    // Nothing was asked or told, and no progress window is left showing.
    QCOMPARE(f.Dialogs.shown.size(), size_t(0));
    QVERIFY(w.isEnabled());
    auto* progress = w.findChild<QWidget*>("frmProgress");
    QVERIFY(!progress || !progress->isVisible());
}

void StartupTest::clickOnAModeListsItsGames() {
    MainWindowFixture f;
    f.WriteGameList(ThreeGames());
    frmMain& w = f.Start();

    MainWindowFixture::ClickRow(w.lvwMain, 1);
    QCOMPARE(MainWindowFixture::Column(w.lvwGames, 0), QStringList({"3"}));
    QCOMPARE(w.cmdTestGame->text(), "&Test 'Street Fighter II: The World Warrior'");

    MainWindowFixture::ClickRow(w.lvwMain, 0);
    MainWindowFixture::ClickRow(w.lvwGames, 1);
    QCOMPARE(w.SelectedGame(), 2);
    QCOMPARE(w.cmdTestGame->text(), "&Test 'Pac-Man (Midway)'");
    // A click on the mode already selected lists its games afresh, the first one selected.
    MainWindowFixture::ClickRow(w.lvwMain, 0);
    QCOMPARE(MainWindowFixture::SelectedRow(w.lvwGames), 0);
    QCOMPARE(w.cmdTestGame->text(), "&Test 'PuckMan (Japan set 1)'");
}

void StartupTest::arrowKeysChooseModesLikeClicks() {
    MainWindowFixture f;
    f.WriteGameList(ThreeGames());
    frmMain& w = f.Start();
    w.lvwMain->setFocus();
    QTest::keyClick(w.lvwMain, Qt::Key_Down);
    QCOMPARE(MainWindowFixture::Column(w.lvwGames, 2), QStringList({"SF2"}));
    QTest::keyClick(w.lvwMain, Qt::Key_Up);
    QCOMPARE(MainWindowFixture::Column(w.lvwGames, 2), QStringList({"PUCKMAN", "PACMAN"}));
    QTest::keyClick(w.lvwGames, Qt::Key_Down);
    QCOMPARE(w.cmdTestGame->text(), "&Test 'Pac-Man (Midway)'");
}

void StartupTest::startUpWithoutModesWarnsWhenItWouldReadINIFiles() {
    MainWindowFixture f;
    f.WriteGameList(ThreeGames());
    kelvaro::Settings s;
    s.MameINIPath = f.MakeFolder("ini");
    f.WriteSettings(s);
    frmMain& w = f.Start();
    QCOMPARE(f.Dialogs.shown.size(), size_t(1));
    QCOMPARE(f.Dialogs.shown[0].kind, "tell");
    QCOMPARE(f.Dialogs.shown[0].text,
             "INI files cannot be read unless both Native Mode and Available Mode Lists are populated.");
    QCOMPARE(f.Dialogs.shown[0].icon, Icon::Warning);
    // The lists are filled all the same.
    QCOMPARE(w.lvwMain->model()->rowCount(), 2);
    QCOMPARE(w.lvwGames->model()->rowCount(), 2);
}

QTEST_MAIN(StartupTest)
#include "tst_frmMain_startup.moc"
