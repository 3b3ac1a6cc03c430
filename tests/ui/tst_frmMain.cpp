// The main window from start-up to closing: its controls and menus, the settings it loads and
// saves, the lists it fills at start-up, the close question, the menus' enabling rules, the
// options of Video Mode Selection with the "&Other" input boxes, and the About box.
#include "MainWindowFixture.h"
#include "core/SettingsFile.h"
#include "ui/frmAbout.h"

using kelvaro::frmMain;
using Icon = kelvaro::Dialogs::Icon;
using F = MainWindowFixture;
namespace fs = std::filesystem;

namespace {

const QString kCloseQuestion = "No INI files have been generated.  Are you sure you want to exit?";

QStringList Headers(const QTableView* view) {
    QStringList h;
    for (int c = 0; c < view->model()->columnCount(); ++c) h << view->model()->headerData(c, Qt::Horizontal).toString();
    return h;
}

// Every menu and item in order, depth first: "name caption", or "-" for a separator.
QStringList MenuTree(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions) {
        out << (a->isSeparator() ? "-" : (a->menu() ? a->menu()->objectName() : a->objectName()) + " " + a->text());
        if (a->menu()) out << MenuTree(a->menu()->actions());
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
            "mnuFile &File;mnuMAMEExe M.A.M.E. &Executable Location;mnuMAMEINIPath M.A.M.E. &INI Path;"
            "mnuMAMEROMPath M.A.M.E. &ROM Path (optional);mnuLegacyMAME &Legacy M.A.M.E. (v0.83 && previous);-;"
            "mnuAVGAFName &Available Mode List (.txt) File Location;-;mnuGenerateINIs &Generate INI File(s);-;"
            "mnuExit E&xit;mnuEdit &Edit;mnuFind &Find Game;mnuView &View;mnuGenerate &Generate Native Mode List;"
            "mnuRefreshNative Refresh &Native Mode List;-;mnuRefreshAVGA Refresh &Available Mode List;-;"
            "mnuReadINIs Read Existing &INI Files;mnuResSelection Video Mode &Selection;"
            "mnuMonitor Monitor &Orientation;mnuOrientation_0 &Horizontal;mnuOrientation_1 &Vertical;"
            "mnuOrientation_2 &Rotating (Both);mnuPrefRotation Preferred &Rotation (for Vertical Monitors);"
            "mnuRotation_0 Clockwise (&Right);mnuRotation_1 Anti-Clockwise (&Left);-;"
            "mnuIgnoreInterlaced &Ignore Interlaced Modes;mnuMatchResolution &Match Resolution Within...;"
            "mnuMatchResWithin_0 &0 Pixels;mnuMatchResWithin_1 &8 Pixels;mnuMatchResWithin_2 1&6 Pixels;"
            "mnuMatchResWithin_3 &24 Pixels;mnuMatchResWithin_4 &48 Pixels;mnuMatchResWithin_5 &Other;"
            "mnuMatchRefresh Match &Refresh Rate Within...;mnuMatchRefreshWithin_0 &0Hz;mnuMatchRefreshWithin_1 &1Hz;"
            "mnuMatchRefreshWithin_2 1&.25Hz;mnuMatchRefreshWithin_3 1.&5Hz;mnuMatchRefreshWithin_4 &2Hz;"
            "mnuMatchRefreshWithin_5 &Other;-;mnuActionNotFound &Settings when Ideal Mode Not Found;-;"
            "mnuAutoSelect &Auto-Select Video Modes;mnuHelp &Help;mnuReadme Readme;-;mnuAbout &About";
        QCOMPARE(MenuTree(w.menuBar()->actions()), menus.split(';'));
    }

