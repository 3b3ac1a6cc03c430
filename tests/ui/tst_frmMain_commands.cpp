// The main window's commands: the available mode list (Delete, the 60 Hz filter, the file), the
// automatic selection and its progress window, INI generation and reading back, Find, the
// settings dialog's openers, the emulator's paths and the test run.
#include "MainWindowFixture.h"
#include "ui/frmGenerateINIs.h"
#include "ui/frmProgress.h"
#include "ui/frmSettings.h"

using kelvaro::frmGenerateINIs;
using kelvaro::frmMain;
using kelvaro::frmSettings;
using Icon = kelvaro::Dialogs::Icon;
using F = MainWindowFixture;
namespace fs = std::filesystem;

namespace {

const QString kSuccess = "INI Files Successfully Created!";

// Games 1-3 share Galaga's native mode (game 3 a clone); Pac-Man, Out Run and the vector game
// Asteroids each have their own. The native modes sort as Asteroids', Pac-Man's, Galaga's, Out Run's.
struct Session {
    static constexpr int kGalagaMode = 2, kOutRunMode = 3;
    MainWindowFixture f;
    std::string ini;
    kelvaro::frmMain* w = nullptr;
    explicit Session(const std::string& galagaIni = {}) {
        f.WriteGameList({{"galaga", "Galaga (Namco rev. B)", "vertical", 224, 288, "60.606061", ""},
                         {"mspacman", "Ms. Pac-Man", "vertical", 224, 288, "60.606061", ""},
                         {"gallag", "Gallag", "vertical", 224, 288, "60.606061", "galaga"},
                         {"pacman", "Pac-Man (Midway)", "vertical", 224, 256, "60.606061", ""},
                         {"outrun", "Out Run (sitdown/upright, Rev B)", "horizontal", 320, 224, "60.054389", ""},
                         {"asteroid", "Asteroids (rev 4)", "horizontal", 0, 0, "60.000000", ""}});
        f.WriteModeList(
            {ModeLine(288, 224, "60"), ModeLine(320, 224, "60"), ModeLine(320, 240, "60"), ModeLine(256, 224, "57")});
        ini = f.MakeFolder("ini");
        kelvaro::Settings s;
        s.ModeListFile = f.Dir.File("avga9200.txt");
        s.MameINIPath = ini;
        if (!galagaIni.empty()) f.Dir.Write("ini/galaga.ini", galagaIni);
        f.WriteSettings(s);
        w = &f.Start();
    }
    std::string IniFile(const std::string& name) const { return (fs::path(ini) / name).string(); }
    QStringList Files() const {
        return QDir(QString::fromStdString(ini)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }
};

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT
private slots:
    void deleteRemovesTheSelectedMode() {
        Session s;
        frmMain& w = *s.w;
        QTest::keyClick(w.lvwAVGA, Qt::Key_Delete);
        QCOMPARE(F::Column(w.lvwAVGA, 0), QStringList({"1", "2", "3"}));
        QCOMPARE(F::Column(w.lvwAVGA, 1), QStringList({"320 x 224 @ 60Hz", "320 x 240 @ 60Hz", "256 x 224 @ 57Hz"}));
        QCOMPARE(F::SelectedRow(w.lvwAVGA), 0);
        QCOMPARE(s.f.Model.AvailWidthList.Count(), 3); // the distinct widths describe the file, not the table
        QTest::keyClick(w.lvwAVGA, Qt::Key_Down);
        QTest::keyClick(w.lvwAVGA, Qt::Key_Backspace);
        QCOMPARE(F::Column(w.lvwAVGA, 1), QStringList({"320 x 224 @ 60Hz", "256 x 224 @ 57Hz"}));
        for (int i = 0; i < 2; ++i) QTest::keyClick(w.lvwAVGA, Qt::Key_Delete);
        QVERIFY(s.f.Model.AvailModes.Empty());
        QVERIFY(!w.cmd60Hz->isEnabled());
        QTest::keyClick(w.lvwAVGA, Qt::Key_Delete); // on an empty list: nothing
        QCOMPARE(w.lvwAVGA->model()->rowCount(), 0);
        QVERIFY(s.f.Dialogs.shown.empty());
    }

