// The main window from start-up to closing: its controls and menus, the settings it loads and
// saves, the lists it fills at start-up, the close question, the menus' enabling rules, the
// options of Video Mode Selection with the "&Other" input boxes, the About box, the layout: the
// rules worked out by hand, and the window following them when minimized and restored; and the
// games list's announcements of edited rows.
#include "MainWindowFixture.h"
#include "ui/GameListModel.h"
#include "ui/ReportView.h"
#include "ui/frmAbout.h"
#include "ui/frmGenerateINIs.h"
#include "ui/frmImportModes.h"
#include "ui/frmMain_layout.h"
#include "ui/frmProgress.h"
#include "ui/frmSettings.h"
#include "ui/frmSetupCheck.h"
#include "ui/frmSummary.h"

#include <atomic>
#include <chrono>
#include <system_error>
#include <thread>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using kelvaro::frmMain;
using kelvaro::MainLayoutInput;
Q_DECLARE_METATYPE(MainLayoutInput)
using Icon = kelvaro::Dialogs::Icon;
using F = MainWindowFixture;
using Rects = QList<QRect>;
namespace fs = std::filesystem;

namespace {

const QString kCloseQuestion = "No INI files have been generated.  Are you sure you want to exit?";

QStringList Headers(const QTableView* view) {
    QStringList h;
    for (int c = 0; c < view->model()->columnCount(); ++c) h << view->model()->headerData(c, Qt::Horizontal).toString();
    return h;
}

// Every menu's items in order, depth first: the captions, "-" for a separator, "^" closing a menu.
QStringList MenuTree(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions) {
        out << (a->isSeparator() ? "-" : a->text());
        if (a->menu()) out << MenuTree(a->menu()->actions()) << "^";
    }
    return out;
}

// Every dialog the program has, made for the window w, the settings dialog filled for a game.
std::vector<std::unique_ptr<QWidget>> EveryDialog(F& f, frmMain& w) {
    std::vector<std::unique_ptr<QWidget>> all;
    auto settings = std::make_unique<kelvaro::frmSettings>(f.Model, &w);
    settings->Form_Activate(kelvaro::SettingsDialogScope::OneGame, 1, {1});
    all.push_back(std::move(settings));
    all.push_back(std::make_unique<kelvaro::frmGenerateINIs>(f.Model, &w));
    auto check = std::make_unique<kelvaro::frmSetupCheck>(
        f.Dialogs, [] { return kelvaro::SetupReport{}; }, &w);
    check->Refresh();
    all.push_back(std::move(check));
    all.push_back(std::make_unique<kelvaro::frmSummary>(f.Model, &w));
    all.push_back(std::make_unique<kelvaro::frmImportModes>(f.Dialogs, &w));
    auto progress = std::make_unique<kelvaro::frmProgress>(&w);
    progress->OfferEnd("Waiting for M.A.M.E.", "&End the Wait");
    all.push_back(std::move(progress));
    all.push_back(std::make_unique<kelvaro::frmAbout>(&w));
    return all;
}

// The access key of a caption ("&&" is an ampersand), lower case; empty without one.
QString AccessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i)
        if (caption[i] == '&') {
            if (caption[i + 1] != '&') return caption[i + 1].toLower();
            ++i;
        }
    return {};
}

// The captions of window sharing one access key with another, "key: caption, caption" each.
QStringList SharedAccessKeys(const QStringList& captions) {
    QMap<QString, QStringList> byKey;
    for (const QString& caption : captions)
        if (const QString key = AccessKey(caption); !key.isEmpty()) byKey[key] << caption;
    QStringList shared;
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it)
        if (it->size() > 1) shared << it.key() + ": " + it->join(", ");
    return shared;
}

// What Alt reaches in one window: its shown buttons, labels with a buddy, group boxes and the
// titles of its menu bar.
QStringList AltCaptions(const QWidget& window) {
    QStringList captions;
    for (const QAbstractButton* b : window.findChildren<QAbstractButton*>())
        if (b->isVisibleTo(&window)) captions << b->text();
    for (const QLabel* l : window.findChildren<QLabel*>())
        if (l->buddy() && l->isVisibleTo(&window)) captions << l->text();
    for (const QGroupBox* g : window.findChildren<QGroupBox*>())
        if (g->isVisibleTo(&window)) captions << g->title();
    if (const auto* main = qobject_cast<const QMainWindow*>(&window))
        for (const QAction* a : main->menuBar()->actions()) captions << a->text();
    return captions;
}

// Opens File, View and Video Mode Selection; the items that depend on the files and lists and
// are enabled, named without "mnu".
QString Enabled(const F& f) {
    for (const char* menu : {"mnuFile", "mnuView", "mnuResSelection"}) f.Open(menu);
    QStringList on;
    for (QString item : {"mnuGenerateINIs", "mnuGenerate", "mnuRefreshNative", "mnuRefreshAVGA", "mnuReadINIs",
                         "mnuActionNotFound", "mnuAutoSelect"})
        if (f.Item(item)->isEnabled()) on << item.mid(3);
    return on.join(' ');
}