    // The data tag says how the window is closed.
    void closing_data() {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("message"); // %1 the settings file
        QTest::addColumn<bool>("closes");
        QTest::newRow("close box, No") << false << kCloseQuestion << false;
        QTest::newRow("close box, Yes") << true << kCloseQuestion << true;
        QTest::newRow("close box after generation") << false << QString() << true;
        QTest::newRow("File > Exit") << false << QString() << true;
        QTest::newRow("File > Exit, a folder in the settings file's place")
            << false << "The settings could not be saved in %1.  The settings file there is unchanged." << true;
    }
    void closing() {
        QFETCH(bool, answer);
        QFETCH(QString, message);
        QFETCH(bool, closes);
        const QString how = QTest::currentDataTag();
        MainWindowFixture f;
        if (how.contains("folder")) f.MakeFolder("kelvaro.cfg");
        frmMain& w = f.Start();
        w.mnuLegacyMAME->trigger();
        w.mnuMatchResWithin[3]->trigger();
        f.Model.INIsGenerated = how.contains("generation");
        f.Dialogs.asks = {answer};
        how.startsWith("File") ? w.mnuExit->trigger() : (void)w.close();
        QCOMPARE(w.isVisible(), !closes);
        message.replace("%1", QString::fromStdString(f.SettingsPath()));
        QCOMPARE(f.Dialogs.Texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) QCOMPARE(f.Dialogs.shown[0].icon, Icon::Warning);
        kelvaro::Settings expected;
        expected.LegacyMame = true;
        expected.MatchResWithin = 24;
        QCOMPARE(TempDir::Read(f.SettingsPath()),
                 closes && !how.contains("folder") ? kelvaro::FormatSettingsFile(expected) : "");
    }

    void loadedSettingsSetTheCheckMarks_data() {
        QTest::addColumn<int>("res");
        QTest::addColumn<float>("refresh");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<QList<int>>("checked"); // items of resolution, refresh, orientation, rotation
        QTest::newRow("other values") << 10 << 0.75f << 1 << 1 << QList<int>{5, 5, 1, 1};
        QTest::newRow("orientation and rotation out of range") << 0 << 2.0f << 3 << -1 << QList<int>{0, 4, 0, 0};
    }
    void loadedSettingsSetTheCheckMarks() {
        QFETCH(int, res);
        QFETCH(float, refresh);
        QFETCH(int, orientation);
        QFETCH(int, rotation);
        QFETCH(QList<int>, checked);
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
        QCOMPARE(F::Checked(w.mnuMatchResWithin) + F::Checked(w.mnuMatchRefreshWithin) + F::Checked(w.mnuOrientation) +
                     F::Checked(w.mnuRotation),
                 checked);
        // Out of range falls back to item 0, setting included; the loaded tolerances stand as they are.
        QCOMPARE(QList<int>({f.Model.S.MonitorOrientation, f.Model.S.PreferredRotation}), checked.mid(2));
        QCOMPARE(f.Model.S.MatchResWithin, res);
        QCOMPARE(f.Model.S.MatchRefreshWithin, refresh);
        QVERIFY(w.mnuLegacyMAME->isChecked() && !w.mnuIgnoreInterlaced->isChecked());
        // Until an orientation is picked in this run, the rotation submenu stays available.
        QVERIFY(w.mnuPrefRotation->menuAction()->isEnabled());
    }