    void sixtyHzFilter_data() {
        QTest::addColumn<QStringList>("rates");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("left");
        const QStringList mixed = {"57", "60", "59", "72", "61", "60"};
        QTest::newRow("No keeps every mode")
            << mixed << false << QStringList{"1:57", "2:60", "3:59", "4:72", "5:61", "6:60"};
        QTest::newRow("Yes keeps the 60Hz modes") << mixed << true << QStringList{"1:60", "2:60"};
        QTest::newRow("Yes without a 60Hz mode empties the list") << QStringList{"72", "50"} << true << QStringList{};
    }
    void sixtyHzFilter() {
        QFETCH(QStringList, rates);
        QFETCH(bool, answer);
        QFETCH(QStringList, left);
        MainWindowFixture f;
        std::vector<std::string> lines;
        for (int i = 0; i < rates.size(); ++i) lines.push_back(ModeLine(320 + 8 * i, 240, rates[i].toStdString()));
        f.WriteModeList(lines);
        frmMain& w = f.Start();
        f.Dialogs.asks = {answer};
        w.cmd60Hz->click();
        QCOMPARE(
            f.Dialogs.Texts(),
            QStringList{"This will remove all non-60Hz modes from the available mode list.  A better solution may be "
                        "to use the 'Video Mode Selection' > 'Match Refresh Rate Within' option to match up refresh "
                        "rates as well as resolutions.  Are you sure you want to continue?"});
        QCOMPARE(f.Dialogs.shown[0].icon, Icon::Question);
        QStringList shown; // the view's numbers, the table's rates
        for (int r = 0; r < w.lvwAVGA->model()->rowCount(); ++r)
            shown << F::Cell(w.lvwAVGA, r, 0) + ":" + QString::fromStdString(f.Model.AvailModes[r + 1].AvailRefresh);
        QCOMPARE(shown, left);
        QCOMPARE(w.cmd60Hz->isEnabled(), !left.isEmpty());
    }

    void choosingAndRefreshingTheModeListFile() {
        Session s;
        MainWindowFixture& f = s.f;
        frmMain& w = *s.w;
        const std::string other = f.Dir.Write("card.txt", ModeList({ModeLine(320, 240, "60"), "1024 768 60Hz"}));
        // Cancelled, or a name that exists nowhere: the setting stays and its file is read again.
        QTest::keyClick(w.lvwAVGA, Qt::Key_Delete);
        f.Dialogs.answers = {std::nullopt, QString::fromStdString(f.Dir.File("missing.txt")),
                             QString::fromStdString(other)};
        w.mnuAVGAFName->trigger();
        w.mnuAVGAFName->trigger();
        QCOMPARE(f.Model.S.ModeListFile, f.Dir.File("avga9200.txt"));
        QCOMPARE(w.lvwAVGA->model()->rowCount(), 4);
        w.mnuAVGAFName->trigger();
        QCOMPARE(f.Model.S.ModeListFile, other);
        QCOMPARE(F::Column(w.lvwAVGA, 1), QStringList({"320 x 240 @ 60Hz", "1024 x 768 @ 60Hz"}));
        const ScriptedDialogs::Shown& chooser = f.Dialogs.shown.back();
        QCOMPARE(QStringList({chooser.text, chooser.title, chooser.preset}),
                 QStringList({"Select Mode List (.txt) File Location", "Text Files (*.txt)", "avga9200.txt"}));
        // A refresh that finds nothing empties the list, and the button follows it.
        f.Dir.Write("card.txt", ModeList({}));
        w.mnuRefreshAVGA->trigger();
        QCOMPARE(w.lvwAVGA->model()->rowCount(), 0);
        QVERIFY(!w.cmd60Hz->isEnabled());
    }