// Everything the layout places, in pixels, in the order of MainLayout.
QList<QRect> Placed(const F& f) {
    QList<QRect> placed;
    for (const char* name : {"lblUnique", "lvwMain", "lvwGames", "cmdTestGame", "lblAVGA", "lvwAVGA", "cmd60Hz",
                             "stbPanel1", "stbPanel2", "stbPanel3"})
        placed << f.Find(name)->geometry();
    return placed;
}
QList<QRect> InOrder(const kelvaro::MainLayout& l) {
    return {l.lblUnique, l.lvwMain, l.lvwGames,  l.cmdTestGame, l.lblAVGA,
            l.lvwAVGA,   l.cmd60Hz, l.stbPanel1, l.stbPanel2,   l.stbPanel3};
}
// Where the rules put the controls for the window as it is now.
QList<QRect> RulesFor(const F& f, const frmMain& w) {
    return InOrder(
        kelvaro::LayOutMainWindow({w.frameGeometry().size(), w.statusBar()->height(), w.logicalDpiX(), w.logicalDpiY(),
                                   f.Find("lblUnique")->sizeHint().width(), f.Find("lblAVGA")->sizeHint().width(),
                                   kelvaro::ReportWidth(f.List("lvwMain")), kelvaro::ReportWidth(f.List("lvwAVGA")),
                                   f.Find("stbPanel1")->width()}));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunShowsTheEmptyWindowAndEveryMenu() {
        MainWindowFixture f;
        frmMain& w = f.Start();
        QCOMPARE(w.windowTitle(), "Kelvaro");
        QCOMPARE(Headers(f.List("lvwMain")) + Headers(f.List("lvwGames")) + Headers(f.List("lvwAVGA")),
                 QStringList({"No.", "Mode", "Game No.", "Game Description", "Romname", "Mode",
                              "INI File Details (lines separated by |'s)", "Res No.", "Mode", "Interlaced"}));
        for (const char* list : {"lvwMain", "lvwGames", "lvwAVGA"}) QCOMPARE(f.List(list)->model()->rowCount(), 0);
        QCOMPARE(f.Find<QLabel>("lblUnique")->text() + "|" + f.Find<QLabel>("lblAVGA")->text(),
                 "Native Modes:|Available Modes (DEL to Remove):");
        QCOMPARE(f.Button("cmdTestGame")->text() + "|" + f.Button("cmd60Hz")->text(), "&Test|Remove non-&60Hz Modes");
        QVERIFY(!f.Button("cmdTestGame")->isEnabled() && !f.Button("cmd60Hz")->isEnabled());
        QVERIFY(f.Find<QLabel>("stbPanel1")->text().isEmpty() && f.Find<QLabel>("stbPanel2")->text().isEmpty());
        QVERIFY(f.Dialogs.shown.empty());

        const QString menus =
            "&File;M.A.M.E. &Executable Location;M.A.M.E. &INI Path;M.A.M.E. &ROM Path (optional);"
            "&Legacy M.A.M.E. (v0.83 && previous);-;&Available Mode List (.txt) File Location;Import &Mode List...;-;"
            "&Generate INI File(s);-;E&xit;^;&Edit;&Find Game;Find &Next;^;&View;&Generate Native Mode List;"
            "Refresh &Native Mode List;-;Refresh &Available Mode List;-;Read Existing &INI Files;-;"
            "Selection &Summary;^;"
            "Video Mode &Selection;Monitor &Orientation;&Horizontal;&Vertical;&Rotating (Both);^;"
            "Monitor &Kind (for Modes Worth Adding);&15 kHz Arcade Monitor;15/&25 kHz Arcade Monitor;"
            "15/25/&31 kHz Tri-Sync Arcade Monitor;31 kHz &VGA Monitor;&Multisync PC Monitor;Fixed-Panel &LCD;^;"
            "&Preferred Rotation (for Vertical Monitors);Clockwise (&Right);Anti-Clockwise (&Left);^;-;"
            "&Ignore Interlaced Modes;&Match Resolution Within...;&0 Pixels;&8 Pixels;1&6 Pixels;&24 Pixels;"
            "&48 Pixels;&Other;^;Match &Refresh Rate Within...;&0Hz;&1Hz;1&.25Hz;1.&5Hz;&2Hz;&Other;^;-;"
            "&Settings when Ideal Mode Not Found;-;&Auto-Select Video Modes;^;&Help;Readme;Check M.A.M.E. &Setup...;-;&About;^";
        QCOMPARE(MenuTree(w.menuBar()->actions()), menus.split(';'));
    }

    // The data tag says how the window is closed, and the answer to the question.
    void closing_data() {
        QTest::addColumn<QString>("message"); // %1 the settings file
        QTest::newRow("close box, No") << kCloseQuestion;
        QTest::newRow("close box, Yes") << kCloseQuestion;
        QTest::newRow("close box after generation") << QString();
        QTest::newRow("File > Exit") << QString();
        // Told once, at start; the folder is not written over at the end.
        QTest::newRow("File > Exit, a folder in the settings file's place")
            << "The settings file could not be read (cannot read %1: Is a directory).  The default settings are "
               "used, and the settings of this run will not be saved, so that %1 stays as it is.";
    }
    void closing() {
        QFETCH(QString, message);
        const QString how = QTest::currentDataTag();
        MainWindowFixture f;
        if (how.contains("folder")) f.MakeFolder("kelvaro.cfg");
        frmMain& w = f.Start();
        f.Item("mnuLegacyMAME")->trigger();
        f.Item("mnuMatchResWithin", 3)->trigger();
        f.Model.INIsGenerated = how.contains("generation");
        f.Dialogs.asks = {how.endsWith("Yes")};
        how.startsWith("File") ? f.Item("mnuExit")->trigger() : (void)w.close();
        const bool closes = !how.endsWith("No");
        QCOMPARE(w.isVisible(), !closes);
        message.replace("%1", QString::fromStdString(f.Model.SettingsFile()));
        QCOMPARE(f.Dialogs.Texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) QCOMPARE(f.Dialogs.shown[0].icon, Icon::Warning);
        const std::string saved = kelvaro::FormatSettingsFile({.LegacyMame = true, .MatchResWithin = 24});
        QCOMPARE(TempDir::Read(f.Model.SettingsFile()), closes && !how.contains("folder") ? saved : "");
    }

    void startUpShowsTheListsAndAClickShowsAnotherMode() {
        MainWindowFixture f;
        frmMain& w = f.StartSample();
        QCOMPARE(f.Column("lvwMain", 0) + f.Column("lvwMain", 1),
                 QStringList({"1", "2", "3", "4", "Vector H", "224 x 256 @ 60.61Hz V", "224 x 288 @ 60.61Hz V",
                              "320 x 224 @ 60.05Hz H"}));
        QCOMPARE(f.SelectedRow("lvwMain"), 0);
        QCOMPARE(f.Find<QLabel>("stbPanel1")->text(), "Modes: 2 H + 2 V = 4");
        QCOMPARE(f.Find<QLabel>("stbPanel2")->text(), "Total Games: 2 Horizontal + 4 Vertical = 6 (inc. 1 Vector)");
        QCOMPARE(QStringList({f.Cell("lvwGames", 0, 0), f.Cell("lvwGames", 0, 1), f.Cell("lvwGames", 0, 2),
                              f.Cell("lvwGames", 0, 3), f.Cell("lvwGames", 0, 4)}),
                 QStringList({"6", "Asteroids (rev 4)", "ASTEROID", "(Let MAME Decide)", "resolution auto"}));
        QCOMPARE(f.Button("cmdTestGame")->text(), "&Test 'Asteroids (rev 4)'");
        QVERIFY(f.Button("cmdTestGame")->isEnabled() && f.Button("cmd60Hz")->isEnabled());
        QCOMPARE(f.Column("lvwAVGA", 1) + f.Column("lvwAVGA", 2),
                 QStringList({"288 x 224 @ 60Hz", "320 x 224 @ 60Hz", "320 x 240 @ 60Hz", "256 x 224 @ 57Hz", "No",
                              "No", "No", "No"}));
        QVERIFY(f.Dialogs.shown.empty());

        // A click on another mode lists its games and names the first on the Test button.
        f.ClickRow("lvwMain", F::kGalagaMode);
        QCOMPARE(f.Column("lvwGames", 2), QStringList({"GALAGA", "MSPACMAN", "GALLAG"}));
        QCOMPARE(f.Button("cmdTestGame")->text(), "&Test 'Galaga (Namco rev. B)'");
        f.ClickRow("lvwGames", 1);
        QCOMPARE(w.SelectedGame(), 2);
        QCOMPARE(f.Button("cmdTestGame")->text(), "&Test 'Ms. Pac-Man'");
        // A click on the mode already selected lists its games afresh, the first one selected.
        f.ClickRow("lvwMain", F::kGalagaMode);
        QCOMPARE(f.SelectedRow("lvwGames"), 0);
        QCOMPARE(f.Button("cmdTestGame")->text(), "&Test 'Galaga (Namco rev. B)'");
        // The commands act on the selected game, so Ctrl+click and Ctrl+Space never leave a list
        // without one.
        f.ClickRow("lvwGames", 0, false, Qt::ControlModifier);
        QCOMPARE(w.SelectedGame(), 1);
        f.List("lvwGames")->setFocus();
        QTest::keyClick(f.List("lvwGames"), Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(w.SelectedGame(), 1);
        // The arrow keys choose modes as clicks do.
        f.List("lvwMain")->setFocus();
        QTest::keyClick(f.List("lvwMain"), Qt::Key_Down);
        QCOMPARE(f.Column("lvwGames", 2), QStringList({"OUTRUN"}));
    }

    // The data tag says what stands in the place of the mode list and the game list.
    void startUpReadsOnlyFiles_data() {
        QTest::addColumn<QString>("why"); // the system's reason for both
        QTest::newRow("a FIFO no one writes to") << "A device or FIFO, not a file";
        QTest::newRow("a device") << "A device or FIFO, not a file";
        QTest::newRow("a folder") << "Is a directory";
    }
    void startUpReadsOnlyFiles() {
#ifdef _WIN32
        QSKIP("Windows has no FIFOs, and making symbolic links needs the developer mode there");
#else
        QFETCH(QString, why);
        const QString kind = QTest::currentDataTag();
        MainWindowFixture f;
        const std::string modes = f.Dir.File("avga9200.txt"), games = f.Model.GameListFile();
        for (const std::string& path : {modes, games}) {
            if (kind.contains("FIFO")) QCOMPARE(mkfifo(path.c_str(), 0600), 0);
            if (kind.contains("device")) fs::create_symlink("/dev/null", path);
            if (kind.contains("folder")) fs::create_directory(path);
        }
        f.WriteSettings({.ModeListFile = modes});
        // Should the window wait on a FIFO, a writer that comes and goes ends the wait after a
        // while, and the test fails on what the window said instead of hanging.
        std::atomic<bool> started = false;
        std::thread writer([&] {
            for (int i = 0; i < 500 && !started; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
            while (!started && kind.contains("FIFO"))
                for (const std::string& path : {modes, games})
                    if (const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) close(fd);
        });
        f.Start();
        started = true;
        writer.join();
        auto cannot = [&](const std::string& path) {
            return "cannot read " + QString::fromStdString(path) + ": " + why;
        };
        QCOMPARE(
            f.Dialogs.Texts(),
            QStringList({"The mode list could not be read (" + cannot(modes) + ").  The Available Mode List is empty.",
                         "The game list could not be read (" + cannot(games) + ").  The Native Mode List is empty."}));
        QCOMPARE(f.List("lvwMain")->model()->rowCount() + f.List("lvwAVGA")->model()->rowCount(), 0);
#endif
    }

    void menusEnableTheirItemsFromTheFilesAndLists() {
        MainWindowFixture f;
        const std::string ini = f.MakeFolder("ini"), modes = f.Dir.File("avga9200.txt");
        f.WriteModeList({ModeLine(320, 240, "60")});
        f.WriteSettings({.MameINIPath = ini, .ModeListFile = modes});
        f.Start();
        QCOMPARE(Enabled(f), "RefreshAVGA"); // modes and an INI folder, no games, no executable
        f.Model.Config.MameExePath = f.Dir.Write("mame", "not a program\n");
        QCOMPARE(Enabled(f), "Generate RefreshNative RefreshAVGA");
        f.WriteGameList({{"galaga", "Galaga (Namco rev. B)", "vertical", 224, 288, "60.606061", ""}});
        f.Dialogs.asks = {true};
        f.Item("mnuRefreshNative")->trigger();
        QCOMPARE(f.Dialogs.Texts(), QStringList{"Refreshing the Native Mode List will lose any settings made.  Are "
                                                "you sure you want to continue?"});
        QCOMPARE(Enabled(f), "GenerateINIs Generate RefreshNative RefreshAVGA ReadINIs ActionNotFound AutoSelect");
        // A run of the emulator that fails keeps the list, which is built again, and says why: the
        // file may not be run here, and Windows runs no file that is not a program.
#ifdef _WIN32
        const QString why =
            QString::fromStdString(std::error_code(193 /* ERROR_BAD_EXE_FORMAT */, std::system_category()).message());
#else
        const QString why = "Permission denied";
#endif
        f.Dialogs.asks = {true};
        f.Item("mnuGenerate")->trigger();
        QCOMPARE(f.Dialogs.Texts().last(), "The game list could not be retrieved: M.A.M.E. (" +
                                               QString::fromStdString(f.Model.Config.MameExePath) +
                                               ") could not be started: " + why + ".  The previous list is kept.");
        QCOMPARE(f.Dialogs.shown.back().icon, Icon::Warning);
        QCOMPARE(f.Column("lvwGames", 2), QStringList{"GALAGA"});
        fs::remove(ini);
        QCOMPARE(Enabled(f), "Generate RefreshNative RefreshAVGA ActionNotFound AutoSelect");
        fs::create_directory(ini);
        fs::remove(modes);
        fs::remove(f.Model.Config.MameExePath);
        QCOMPARE(Enabled(f), "GenerateINIs ReadINIs ActionNotFound AutoSelect"); // the table read before stays

        // Started again with games but without its mode list, it says why there are no modes and that
        // it cannot read the INI files.
        f.Dialogs.shown.clear();
        f.Start();
        const QString gone = "The mode list could not be read (cannot read " + QString::fromStdString(modes) +
                             ": No such file or directory).  The Available Mode List is empty.";
        QCOMPARE(f.Dialogs.Texts(), QStringList({gone, "INI files cannot be read unless both Native Mode and Available "
                                                       "Mode Lists are populated."}));
        QCOMPARE(f.Dialogs.shown[1].icon, Icon::Warning);
        QCOMPARE(f.List("lvwMain")->model()->rowCount(), 1); // the lists are filled all the same
        QCOMPARE(Enabled(f), "");
    }

    // Loaded values without an item of their own check "&Other"; an orientation out of range
    // falls back to item 0, setting included, and is told in one message at start. Then each item sets its value and
    // moves the check mark (Legacy M.A.M.E. is checked on closing).
    void checkMarksFollowTheSettingsAndTheItems() {
        MainWindowFixture f;
        kelvaro::Settings s{.LegacyMame = true,
                            .MonitorOrientation = static_cast<kelvaro::MonitorOrientation>(3),
                            .PreferredRotation = kelvaro::PreferredRotation::AntiClockwise,
                            .IgnoreInterlaced = false};
        s.MatchResWithin = 10;
        s.MatchRefreshWithin = 0.75f;
        f.WriteSettings(s);
        f.Start();
        QCOMPARE(f.Checked("mnuMatchResWithin", 6) + f.Checked("mnuMatchRefreshWithin", 6) +
                     f.Checked("mnuOrientation", 3) + f.Checked("mnuRotation", 2),
                 QList<int>({5, 5, 0, 1}));
        QCOMPARE(f.Model.Config.MonitorOrientation, kelvaro::MonitorOrientation::Horizontal);
        QCOMPARE(f.Dialogs.Texts().size(), 1);
        QVERIFY(f.Dialogs.Texts()[0].contains(
            "line 6, MonitorOrientation: \" 3 \" must be 0, 1 or 2; the default 0 is used"));
        f.Dialogs.shown.clear();
        QVERIFY(f.Item("mnuLegacyMAME")->isChecked() && !f.Item("mnuIgnoreInterlaced")->isChecked());
        // Until an orientation is picked in this run, the rotation submenu stays available.
        QVERIFY(f.Find<QMenu>("mnuPrefRotation")->menuAction()->isEnabled());

        // Only a horizontal monitor has no use for a preferred rotation.
        for (int pick : {0, 1, 0, 2}) {
            f.Item("mnuOrientation", pick)->trigger();
            QCOMPARE(f.Find<QMenu>("mnuPrefRotation")->menuAction()->isEnabled(), pick != 0);
            QCOMPARE(f.Checked("mnuOrientation", 3) << kelvaro::NumberOf(f.Model.Config.MonitorOrientation),
                     QList<int>({pick, pick}));
        }
        f.Item("mnuRotation", 0)->trigger();
        QCOMPARE(f.Checked("mnuRotation", 2) << kelvaro::NumberOf(f.Model.Config.PreferredRotation),
                 QList<int>({0, 0}));
        const double pixels[] = {0, 8, 16, 24, 48}, hz[] = {0, 1, 1.25, 1.5, 2};
        for (int pick = 4; pick >= 0; --pick) {
            f.Item("mnuMatchResWithin", pick)->trigger();
            f.Item("mnuMatchRefreshWithin", pick)->trigger();
            QCOMPARE(QList<double>({double(f.Model.Config.MatchResWithin), f.Model.Config.MatchRefreshWithin}),
                     QList<double>({pixels[pick], hz[pick]}));
            QCOMPARE(f.Checked("mnuMatchResWithin", 6) + f.Checked("mnuMatchRefreshWithin", 6),
                     QList<int>({pick, pick}));
        }
        f.Item("mnuIgnoreInterlaced")->trigger();
        QVERIFY(f.Model.Config.IgnoreInterlaced && f.Item("mnuIgnoreInterlaced")->isChecked());
        QVERIFY(f.Dialogs.shown.empty());
    }

    // "&Other" answered in turn: the box's preset is the value before; an answer out of range
    // changes nothing; "&Other" stays checked.
    void otherAnswers() {
        MainWindowFixture f;
        f.Start();
        for (const auto& [refresh, answer, preset, after] : {std::tuple{false, "101", "16", 16.0},
                                                             {false, "7.5", "16", 8.0},
                                                             {true, "15.5", "1.25", 1.25},
                                                             {true, "0.75", "1.25", 0.75},
                                                             {true, "15", "0.75", 15.0}}) {
            f.Dialogs.shown.clear();
            f.Dialogs.answers = {answer};
            f.Item(refresh ? "mnuMatchRefreshWithin" : "mnuMatchResWithin", 5)->trigger();
            const QString prompt = refresh ? "Enter Value in Hz (0-15): " : "Enter Value (0-100): ";
            QCOMPARE(f.Dialogs.shown.at(0).Parts(), QStringList({prompt, "Kelvaro", preset}));
            QCOMPARE(refresh ? double(f.Model.Config.MatchRefreshWithin) : double(f.Model.Config.MatchResWithin),
                     after);
        }
        QCOMPARE(f.Checked("mnuMatchResWithin", 6) + f.Checked("mnuMatchRefreshWithin", 6), QList<int>({5, 5}));
    }

    void helpMenuAndAFreshAboutBoxEachTime() {
        MainWindowFixture f;
        f.Start();
        f.Open("mnuHelp");
        QVERIFY(!f.Item("mnuReadme")->isEnabled() && f.Item("mnuAbout")->isEnabled());
        // Found the next time the menu opens; it opens in the desktop's viewer.
        f.Dir.Write("readme.txt", "Kelvaro\r\n");
        f.Open("mnuHelp");
#ifdef _WIN32
        QVERIFY(f.Item("mnuReadme")->isEnabled()); // Windows always has a viewer for a text file
#else
        QCOMPARE(f.Item("mnuReadme")->isEnabled(), !QStandardPaths::findExecutable("xdg-open").isEmpty());
#endif

        QCOMPARE(kelvaro::frmAbout::VersionLine(2, 1, 5), "Kelvaro v2.15");
        for (int showing = 0; showing < 2; ++showing) {
            QStringList texts;
            AnswerModal<kelvaro::frmAbout> answer([&](kelvaro::frmAbout& d) {
                texts = QStringList{d.windowTitle()};
                for (const char* label : {"lblDetails1", "lblDetails3", "lblDetails5"})
                    texts << Child<QLabel>(d, label)->text();
                Child<QLabel>(d, "lblDetails1")->setText("changed while shown");
                Child<QPushButton>(d, "cmdOK")->click();
            });
            f.Item("mnuAbout")->trigger();
            QVERIFY(answer.met);
            QCOMPARE(texts.mid(0, 2), QStringList({"About Kelvaro", "Kelvaro v2.00"}));
            QVERIFY(texts[2].contains("README"));
            QCOMPARE(texts[3], "Please see the card maker's web site for details of the ArcadeVGA.");
        }
    }

    // The rules worked out by hand: a pixel is 15 twips at 96 dpi, 12 at 120 and 10 at 144. The
    // rectangles: lblUnique, lvwMain, lvwGames, cmdTestGame, lblAVGA, lvwAVGA, cmd60Hz and the three
    // status panels (the second and third share the design width of the second, the odd pixel to the second).
    void layoutRules_data() {
        QTest::addColumn<MainLayoutInput>("in");
        QTest::addColumn<Rects>("rects");
        QTest::newRow("design size") << MainLayoutInput{{1073, 651}, 22}
                                     << Rects{{11, 8, 73, 17},     {8, 24, 156, 552}, {172, 24, 652, 519},
                                              {172, 551, 652, 25}, {835, 8, 217, 17}, {832, 24, 225, 519},
                                              {832, 551, 225, 25}, {0, 0, 171, 22},   {171, 0, 453, 22},
                                              {624, 0, 453, 22}};
        // The games list and the second and third panels give up what the texts take.
        QTest::newRow("lists and first panel grown for their texts")
            << MainLayoutInput{{1073, 651}, 22, 96, 96, 0, 0, 200, 260, 250}
            << Rects{{11, 8, 73, 17},   {8, 24, 200, 552},   {216, 24, 573, 519}, {216, 551, 573, 25},
                     {800, 8, 217, 17}, {797, 24, 260, 519}, {797, 551, 260, 25}, {0, 0, 250, 22},
                     {250, 0, 414, 22}, {664, 0, 413, 22}};
        // 640 pixels wide: the side lists give up 1500 twips in proportion (23.3 and 56.7 pixels) so
        // that the games list keeps 3600 twips; the counts' panel takes its 440 pixels but a fifth.
        QTest::newRow("640 pixels wide, lists and panels grown for their texts")
            << MainLayoutInput{{640, 452}, 22, 96, 96, 0, 0, 200, 260, 250, 440}
            << Rects{{11, 8, 73, 17},   {8, 24, 157, 353},   {173, 24, 240, 320}, {173, 352, 240, 25},
                     {424, 8, 217, 17}, {421, 24, 203, 320}, {421, 352, 203, 25}, {0, 0, 250, 22},
                     {250, 0, 316, 22}, {566, 0, 78, 22}};
        // Narrower than the side lists at half their design widths: those, and the games list takes
        // its width from them all the same (2542.5 twips).
        QTest::newRow("narrower than the fixed lists, lower than the buttons, wider captions")
            << MainLayoutInput{{400, 120}, 22, 96, 96, 90, 100}
            << Rects{{11, 8, 90, 17},   {8, 24, 78, 21},    {94, 24, 170, 0}, {94, 32, 170, 25}, {275, 8, 217, 17},
                     {272, 24, 113, 0}, {272, 32, 113, 25}, {0, 0, 93, 22},   {93, 0, 156, 22},  {249, 0, 155, 22}};
        QTest::newRow("lower than the lists' top, 120 x 144 dpi")
            << MainLayoutInput{{1300, 140}, 30, 120, 144}
            << Rects{{14, 12, 91, 26},  {10, 36, 195, 0},   {215, 36, 774, 0}, {215, 48, 774, 38}, {1003, 12, 271, 26},
                     {999, 36, 281, 0}, {999, 48, 281, 38}, {0, 0, 213, 30},   {213, 0, 546, 30},  {759, 0, 546, 30}};
    }
    void layoutRules() {
        QFETCH(MainLayoutInput, in);
        QFETCH(Rects, rects);
        QCOMPARE(InOrder(kelvaro::LayOutMainWindow(in)), rects);
    }

    // The window places its controls by the rules at its first size, and on a restore after a
    // resize while minimized, when nothing moved. At its first size the real list's longest texts
    // show whole: every column of the two side lists, both counts of the status bar.
    void windowFollowsTheRules() {
        MainWindowFixture f;
        frmMain& w = f.Start();
        if (w.logicalDpiX() != 96 || w.logicalDpiY() != 96) QSKIP("the first size is measured for a 96 dpi screen");
        QCOMPARE(w.height() - w.menuBar()->height(), 629); // 9435 twips
        QVERIFY(w.width() >= 1073);                        // 16095 twips
        QCOMPARE(Placed(f), RulesFor(f, w));
        for (const char* list : {"lvwMain", "lvwAVGA"}) {
            const QTableView* view = f.List(list);
            const int bar = view->verticalScrollBar()->isVisible() ? 0 : view->verticalScrollBar()->sizeHint().width();
            QVERIFY(view->horizontalHeader()->length() + bar <= view->viewport()->width());
        }
        const QFontMetrics font(f.List("lvwMain")->font());
        QVERIFY(f.List("lvwMain")->columnWidth(1) > font.horizontalAdvance("1280 x 1024 @ 65.14Hz H") + 4);
        for (const auto& [panel, text] : {std::pair{"stbPanel1", "Modes: 1233 H + 244 V = 1477"},
                                          {"stbPanel2", "Total Games: 17210 Horizontal + 3133 Vertical = 20343 "
                                                        "(inc. 105 Vector)"}}) {
            const QLabel* label = f.Find<QLabel>(panel);
            const int room = label->contentsRect().width() - 2 * label->indent();
            QVERIFY(room >= label->fontMetrics().horizontalAdvance(text));
        }

        const QList<QRect> before = Placed(f);
        w.setWindowState(Qt::WindowMinimized);
        w.resize(800, 450);
        QCOMPARE(Placed(f), before);
        w.setWindowState(Qt::WindowNoState);
        QCOMPARE(w.size(), QSize(800, 450));
        QCOMPARE(Placed(f), RulesFor(f, w));
    }

    // No two captions Alt reaches in one window share an access key: the main window with its
    // menu titles, each menu's items, each dialog.
    void accessKeysAreDistinctInEachWindow() {
        F f;
        frmMain& w = f.StartSample();
        const auto dialogs = EveryDialog(f, w);
        QList<const QWidget*> windows = {&w};
        for (const auto& d : dialogs) windows << d.get();
        QStringList shared;
        for (const QWidget* window : windows)
            for (const QString& s : SharedAccessKeys(AltCaptions(*window))) shared << window->objectName() + " " + s;
        for (const QMenu* menu : w.findChildren<QMenu*>()) {
            QStringList items;
            for (const QAction* a : menu->actions()) items << a->text();
            for (const QString& s : SharedAccessKeys(items)) shared << menu->objectName() + " " + s;
        }
        QVERIFY2(shared.isEmpty(), qPrintable(shared.join("; ")));
    }

    // On the screen it runs on (a 640 x 480 one in the small-screen run), the main window starts
    // within the available area, its games list and buttons usable; every dialog fits, its buttons
    // whole and outside any part that scrolls.
    void everyWindowFitsTheScreen() {
        F f;
        frmMain& w = f.StartSample();
        const QRect area = w.screen()->availableGeometry();
        QVERIFY(area.contains(w.frameGeometry()));
        const QTableView* games = f.List("lvwGames");
        QVERIFY(games->width() >= games->fontMetrics().horizontalAdvance("Pac-Man (Midway, with a long title)"));
        QVERIFY(games->height() >= 8 * games->verticalHeader()->defaultSectionSize());
        for (const char* name : {"cmdTestGame", "cmd60Hz"})
            QVERIFY2(f.Button(name)->width() >= f.Button(name)->sizeHint().width(), name);
        const auto dialogs = EveryDialog(f, w);
        for (const auto& d : dialogs) {
            d->show();
            const QString name = d->objectName();
            QVERIFY2(area.contains(d->frameGeometry()), qPrintable(name));
            QList<QWidget*> whole = {d->findChild<QWidget*>("fraApply")};
            for (QPushButton* b : d->findChildren<QPushButton*>()) whole << b;
            for (const QWidget* c : whole) {
                if (!c || !c->isVisibleTo(d.get())) continue;
                const QString control = name + " " + c->objectName();
                bool scrolled = false;
                for (const QWidget* p = c->parentWidget(); p != d.get(); p = p->parentWidget())
                    scrolled = scrolled || qobject_cast<const QAbstractScrollArea*>(p);
                QVERIFY2(!scrolled, qPrintable(control));
                QVERIFY2(d->rect().contains(QRect(c->mapTo(d.get(), QPoint()), c->size())), qPrintable(control));
            }
            d->hide();
        }
    }

    // A header click sorts the games (numbers as numbers, the mode by width, height and refresh, the
    // texts whatever their case), a second click reverses; the tag names the clicks, the column the
    // game numbers in the order shown.
    void sortingTheGames_data() {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("none") << QList<int>{} << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
        QTest::newRow("Game No. twice") << QList<int>{0, 0} << QList<int>{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
        QTest::newRow("Description") << QList<int>{1} << QList<int>{2, 1, 4, 3, 5, 6, 7, 8, 9, 10, 11};
        QTest::newRow("Mode") << QList<int>{3} << QList<int>{6, 7, 8, 9, 10, 11, 2, 4, 5, 1, 3};
        QTest::newRow("Game No. twice, then Romname")
            << QList<int>{0, 0, 2} << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    }
    void sortingTheGames() {
        QFETCH(QList<int>, clicks);
        QFETCH(QList<int>, shown);
        MainWindowFixture f;
        const char* names[] = {"beta", "Alpha", "gamma", "Delta"};
        std::vector<ListGame> games;
        for (int g = 1; g <= 11; ++g)
            games.push_back({QString("g%1").arg(g, 2, 10, QChar('0')).toStdString(), g <= 4 ? names[g - 1] : "Zeta",
                             "vertical", 224, 288, "60", ""});
        games.push_back({"other", "Other", "horizontal", 320, 240, "60", ""});
        f.WriteGameList(games);
        frmMain& w = f.Start();
        const std::tuple<int, const char*, const char*, const char*> modes[] = {{1, "320", "240", "60"},
                                                                                {2, "288", "224", "60"},
                                                                                {3, "1024", "768", "60"},
                                                                                {4, "320", "224", "60"},
                                                                                {5, "320", "240", "57"}};
        for (const auto& [g, width, height, refresh] : modes) {
            f.Model.Games[g].GameModeWidth = width;
            f.Model.Games[g].GameModeHeight = height;
            f.Model.Games[g].GameModeRefresh = refresh;
        }
        f.ClickRow("lvwGames", 4); // game 5
        QHeaderView* header = f.List("lvwGames")->horizontalHeader();
        for (int column : clicks)
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, {header->sectionViewportPosition(column) + 4, 4});
        QList<int> order;
        for (const QString& number : f.Column("lvwGames", 0)) order << number.toInt();
        QCOMPARE(order, shown);
        // The same game stays selected, and Find Next still goes by the game table.
        QCOMPARE(w.SelectedGame(), 5);
        QCOMPARE(f.Cell("lvwGames", f.SelectedRow("lvwGames"), 0), "5");
        f.Dialogs.answers = {"zeta"};
        f.Item("mnuFind")->trigger();
        for (int column : clicks)
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, {header->sectionViewportPosition(column) + 4, 4});
        f.Item("mnuFindNext")->trigger();
        QCOMPARE(w.SelectedGame(), 6);
        QCOMPARE(f.Cell("lvwGames", f.SelectedRow("lvwGames"), 2), "G06");
        // A refill shows the table order again.
        f.ClickRow("lvwMain", 1);
        f.ClickRow("lvwMain", 0);
        QCOMPARE(f.Cell("lvwGames", 0, 0) + f.Cell("lvwGames", 10, 0), "111");
    }

    // An edit announces the rows it touched, neighbouring rows together; a game not shown, or not
    // in the table, touches no row.
    void gamesListAnnouncesTheEditedRows() {
        kelvaro::Model m;
        for (int g = 1; g <= 5; ++g) m.Games.Add();
        kelvaro::GameListModel list(m);
        list.SetGames({1, 2, 3, 5});
        QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
        list.GamesChanged({5, 4, 1, 99, 2});
        QList<QModelIndex> corners; // of each range
        for (const auto& range : changed) corners << range[0].value<QModelIndex>() << range[1].value<QModelIndex>();
        QCOMPARE(corners, QList<QModelIndex>({list.index(0, 3), list.index(1, 4), list.index(3, 3), list.index(3, 4)}));
    }
};

QTEST_MAIN(MainWindowTest)
#include "frmMainTest.moc"