    void startUpShowsTheModesAndGamesAndAClickShowsAnotherMode() {
        MainWindowFixture f;
        f.WriteGameList({{"puckman", "PuckMan (Japan set 1)", "vertical", 224, 288, "60.606061", ""},
                         {"pacman", "Pac-Man (Midway)", "vertical", 224, 288, "60.606061", "puckman"},
                         {"sf2", "Street Fighter II: The World Warrior", "horizontal", 256, 224, "60.000000", ""}});
        f.WriteModeList({ModeLine(320, 240, "60"), ModeLine(640, 480, "60"), ModeLine(800, 600, "72")});
        frmMain& w = f.Start();
        QCOMPARE(F::Column(w.lvwMain, 0) + F::Column(w.lvwMain, 1),
                 QStringList({"1", "2", "224 x 288 @ 60.61Hz V", "256 x 224 @ 60Hz H"}));
        QCOMPARE(F::SelectedRow(w.lvwMain), 0);
        QCOMPARE(w.stbPanel1->text(), "Modes: 1 H + 1 V = 2");
        QCOMPARE(w.stbPanel2->text(), "Total Games: 1 Horizontal + 2 Vertical = 3 (inc. 0 Vector)");
        QCOMPARE(QStringList({F::Cell(w.lvwGames, 0, 0), F::Cell(w.lvwGames, 0, 1), F::Cell(w.lvwGames, 0, 3),
                              F::Cell(w.lvwGames, 0, 4)}),
                 QStringList({"1", "PuckMan (Japan set 1)", "(Let MAME Decide)", "resolution auto"}));
        QCOMPARE(F::Column(w.lvwGames, 2), QStringList({"PUCKMAN", "PACMAN"}));
        QCOMPARE(F::SelectedRow(w.lvwGames), 0);
        QCOMPARE(w.cmdTestGame->text(), "&Test 'PuckMan (Japan set 1)'");
        QVERIFY(w.cmdTestGame->isEnabled() && w.cmd60Hz->isEnabled());
        QCOMPARE(F::Column(w.lvwAVGA, 1) + F::Column(w.lvwAVGA, 2),
                 QStringList({"320 x 240 @ 60Hz", "640 x 480 @ 60Hz", "800 x 600 @ 72Hz", "No", "Yes", "Yes"}));
        QVERIFY(f.Dialogs.shown.empty());

        // A click on another mode lists its games and names the first on the Test button.
        F::ClickRow(w.lvwMain, 1);
        QCOMPARE(F::Column(w.lvwGames, 0), QStringList({"3"}));
        QCOMPARE(w.cmdTestGame->text(), "&Test 'Street Fighter II: The World Warrior'");
        F::ClickRow(w.lvwMain, 0);
        F::ClickRow(w.lvwGames, 1);
        QCOMPARE(w.SelectedGame(), 2);
        QCOMPARE(w.cmdTestGame->text(), "&Test 'Pac-Man (Midway)'");
        // A click on the mode already selected lists its games afresh, the first one selected.
        F::ClickRow(w.lvwMain, 0);
        QCOMPARE(F::SelectedRow(w.lvwGames), 0);
        QCOMPARE(w.cmdTestGame->text(), "&Test 'PuckMan (Japan set 1)'");
        // The arrow keys choose modes as clicks do.
        w.lvwMain->setFocus();
        QTest::keyClick(w.lvwMain, Qt::Key_Down);
        QCOMPARE(F::Column(w.lvwGames, 2), QStringList({"SF2"}));
    }