    void autoSelectTwiceOnAVerticalMonitorLeavesOneRotationLine() {
        Session s;
        MainWindowFixture& f = s.f;
        frmMain& w = *s.w;
        w.mnuOrientation[1]->trigger();
        f.Dialogs.asks = {false, true, true};
        for (int run = 0; run < 3; ++run) {
            w.mnuAutoSelect->trigger();
            QCOMPARE(f.Dialogs.shown.back().text,
                     "This will override any existing INI file settings (not the actual INI "
                     "files).  Are you sure you want to continue?");
            QCOMPARE(f.Dialogs.shown.back().icon, Icon::Warning);
            if (run == 0) QCOMPARE(f.Model.Games[1].GameINIText, "resolution auto"); // No changes nothing
        }
        for (int g = 1; g <= f.Model.Games.Count(); ++g) {
            const QString text = QString::fromStdString(f.Model.Games[g].GameINIText);
            QVERIFY2(text.count("ror 1") == 1 && !text.contains("rol"), qPrintable(text));
        }
        // Galaga turned on its side: its 224 columns become the mode's height.
        F::ClickRow(w.lvwMain, Session::kGalagaMode);
        QCOMPARE(F::Cell(w.lvwGames, 0, 2), "GALAGA");
        QCOMPARE(F::Cell(w.lvwGames, 0, 3), "288 x 224 @ 60Hz");
        QCOMPARE(F::Cell(w.lvwGames, 0, 4), "resolution 288x224|ror 1");
        QVERIFY(w.isEnabled());
    }

    void autoSelectCorrectsAVanishedNotFoundMode() {
        MainWindowFixture f;
        f.WriteGameList({{"mslug", "Metal Slug - Super Vehicle-001", "horizontal", 320, 224, "59.185606", ""},
                         {"bigone", "A Very Wide Game", "horizontal", 1024, 768, "60.000000", ""}});
        f.WriteModeList({ModeLine(320, 224, "60"), ModeLine(320, 240, "60")});
        kelvaro::Settings s;
        s.ModeListFile = f.Dir.File("avga9200.txt");
        s.NotFoundWidth = "800";
        s.NotFoundHeight = "600";
        s.NotFoundRefresh = "60";
        s.NotFoundINIText = "resolution 800x600|throttle 1";
        f.WriteSettings(s);
        frmMain& w = f.Start();
        f.Dialogs.asks = {true};
        w.mnuAutoSelect->trigger();
        QCOMPARE(f.Model.Games[1].GameINIText, "resolution 320x224");
        F::ClickRow(w.lvwMain, 0); // 1024 x 768 sorts before 320 x 224 as text
        QCOMPARE(F::Column(w.lvwGames, 2), QStringList({"BIGONE"}));
        QCOMPARE(F::Cell(w.lvwGames, 0, 3), "(Let MAME Decide)");
        QCOMPARE(F::Cell(w.lvwGames, 0, 4), "resolution auto|throttle 1");
        // The corrected values are what the settings file keeps.
        w.mnuExit->trigger();
        QVERIFY(TempDir::Read(f.SettingsPath()).find("???\r\n???\r\n??\r\nresolution auto|throttle 1\r\n") !=
                std::string::npos);
    }

    void progressWindowDisablesTheMainWindow() {
        MainWindowFixture f;
        frmMain& w = f.Start();
        kelvaro::frmProgress& p = w.Progress();
        p.Begin("Reading Game Info from M.A.M.E....", -1);
        QVERIFY(p.isVisible() && p.prgMain->isHidden() && !w.isEnabled());
        QCOMPARE(p.lblMessage->text(), "Reading Game Info from M.A.M.E....");
        QCOMPARE(w.cursor().shape(), Qt::WaitCursor);
        QVERIFY(!w.close()); // not while an operation runs, and nothing is asked
        QVERIFY(f.Dialogs.shown.empty());
        p.End();
        QVERIFY(!p.isVisible() && w.isEnabled());
        QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
        p.Begin("Selecting Video Modes...", 3);
        for (int i = 1; i <= 3; ++i) p.Step(i);
        QVERIFY(!p.prgMain->isHidden());
        QCOMPARE(p.prgMain->value(), 3); // the last item always shows
        p.End();
    }

