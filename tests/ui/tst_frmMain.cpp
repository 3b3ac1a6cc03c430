// The main window from start-up to closing: its controls and menus, the settings it loads and
// saves, the lists it fills at start-up, the close question, the menus' enabling rules, the
// options of Video Mode Selection with the "&Other" input boxes, the About box, and the layout:
// the rules worked out by hand, and the window following them when minimized and restored.
#include "MainWindowFixture.h"
#include "ui/frmAbout.h"
#include "ui/frmMain_layout.h"

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

// Opens File, View and Video Mode Selection; the items that depend on the files and lists and
// are enabled, named without "mnu".
QString Enabled(frmMain& w) {
    for (QMenu* menu : {w.mnuFile, w.mnuView, w.mnuResSelection}) F::Open(menu);
    QStringList on;
    for (QAction* item : {w.mnuGenerateINIs, w.mnuGenerate, w.mnuRefreshNative, w.mnuRefreshAVGA, w.mnuReadINIs,
                          w.mnuActionNotFound, w.mnuAutoSelect})
        if (item->isEnabled()) on << item->objectName().mid(3);
    return on.join(' ');
}

// Everything the layout places, in pixels, in the order of MainLayout.
QList<QRect> Placed(const frmMain& w) {
    return {w.lblUnique->geometry(),   w.lvwMain->geometry(), w.lvwGames->geometry(),
            w.cmdTestGame->geometry(), w.lblAVGA->geometry(), w.lvwAVGA->geometry(),
            w.cmd60Hz->geometry(),     w.stbPanel1->geometry(), w.stbPanel2->geometry()};
}
QList<QRect> InOrder(const kelvaro::MainLayout& l) {
    return {l.lblUnique, l.lvwMain, l.lvwGames,  l.cmdTestGame, l.lblAVGA,
            l.lvwAVGA,   l.cmd60Hz, l.stbPanel1, l.stbPanel2};
}
// Where the rules put the controls for the window as it is now.
QList<QRect> RulesFor(const frmMain& w) {
    return InOrder(kelvaro::LayOutMainWindow({w.frameGeometry().size(), w.statusBar()->height(), w.logicalDpiX(),
                                              w.logicalDpiY(), w.lblUnique->sizeHint().width(),
                                              w.lblAVGA->sizeHint().width()}));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunShowsTheEmptyWindowAndEveryMenu() {
        MainWindowFixture f;
        frmMain& w = f.Start();
        QCOMPARE(w.windowTitle(), "Kelvaro");
        QCOMPARE(w.lblUnique->text() + "|" + w.lblAVGA->text(), "Native Modes:|Available Modes (DEL to Remove):");
        QCOMPARE(Headers(w.lvwMain) + Headers(w.lvwGames) + Headers(w.lvwAVGA),
                 QStringList({"No.", "Mode", "Game No.", "Game Description", "Romname", "Mode",
                              "INI File Details (lines separated by |'s)", "Res No.", "Mode", "Interlaced"}));
        for (QTableView* list : {w.lvwMain, w.lvwGames, w.lvwAVGA}) QCOMPARE(list->model()->rowCount(), 0);
        QCOMPARE(w.cmdTestGame->text() + "|" + w.cmd60Hz->text(), "&Test|Remove non-&60Hz Modes");
        QVERIFY(!w.cmdTestGame->isEnabled() && !w.cmd60Hz->isEnabled());
        QVERIFY(w.stbPanel1->text().isEmpty() && w.stbPanel2->text().isEmpty());
        QVERIFY(f.Dialogs.shown.empty());

        const QString menus =
            "&File;M.A.M.E. &Executable Location;M.A.M.E. &INI Path;M.A.M.E. &ROM Path (optional);"
            "&Legacy M.A.M.E. (v0.83 && previous);-;&Available Mode List (.txt) File Location;-;"
            "&Generate INI File(s);-;E&xit;^;&Edit;&Find Game;^;&View;&Generate Native Mode List;"
            "Refresh &Native Mode List;-;Refresh &Available Mode List;-;Read Existing &INI Files;^;"
            "Video Mode &Selection;Monitor &Orientation;&Horizontal;&Vertical;&Rotating (Both);^;"
            "Preferred &Rotation (for Vertical Monitors);Clockwise (&Right);Anti-Clockwise (&Left);^;-;"
            "&Ignore Interlaced Modes;&Match Resolution Within...;&0 Pixels;&8 Pixels;1&6 Pixels;&24 Pixels;"
            "&48 Pixels;&Other;^;Match &Refresh Rate Within...;&0Hz;&1Hz;1&.25Hz;1.&5Hz;&2Hz;&Other;^;-;"
            "&Settings when Ideal Mode Not Found;-;&Auto-Select Video Modes;^;&Help;Readme;-;&About;^";
        QCOMPARE(MenuTree(w.menuBar()->actions()), menus.split(';'));
    }

    // The data tag says how the window is closed, and the answer to the question.
    void closing_data() {
        QTest::addColumn<QString>("message"); // %1 the settings file
        QTest::newRow("close box, No") << kCloseQuestion;
        QTest::newRow("close box, Yes") << kCloseQuestion;
        QTest::newRow("close box after generation") << QString();
        QTest::newRow("File > Exit") << QString();
        QTest::newRow("File > Exit, a folder in the settings file's place")
            << "The settings could not be saved in %1.  The settings file there is unchanged.";
    }
    void closing() {
        QFETCH(QString, message);
        const QString how = QTest::currentDataTag();
        MainWindowFixture f;
        if (how.contains("folder")) f.MakeFolder("kelvaro.cfg");
        frmMain& w = f.Start();
        w.mnuLegacyMAME->trigger();
        w.mnuMatchResWithin[3]->trigger();
        f.Model.INIsGenerated = how.contains("generation");
        f.Dialogs.asks = {how.endsWith("Yes")};
        how.startsWith("File") ? w.mnuExit->trigger() : (void)w.close();
        const bool closes = !how.endsWith("No");
        QCOMPARE(w.isVisible(), !closes);
        message.replace("%1", QString::fromStdString(f.Model.SettingsFile()));
        QCOMPARE(f.Dialogs.Texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) QCOMPARE(f.Dialogs.shown[0].icon, Icon::Warning);
        const std::string saved = kelvaro::FormatSettingsFile({.LegacyMame = true, .MatchResWithin = 24});
        QCOMPARE(TempDir::Read(f.Model.SettingsFile()), closes && !how.contains("folder") ? saved : "");
    }

    // Loaded values without an item of their own check "&Other"; an orientation out of range
    // falls back to item 0, setting included.
    void loadedSettingsSetTheCheckMarks() {
        MainWindowFixture f;
        kelvaro::Settings s{
            .LegacyMame = true, .MonitorOrientation = 3, .PreferredRotation = 1, .IgnoreInterlaced = false};
        s.MatchResWithin = 10;
        s.MatchRefreshWithin = 0.75f;
        f.WriteSettings(s);
        frmMain& w = f.Start();
        QCOMPARE(F::Checked(w.mnuMatchResWithin) + F::Checked(w.mnuMatchRefreshWithin) + F::Checked(w.mnuOrientation) +
                     F::Checked(w.mnuRotation),
                 QList<int>({5, 5, 0, 1}));
        QCOMPARE(f.Model.S.MonitorOrientation, 0);
        QVERIFY(w.mnuLegacyMAME->isChecked() && !w.mnuIgnoreInterlaced->isChecked());
        // Until an orientation is picked in this run, the rotation submenu stays available.
        QVERIFY(w.mnuPrefRotation->menuAction()->isEnabled());
    }

    void startUpShowsTheListsAndAClickShowsAnotherMode() {
        MainWindowFixture f;
        frmMain& w = f.StartSample();
        QCOMPARE(F::Column(w.lvwMain, 0) + F::Column(w.lvwMain, 1),
                 QStringList({"1", "2", "3", "4", "Vector H", "224 x 256 @ 60.61Hz V", "224 x 288 @ 60.61Hz V",
                              "320 x 224 @ 60.05Hz H"}));
        QCOMPARE(F::SelectedRow(w.lvwMain), 0);
        QCOMPARE(w.stbPanel1->text(), "Modes: 2 H + 2 V = 4");
        QCOMPARE(w.stbPanel2->text(), "Total Games: 2 Horizontal + 4 Vertical = 6 (inc. 1 Vector)");
        QCOMPARE(QStringList({F::Cell(w.lvwGames, 0, 0), F::Cell(w.lvwGames, 0, 1), F::Cell(w.lvwGames, 0, 2),
                              F::Cell(w.lvwGames, 0, 3), F::Cell(w.lvwGames, 0, 4)}),
                 QStringList({"6", "Asteroids (rev 4)", "ASTEROID", "(Let MAME Decide)", "resolution auto"}));
        QCOMPARE(w.cmdTestGame->text(), "&Test 'Asteroids (rev 4)'");
        QVERIFY(w.cmdTestGame->isEnabled() && w.cmd60Hz->isEnabled());
        QCOMPARE(F::Column(w.lvwAVGA, 1) + F::Column(w.lvwAVGA, 2),
                 QStringList({"288 x 224 @ 60Hz", "320 x 224 @ 60Hz", "320 x 240 @ 60Hz", "256 x 224 @ 57Hz", "No",
                              "No", "No", "No"}));
        QVERIFY(f.Dialogs.shown.empty());

        // A click on another mode lists its games and names the first on the Test button.
        F::ClickRow(w.lvwMain, F::kGalagaMode);
        QCOMPARE(F::Column(w.lvwGames, 2), QStringList({"GALAGA", "MSPACMAN", "GALLAG"}));
        QCOMPARE(w.cmdTestGame->text(), "&Test 'Galaga (Namco rev. B)'");
        F::ClickRow(w.lvwGames, 1);
        QCOMPARE(w.SelectedGame(), 2);
        QCOMPARE(w.cmdTestGame->text(), "&Test 'Ms. Pac-Man'");
        // A click on the mode already selected lists its games afresh, the first one selected.
        F::ClickRow(w.lvwMain, F::kGalagaMode);
        QCOMPARE(F::SelectedRow(w.lvwGames), 0);
        QCOMPARE(w.cmdTestGame->text(), "&Test 'Galaga (Namco rev. B)'");
        // The commands act on the selected game, so Ctrl+click and Ctrl+Space never leave a list
        // without one.
        const QPoint first = w.lvwGames->visualRect(w.lvwGames->model()->index(0, 0)).center();
        QTest::mouseClick(w.lvwGames->viewport(), Qt::LeftButton, Qt::ControlModifier, first);
        QCOMPARE(w.SelectedGame(), 1);
        w.lvwGames->setFocus();
        QTest::keyClick(w.lvwGames, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(w.SelectedGame(), 1);
        // The arrow keys choose modes as clicks do.
        w.lvwMain->setFocus();
        QTest::keyClick(w.lvwMain, Qt::Key_Down);
        QCOMPARE(F::Column(w.lvwGames, 2), QStringList({"OUTRUN"}));
    }

    void menusEnableTheirItemsFromTheFilesAndLists() {
        MainWindowFixture f;
        const std::string ini = f.MakeFolder("ini"), modes = f.Dir.File("avga9200.txt");
        f.WriteModeList({ModeLine(320, 240, "60")});
        f.WriteSettings({.MameINIPath = ini, .ModeListFile = modes});
        frmMain& w = f.Start();
        QCOMPARE(Enabled(w), "RefreshAVGA"); // modes and an INI folder, no games, no executable
        f.Model.S.MameExePath = f.Dir.Write("mame", "#!/bin/sh\n");
        QCOMPARE(Enabled(w), "Generate RefreshNative RefreshAVGA");
        f.WriteGameList({{"galaga", "Galaga (Namco rev. B)", "vertical", 224, 288, "60.606061", ""}});
        f.Dialogs.asks = {true};
        w.mnuRefreshNative->trigger();
        QCOMPARE(f.Dialogs.Texts(), QStringList{"Refreshing the Native Mode List will loose any settings made.  Are "
                                                "you sure you want to continue?"});
        QCOMPARE(Enabled(w), "GenerateINIs Generate RefreshNative RefreshAVGA ReadINIs ActionNotFound AutoSelect");
        fs::remove(ini);
        QCOMPARE(Enabled(w), "Generate RefreshNative RefreshAVGA ActionNotFound AutoSelect");
        fs::create_directory(ini);
        fs::remove(modes);
        fs::remove(f.Model.S.MameExePath);
        QCOMPARE(Enabled(w), "GenerateINIs ReadINIs ActionNotFound AutoSelect"); // the table read before stays

        // Started again with games but no modes, it cannot read the INI files and says so.
        f.Dialogs.shown.clear();
        frmMain& again = f.Start();
        QCOMPARE(f.Dialogs.Texts(), QStringList{"INI files cannot be read unless both Native Mode and Available Mode "
                                                "Lists are populated."});
        QCOMPARE(f.Dialogs.shown[0].icon, Icon::Warning);
        QCOMPARE(again.lvwMain->model()->rowCount(), 1); // the lists are filled all the same
        QCOMPARE(Enabled(again), "");
    }

    // Each item sets its value and moves the check mark (Legacy M.A.M.E. is checked on closing).
    void selectionOptionsSetTheirValuesAndCheckMarks() {
        MainWindowFixture f;
        frmMain& w = f.Start();
        // Only a horizontal monitor has no use for a preferred rotation.
        for (int pick : {0, 1, 0, 2}) {
            w.mnuOrientation[pick]->trigger();
            QCOMPARE(w.mnuPrefRotation->menuAction()->isEnabled(), pick != 0);
            QCOMPARE(F::Checked(w.mnuOrientation) << f.Model.S.MonitorOrientation, QList<int>({pick, pick}));
        }
        w.mnuRotation[1]->trigger();
        QCOMPARE(F::Checked(w.mnuRotation) << f.Model.S.PreferredRotation, QList<int>({1, 1}));
        const double pixels[] = {0, 8, 16, 24, 48}, hz[] = {0, 1, 1.25, 1.5, 2};
        for (int pick = 4; pick >= 0; --pick) {
            w.mnuMatchResWithin[pick]->trigger();
            w.mnuMatchRefreshWithin[pick]->trigger();
            QCOMPARE(QList<double>({double(f.Model.S.MatchResWithin), f.Model.S.MatchRefreshWithin}),
                     QList<double>({pixels[pick], hz[pick]}));
            QCOMPARE(F::Checked(w.mnuMatchResWithin) + F::Checked(w.mnuMatchRefreshWithin), QList<int>({pick, pick}));
        }
        w.mnuIgnoreInterlaced->trigger();
        QVERIFY(!f.Model.S.IgnoreInterlaced && !w.mnuIgnoreInterlaced->isChecked());
        QVERIFY(f.Dialogs.shown.empty());
    }

    // "&Other" answered in turn: the box's preset is the value before. Out of range changes
    // nothing; 7.5 and 6.5 pixels round to the even 8 and 6; "&Other" stays checked.
    void otherAnswers() {
        MainWindowFixture f;
        frmMain& w = f.Start();
        const struct {
            bool refresh;
            QString answer, preset;
            double after;
        } steps[] = {{false, "101", "16", 16}, {false, "-1", "16", 16},      {false, "7.5", "16", 8},
                     {false, "6.5", "8", 6},   {true, "15.5", "1.25", 1.25}, {true, "0.75", "1.25", 0.75},
                     {true, "15", "0.75", 15}};
        for (const auto& step : steps) {
            f.Dialogs.shown.clear();
            f.Dialogs.answers = {step.answer};
            (step.refresh ? w.mnuMatchRefreshWithin : w.mnuMatchResWithin)[5]->trigger();
            const ScriptedDialogs::Shown& box = f.Dialogs.shown.at(0);
            QCOMPARE(QStringList({box.text, box.title, box.preset}),
                     QStringList({step.refresh ? "Enter Value in Hz (0-15): " : "Enter Value (0-100): ", "Kelvaro",
                                  step.preset}));
            QCOMPARE(step.refresh ? double(f.Model.S.MatchRefreshWithin) : double(f.Model.S.MatchResWithin),
                     step.after);
        }
        QCOMPARE(F::Checked(w.mnuMatchResWithin) + F::Checked(w.mnuMatchRefreshWithin), QList<int>({5, 5}));
    }

    void helpMenuAndAFreshAboutBoxEachTime() {
        MainWindowFixture f;
        frmMain& w = f.Start();
        F::Open(w.mnuHelp);
        QVERIFY(!w.mnuReadme->isEnabled() && w.mnuAbout->isEnabled());
        // Found the next time the menu opens; it opens in the desktop's viewer.
        f.Dir.Write("readme.txt", "Kelvaro\r\n");
        F::Open(w.mnuHelp);
        QCOMPARE(w.mnuReadme->isEnabled(), !QStandardPaths::findExecutable("xdg-open").isEmpty());

        QCOMPARE(kelvaro::frmAbout::VersionLine(2, 1, 5), "Kelvaro v2.15");
        for (int showing = 0; showing < 2; ++showing) {
            QStringList texts;
            AnswerModal<kelvaro::frmAbout> answer([&](kelvaro::frmAbout& d) {
                texts =
                    QStringList{d.windowTitle(), d.lblDetails1->text(), d.lblDetails3->text(), d.lblDetails5->text()};
                d.lblDetails1->setText("changed while shown");
                d.cmdOK->click();
            });
            w.mnuAbout->trigger();
            QVERIFY(answer.met);
            QCOMPARE(texts.mid(0, 2), QStringList({"About Kelvaro", "Kelvaro v2.00"}));
            QVERIFY(texts[2].contains("README"));
            QCOMPARE(texts[3], "Please see the card maker's web site for details of the ArcadeVGA.");
        }
    }

    // The rules worked out by hand: a pixel is 15 twips at 96 dpi, 12 at 120 and 10 at 144. The
    // rectangles: lblUnique, lvwMain, lvwGames, cmdTestGame, lblAVGA, lvwAVGA, cmd60Hz and the two
    // status panels.
    void layoutRules_data() {
        QTest::addColumn<MainLayoutInput>("in");
        QTest::addColumn<Rects>("rects");
        QTest::newRow("design size") << MainLayoutInput{{1073, 651}, 22}
            << Rects{{11, 8, 73, 17}, {8, 24, 156, 552}, {172, 24, 652, 519}, {172, 551, 652, 25},
                     {835, 8, 217, 17}, {832, 24, 225, 519}, {832, 551, 225, 25}, {0, 0, 171, 22}, {171, 0, 906, 22}};
        // 315 twips narrower than the fixed lists: the games list is 315 twips wide all the same.
        QTest::newRow("narrower than the fixed lists, lower than the buttons, wider captions")
            << MainLayoutInput{{400, 120}, 22, 96, 96, 90, 100}
            << Rects{{11, 8, 90, 17}, {8, 24, 156, 21}, {172, 24, 21, 0}, {172, 32, 21, 25}, {204, 8, 217, 17},
                     {201, 24, 225, 0}, {201, 32, 225, 25}, {0, 0, 171, 22}, {171, 0, 275, 22}};
        QTest::newRow("lower than the lists' top, 120 x 144 dpi") << MainLayoutInput{{1300, 140}, 30, 120, 144}
            << Rects{{14, 12, 91, 26}, {10, 36, 195, 0}, {215, 36, 774, 0}, {215, 48, 774, 38},
                     {1003, 12, 271, 26}, {999, 36, 281, 0}, {999, 48, 281, 38}, {0, 0, 213, 30}, {213, 0, 1092, 30}};
    }
    void layoutRules() {
        QFETCH(MainLayoutInput, in);
        QFETCH(Rects, rects);
        QCOMPARE(InOrder(kelvaro::LayOutMainWindow(in)), rects);
    }

    // The window places its controls by the rules at its first size, and on a restore after a
    // resize while minimized, when nothing moved.
    void windowFollowsTheRules() {
        MainWindowFixture f;
        frmMain& w = f.Start();
        if (w.logicalDpiX() != 96 || w.logicalDpiY() != 96) QSKIP("the first size is measured for a 96 dpi screen");
        QCOMPARE(QSize(w.width(), w.height() - w.menuBar()->height()), QSize(1073, 629)); // 16095 x 9435 twips
        QCOMPARE(Placed(w), RulesFor(w));

        const QList<QRect> before = Placed(w);
        w.setWindowState(Qt::WindowMinimized);
        w.resize(800, 450);
        QCOMPARE(Placed(w), before);
        w.setWindowState(Qt::WindowNoState);
        QCOMPARE(w.size(), QSize(800, 450));
        QCOMPARE(Placed(w), RulesFor(w));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_frmMain.moc"