    void menusEnableTheirItemsFromTheFilesAndLists() {
        MainWindowFixture f;
        const std::string ini = f.MakeFolder("ini"), modes = f.Dir.File("avga9200.txt");
        f.WriteModeList({ModeLine(320, 240, "60")});
        kelvaro::Settings s;
        s.MameINIPath = ini;
        s.ModeListFile = modes;
        f.WriteSettings(s);
        frmMain& w = f.Start();
        QCOMPARE(Enabled(w), "RefreshAVGA"); // modes and an INI folder, no games, no executable
        for (QAction* always : {w.mnuMAMEExe, w.mnuMAMEINIPath, w.mnuMAMEROMPath, w.mnuLegacyMAME, w.mnuAVGAFName,
                                w.mnuExit, w.mnuIgnoreInterlaced, w.mnuMatchResWithin[5], w.mnuMatchRefreshWithin[0]})
            QVERIFY(always->isEnabled());
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

    void selectionOptionsSetTheirValuesAndCheckMarks() {
        MainWindowFixture f;
        frmMain& w = f.Start();
        // Only a horizontal monitor has no use for a preferred rotation.
        for (int pick : {0, 1, 0, 2}) {
            w.mnuOrientation[pick]->trigger();
            QCOMPARE(w.mnuPrefRotation->menuAction()->isEnabled(), pick != 0);
            QCOMPARE(f.Model.S.MonitorOrientation, pick);
            QCOMPARE(F::Checked(w.mnuOrientation), QList<int>{pick});
        }
        w.mnuRotation[1]->trigger();
        QCOMPARE(f.Model.S.PreferredRotation, 1);
        QCOMPARE(F::Checked(w.mnuRotation), QList<int>{1});
        const int pixels[] = {0, 8, 16, 24, 48};
        const float hz[] = {0.0f, 1.0f, 1.25f, 1.5f, 2.0f};
        for (int pick = 4; pick >= 0; --pick) {
            w.mnuMatchResWithin[pick]->trigger();
            w.mnuMatchRefreshWithin[pick]->trigger();
            QCOMPARE(f.Model.S.MatchResWithin, pixels[pick]);
            QCOMPARE(f.Model.S.MatchRefreshWithin, hz[pick]);
            QCOMPARE(F::Checked(w.mnuMatchResWithin) + F::Checked(w.mnuMatchRefreshWithin), QList<int>({pick, pick}));
        }
        w.mnuIgnoreInterlaced->trigger();
        QVERIFY(!f.Model.S.IgnoreInterlaced && !w.mnuIgnoreInterlaced->isChecked());
        w.mnuLegacyMAME->trigger();
        QVERIFY(f.Model.S.LegacyMame && w.mnuLegacyMAME->isChecked());
        QVERIFY(f.Dialogs.shown.empty());
    }

    void otherAnswers_data() {
        QTest::addColumn<bool>("refresh"); // Match Refresh Rate Within, else Match Resolution Within
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<double>("expected");
        using A = std::optional<QString>;
        QTest::newRow("7.5 pixels rounds to the even 8") << false << A("7.5") << 8.0;
        QTest::newRow("6.5 pixels rounds to the even 6") << false << A("6.5") << 6.0;
        QTest::newRow("101 pixels changes nothing") << false << A("101") << 16.0;
        QTest::newRow("-1 pixels changes nothing") << false << A("-1") << 16.0;
        QTest::newRow("cancelled") << false << A() << 16.0;
        QTest::newRow("0.75 Hz keeps its fraction") << true << A("0.75") << 0.75;
        QTest::newRow("15 Hz is the top") << true << A("15") << 15.0;
        QTest::newRow("15.5 Hz changes nothing") << true << A("15.5") << 1.25;
    }
    void otherAnswers() {
        QFETCH(bool, refresh);
        QFETCH(std::optional<QString>, answer);
        QFETCH(double, expected);
        MainWindowFixture f;
        frmMain& w = f.Start();
        f.Dialogs.answers = {answer};
        (refresh ? w.mnuMatchRefreshWithin : w.mnuMatchResWithin)[5]->trigger();
        QCOMPARE(f.Dialogs.shown.size(), size_t(1));
        QCOMPARE(f.Dialogs.shown[0].text, refresh ? "Enter Value in Hz (0-15): " : "Enter Value (0-100): ");
        QCOMPARE(f.Dialogs.shown[0].title, "Kelvaro");
        QCOMPARE(f.Dialogs.shown[0].preset, refresh ? "1.25" : "16");
        QCOMPARE(refresh ? double(f.Model.S.MatchRefreshWithin) : double(f.Model.S.MatchResWithin), expected);
        QCOMPARE(F::Checked(w.mnuMatchResWithin) + F::Checked(w.mnuMatchRefreshWithin),
                 QList<int>({refresh ? 2 : 5, refresh ? 5 : 2}));
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
            QPointer<kelvaro::frmAbout> box;
            QStringList texts;
            AnswerModal<kelvaro::frmAbout> answer([&](kelvaro::frmAbout& d) {
                box = &d;
                texts = QStringList{d.windowTitle(), d.lblDetails1->text(), d.lblDetails2->text(),
                                    d.lblDetails3->text(), d.lblDetails5->text()};
                d.lblDetails1->setText("changed while shown");
                d.cmdOK->click();
            });
            w.mnuAbout->trigger();
            QVERIFY(answer.met);
            QVERIFY(box.isNull()); // closed and discarded: the next showing makes a new one
            QCOMPARE(texts[0], "About Kelvaro");
            QCOMPARE(texts[1], "Kelvaro v2.00");
            QVERIFY(texts[3].contains("README"));
            QCOMPARE(texts[4], "Please see the card maker's web site for details of the ArcadeVGA.");
            QVERIFY(!texts.join(" ").contains("http") && !texts.join(" ").contains("www."));
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_frmMain.moc"