    void generation_data() {
        QTest::addColumn<int>("option");    // the scope; -1 for Cancel in the scope dialog
        QTest::addColumn<bool>("filtered"); // parents only, and games without an INI file only
        QTest::addColumn<bool>("blocked");  // a folder stands where mspacman.ini goes
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("messages"); // %1 the INI folder
        QTest::addColumn<QStringList>("files");
        const QString question =
            "This will create the required INI file(s) (in the folder %1), overwriting any existing "
            "file(s).  Are you sure you want to continue?";
        const QStringList all = {"asteroid.ini", "galaga.ini", "gallag.ini",
                                 "mspacman.ini", "outrun.ini", "pacman.ini"};
        QTest::newRow("Yes writes every game's file")
            << 3 << false << false << true << QStringList{question, kSuccess} << all;
        QTest::newRow("No writes nothing") << 3 << false << false << false << QStringList{question} << QStringList{};
        QTest::newRow("Cancel in the scope dialog") << -1 << false << false << true << QStringList{} << QStringList{};
        QTest::newRow("a file that cannot be written is never a success")
            << 3 << false << true << true
            << QStringList{question,
                           "1 INI file(s) could not be written (in the folder %1): MSPACMAN.  5 file(s) were written."}
            << all;
        QTest::newRow("new files only: nothing overwritten, nothing asked")
            << 1 << true << false << false << QStringList{kSuccess} << QStringList{"galaga.ini", "mspacman.ini"};
    }
    void generation() {
        QFETCH(int, option);
        QFETCH(bool, filtered);
        QFETCH(bool, blocked);
        QFETCH(bool, answer);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, files);
        Session s;
        F::ClickRow(s.w->lvwMain, Session::kGalagaMode); // Galaga selected
        if (filtered) s.f.Dir.Write("ini/galaga.ini", "resolution 320x240\r\n");
        if (blocked) fs::create_directory(s.IniFile("mspacman.ini"));
        s.f.Dialogs.asks = {answer};
        AnswerModal<frmGenerateINIs> scope([&](frmGenerateINIs& d) {
            if (option < 0) return d.cmdCancel->click();
            d.optApplyto[option]->setChecked(true);
            d.chkAvailableOnly->setChecked(false);
            d.chkParentsOnly->setChecked(filtered);
            d.chkNoINIOnly->setChecked(filtered);
            d.cmdOK->click();
        });
        s.w->mnuGenerateINIs->trigger();
        QVERIFY(scope.met);
        messages.replaceInStrings("%1", QString::fromStdString(s.ini));
        QCOMPARE(s.f.Dialogs.Texts(), messages);
        for (const auto& shown : s.f.Dialogs.shown)
            QCOMPARE(shown.icon, shown.text == kSuccess ? Icon::Information : Icon::Warning);
        QCOMPARE(s.Files(), files);
        if (!files.isEmpty())
            QCOMPARE(TempDir::Read(s.IniFile("galaga.ini")),
                     filtered ? "resolution 320x240\r\n" : "resolution auto\r\n");
        // A run that reached its report counts as generated: closing asks nothing then.
        QCOMPARE(s.f.Model.INIsGenerated, !messages.isEmpty() && s.f.Dialogs.shown.back().kind == "tell");
        QVERIFY(s.w->isEnabled());
    }

    void readingINIFilesAsksAndShowsWhatWasRead() {
        Session s("ror 1\r\nresolution 288x224@60\r\n");
        F::ClickRow(s.w->lvwMain, Session::kGalagaMode);
        // The start-up's build read the file already.
        QCOMPARE(F::Cell(s.w->lvwGames, 0, 3), "288 x 224 @ 60Hz");
        QCOMPARE(F::Cell(s.w->lvwGames, 0, 4), "ror 1|resolution 288x224");

        s.f.Dir.Write("ini/galaga.ini", "resolution 320x240\nthrottle 1\n");
        s.f.Dialogs.asks = {false, true};
        s.w->mnuReadINIs->trigger();
        QCOMPARE(F::Cell(s.w->lvwGames, 0, 4), "ror 1|resolution 288x224");
        s.w->mnuReadINIs->trigger();
        const QString question =
            "Reading existing INI files will lose any settings made.  Are you sure you want to continue?";
        QCOMPARE(s.f.Dialogs.Texts(), QStringList({question, question}));
        QCOMPARE(s.f.Dialogs.shown[0].icon, Icon::Warning);
        QCOMPARE(F::Cell(s.w->lvwGames, 0, 3), "320 x 240 @ 60Hz");
        QCOMPARE(F::Cell(s.w->lvwGames, 0, 4), "resolution 320x240|throttle 1");
        QCOMPARE(F::Cell(s.w->lvwGames, 1, 4), "resolution auto"); // no file: untouched
    }

    void find_data() {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<int>("game");
        QTest::addColumn<QString>("message");
        using A = std::optional<QString>;
        QTest::newRow("found: its mode, then its row") << A(" gallag ") << 3 << QString();
        QTest::newRow("not found") << A("  xyz  ") << 5 << QString("Game 'XYZ' not found.");
        QTest::newRow("cancelled") << A() << 5 << QString();
    }
    void find() {
        QFETCH(std::optional<QString>, answer);
        QFETCH(int, game);
        QFETCH(QString, message);
        Session s;
        F::ClickRow(s.w->lvwMain, Session::kOutRunMode);
        s.f.Dialogs.answers = {answer};
        s.w->mnuFind->trigger();
        QCOMPARE(s.f.Dialogs.shown[0].text, "Enter game Description or Romname to find:");
        QCOMPARE(s.f.Dialogs.shown[0].title, "Find Game");
        QCOMPARE(s.f.Dialogs.shown[0].preset, "");
        QCOMPARE(s.f.Dialogs.Texts().mid(1), message.isEmpty() ? QStringList{} : QStringList{message});
        if (!message.isEmpty()) QCOMPARE(s.f.Dialogs.shown[1].icon, Icon::Warning);
        // The game's mode and row are selected, and the Test button names it.
        QCOMPARE(s.w->SelectedGame(), game);
        const QString rom = QString::fromStdString(s.f.Model.Games[game].GameRomName);
        QCOMPARE(F::Cell(s.w->lvwGames, F::SelectedRow(s.w->lvwGames), 2), rom);
        QCOMPARE(s.w->cmdTestGame->text(),
                 "&Test '" + QString::fromStdString(s.f.Model.Games[game].GameDescription) + "'");
        if (game != 5) QCOMPARE(QApplication::focusWidget(), s.w->lvwGames);
    }

    // The data tag says how the dialog is opened; OK is pressed on its first mode.
    void settingsDialogOpeners_data() {
        QTest::addColumn<int>("scope");
        QTest::addColumn<QString>("option"); // the scope option checked, none when they are disabled
        QTest::addColumn<QString>("modes");  // the games list's Mode column after OK
        const QString mode = "288 x 224 @ 60Hz", none = "(Let MAME Decide)";
        QTest::newRow("double-click on a game") << 1 << "optThisGameOnly" << none + "|" + mode + "|" + none;
        QTest::newRow("double-click on a native mode") << 0 << "optVideoMode" << mode + "|" + mode + "|" + mode;
        QTest::newRow("settings when not found") << 2 << "" << none + "|" + none + "|" + none;
        QTest::newRow("double-click without a selected game") << -1 << "" << none + "|" + none + "|" + none;
    }
    void settingsDialogOpeners() {
        QFETCH(int, scope);
        QFETCH(QString, option);
        QFETCH(QString, modes);
        Session s;
        F::ClickRow(s.w->lvwMain, Session::kGalagaMode);
        F::ClickRow(s.w->lvwGames, 1); // Ms. Pac-Man
        QString checked;
        AnswerModal<frmSettings> answer([&](frmSettings& d) {
            for (QRadioButton* o : d.findChildren<QRadioButton*>())
                if (o->isChecked() && o->isEnabled()) checked += o->objectName();
            d.cmbVideoMode->setCurrentIndex(1);
            d.cmdOK->click();
        });
        auto doubleClick = [](QTableView* list, int row) {
            const QRect cell = list->visualRect(list->model()->index(row, 0));
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        };
        if (scope == 1) doubleClick(s.w->lvwGames, 1);
        if (scope == 0) doubleClick(s.w->lvwMain, Session::kGalagaMode);
        if (scope == 2) s.w->mnuActionNotFound->trigger();
        if (scope == -1) {
            s.w->lvwGames->clearSelection();
            s.w->lvwGames_DblClick();
            s.w->lvwMain_DblClick();
        }
        QCOMPARE(answer.met, scope >= 0);
        QCOMPARE(checked, option);
        QCOMPARE(s.f.Model.SettingsScope, std::max(scope, 0));
        QCOMPARE(F::Column(s.w->lvwGames, 3).join('|'), modes);
    }

    void choosingThePaths() {
        MainWindowFixture f;
        const std::string emu = f.MakeFolder("emu"), ini = f.MakeFolder("ini"), roms = f.MakeFolder("roms");
        const std::string exe = f.Dir.Write("emu/mame", "#!/bin/sh\n");
        fs::permissions(exe, fs::perms::owner_exec, fs::perm_options::add);
        const std::string plain = f.Dir.Write("emu/notes.txt", "not a program\n");
        fs::permissions(plain, fs::perms::owner_read | fs::perms::owner_write);
        kelvaro::frmMain& w = f.Start();

        // Chosen; then cancelled, a file nobody may run and a file that is not there change nothing.
        f.Dialogs.answers = {QString::fromStdString(exe), std::nullopt, QString::fromStdString(plain),
                             QString::fromStdString(f.Dir.File("emu/gone"))};
        for (int i = 0; i < 4; ++i) {
            w.mnuMAMEExe->trigger();
            QCOMPARE(f.Model.S.MameExePath, exe);
            QCOMPARE(f.Model.MameFolder, emu);
        }
        QCOMPARE(f.Dialogs.shown[0].text, "Select M.A.M.E. Executable");
        QCOMPARE(f.Dialogs.shown[0].title, "Executable Files (*)");
        QCOMPARE(f.Dialogs.shown.back().preset, QString::fromStdString(exe)); // opens on the one chosen before

        // A cancelled chooser, or a folder that is not there, clears the setting.
        f.Dialogs.shown.clear();
        f.Dialogs.answers = {QString::fromStdString(ini), QString::fromStdString(roms), "",
                             QString::fromStdString(f.Dir.File("gone"))};
        w.mnuMAMEINIPath->trigger();
        w.mnuMAMEROMPath->trigger();
        QCOMPARE(f.Model.S.MameINIPath, ini);
        QCOMPARE(f.Model.S.MameROMPath, roms);
        QCOMPARE(f.Dialogs.Texts(), QStringList({"Select M.A.M.E. INI Path", "Select M.A.M.E. ROM Path"}));
        w.mnuMAMEINIPath->trigger();
        w.mnuMAMEROMPath->trigger();
        QCOMPARE(f.Model.S.MameINIPath, "");
        QCOMPARE(f.Model.S.MameROMPath, "");
    }

    void testRun() {
        Session s;
        s.f.Model.S.MameINIPath.clear();
        // The emulator runs in its own folder: it finds the INI folder there.
        const std::string exe =
            s.f.Dir.Write("mame", "#!/bin/sh\necho \"$@\" > ran.txt\ncat \"ini/$1.ini\" >> ran.txt\n");
        fs::permissions(exe, fs::perms::owner_exec, fs::perm_options::add);
        F::ClickRow(s.w->lvwMain, Session::kGalagaMode); // Galaga selected
        s.w->cmdTestGame->click();                       // no executable: nothing at all
        QVERIFY(s.f.Dialogs.shown.empty());
        s.f.Model.S.MameExePath = exe;
        s.f.Model.MameFolder = s.f.Dir.Path();
        s.f.Dialogs.asks = {false, true, true};
        s.w->cmdTestGame->click(); // No
        s.w->cmdTestGame->click(); // Yes, but there is no INI folder to put the game's file in
        QVERIFY(!fs::exists(s.f.Dir.File("ran.txt")));
        s.f.Model.S.MameINIPath = s.ini;
        s.w->cmdTestGame->click();
        const QString question = "This will run M.A.M.E. with the current settings for this game.  Make sure the video "
                                 "card & monitor connected to this PC can handle the resolution specified!!  Are you "
                                 "sure you want to continue?";
        QCOMPARE(s.f.Dialogs.Texts(), QStringList({question, question,
                                                   "The test could not be prepared: no INI folder has been chosen "
                                                   "(File > M.A.M.E. INI Path).",
                                                   question}));
        QCOMPARE(s.f.Dialogs.shown[2].icon, Icon::Warning);
        // It ran on the selected game with the game's INI file, which is gone again.
        QCOMPARE(TempDir::Read(s.f.Dir.File("ran.txt")), "galaga\nresolution auto\r\n");
        QVERIFY(fs::is_empty(s.ini));
        QVERIFY(s.w->isEnabled());
    }
};

QTEST_MAIN(CommandsTest)
#include "tst_frmMain_commands.moc"
