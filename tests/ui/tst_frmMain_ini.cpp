// The main window's commands on files and games: INI generation and reading back, the test run,
// Find, the settings dialog's openers and the choice of the emulator's paths.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "MainWindowFixture.h"
#include "ui/frmGenerateINIs.h"
#include "ui/frmProgress.h"
#include "ui/frmSettings.h"

using kelvaro::frmMain;
using Icon = kelvaro::Dialogs::Icon;
namespace fs = std::filesystem;

namespace {

// Answers the next modal dialog of type T once it shows; the flag tells whether it was met.
template <class T>
std::shared_ptr<bool> Answer(std::function<void(T&)> answer) {
    auto met = std::make_shared<bool>(false);
    auto tries = std::make_shared<int>(0);
    auto look = std::make_shared<std::function<void()>>();
    *look = [=] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            *met = true;
            answer(*dialog);
        } else if (++*tries < 50) {
            QTimer::singleShot(10, *look);
        }
    };
    QTimer::singleShot(0, *look);
    return met;
}

std::vector<ListGame> Games() {
    return {
        {"galaga", "Galaga (Namco rev. B)", "vertical", 224, 288, "60.606061"},
        {"mspacman", "Ms. Pac-Man", "vertical", 224, 288, "60.606061"},
        {"gallag", "Gallag", "vertical", 224, 288, "60.606061", "galaga"},
        {"pacman", "Pac-Man (Midway)", "vertical", 224, 256, "60.606061"},
        {"outrun", "Out Run (sitdown/upright, Rev B)", "horizontal", 320, 224, "60.054389"},
    };
}

std::vector<std::string> Modes() {
    return {ModeLine(288, 224, "60"), ModeLine(320, 224, "60"), ModeLine(320, 240, "60"), ModeLine(256, 224, "57")};
}

// A program folder with the games, the modes and an INI folder, started.
struct Session {
    MainWindowFixture f;
    std::string ini;
    frmMain* w = nullptr;
    explicit Session(const std::function<void(kelvaro::Settings&)>& more = {}) {
        f.WriteGameList(Games());
        f.WriteModeList(Modes());
        ini = f.MakeFolder("ini");
        kelvaro::Settings s;
        s.ModeListFile = f.Dir.File("avga9200.txt");
        s.MameINIPath = ini;
        if (more) more(s);
        f.WriteSettings(s);
        w = &f.Start();
    }
    bool Has(const std::string& name) const { return fs::exists(fs::path(ini) / name); }
};

// Picks the scope and the filters in the generation dialog, then OK.
std::function<void(kelvaro::frmGenerateINIs&)> Scope(int option, bool available, bool parents, bool noIni) {
    return [=](kelvaro::frmGenerateINIs& d) {
        d.optApplyto[option]->setChecked(true);
        d.chkAvailableOnly->setChecked(available);
        d.chkParentsOnly->setChecked(parents);
        d.chkNoINIOnly->setChecked(noIni);
        d.cmdOK->click();
    };
}

QString GenerationQuestion(const std::string& folder) {
    return "This will create the required INI file(s) (in the folder " + QString::fromStdString(folder) +
           "), overwriting any existing file(s).  Are you sure you want to continue?";
}

} // namespace

class IniTest : public QObject {
    Q_OBJECT
private slots:
    void generationAsksWritesAndReportsSuccess();
    void generationAnsweredNoWritesNothing();
    void cancelInTheScopeDialogStopsGeneration();
    void onlyGamesWithoutINIFilesAreNotAsked();
    void failedFilesAreReportedNeverAsSuccess();
    void readingINIFilesAsksAndShowsWhatWasRead();
    void findGame();
    void findGameNotFound();
    void doubleClicksOpenTheSettingsDialog();
    void doubleClickWithoutASelectedGameDoesNothing();
    void choosingTheExecutable();
    void choosingTheFolders();
    void testRun();
};

void IniTest::generationAsksWritesAndReportsSuccess() {
    Session s;
    auto met = Answer<kelvaro::frmGenerateINIs>(Scope(3, false, false, false));
    s.f.Dialogs.asks = {true};
    s.w->mnuGenerateINIs->trigger();
    QVERIFY(*met);
    QCOMPARE(s.f.Dialogs.shown.size(), size_t(2));
    QCOMPARE(s.f.Dialogs.shown[0].text, GenerationQuestion(s.ini));
    QCOMPARE(s.f.Dialogs.shown[0].icon, Icon::Warning);
    QCOMPARE(s.f.Dialogs.shown[1].kind, "tell");
    QCOMPARE(s.f.Dialogs.shown[1].text, "INI Files Successfully Created!");
    QCOMPARE(s.f.Dialogs.shown[1].icon, Icon::Information);
    for (const char* name : {"galaga.ini", "mspacman.ini", "gallag.ini", "pacman.ini", "outrun.ini"})
        QVERIFY2(s.Has(name), name);
    QCOMPARE(TempDir::Read((fs::path(s.ini) / "galaga.ini").string()), "resolution auto\r\n");
    QVERIFY(s.f.Model.INIsGenerated);
    QVERIFY(s.w->isEnabled());
    // Files were generated in this run: closing asks nothing.
    QVERIFY(s.w->close());
    QCOMPARE(s.f.Dialogs.shown.size(), size_t(2));
}

void IniTest::generationAnsweredNoWritesNothing() {
    Session s;
    auto met = Answer<kelvaro::frmGenerateINIs>(Scope(3, false, false, false));
    s.f.Dialogs.asks = {false};
    s.w->mnuGenerateINIs->trigger();
    QVERIFY(*met);
    QCOMPARE(s.f.Dialogs.Texts(), QStringList({GenerationQuestion(s.ini)}));
    QVERIFY(fs::is_empty(s.ini));
    QVERIFY(!s.f.Model.INIsGenerated);
}

void IniTest::cancelInTheScopeDialogStopsGeneration() {
    Session s;
    auto met = Answer<kelvaro::frmGenerateINIs>([](kelvaro::frmGenerateINIs& d) { d.cmdCancel->click(); });
    s.w->mnuGenerateINIs->trigger();
    QVERIFY(*met);
    QCOMPARE(s.f.Model.S.GenerateApplyTo, -1);
    QCOMPARE(s.f.Dialogs.shown.size(), size_t(0));
    QVERIFY(fs::is_empty(s.ini));
    QVERIFY(!s.f.Model.INIsGenerated);
}

void IniTest::onlyGamesWithoutINIFilesAreNotAsked() {
    Session s;
    MainWindowFixture::ClickRow(s.w->lvwMain, 1); // Galaga's mode, Galaga selected
    s.f.Dir.Write("ini/galaga.ini", "resolution 320x240\r\n");
    // The selected game is Galaga; its whole native mode is in scope, parents only.
    auto met = Answer<kelvaro::frmGenerateINIs>(Scope(1, false, true, true));
    s.w->mnuGenerateINIs->trigger();
    QVERIFY(*met);
    QCOMPARE(s.f.Dialogs.Texts(), QStringList({"INI Files Successfully Created!"}));
    QCOMPARE(TempDir::Read((fs::path(s.ini) / "galaga.ini").string()), "resolution 320x240\r\n");
    QVERIFY(s.Has("mspacman.ini"));
    QVERIFY(!s.Has("gallag.ini"));  // a clone
    QVERIFY(!s.Has("pacman.ini"));  // another native mode
    QVERIFY(!s.Has("outrun.ini"));
}

void IniTest::failedFilesAreReportedNeverAsSuccess() {
    Session s;
    fs::create_directory(fs::path(s.ini) / "mspacman.ini"); // a folder where the file should go
    auto met = Answer<kelvaro::frmGenerateINIs>(Scope(3, false, false, false));
    s.f.Dialogs.asks = {true};
    s.w->mnuGenerateINIs->trigger();
    QVERIFY(*met);
    QCOMPARE(s.f.Dialogs.shown.size(), size_t(2));
    QCOMPARE(s.f.Dialogs.shown[1].text,
             "1 INI file(s) could not be written (in the folder " + QString::fromStdString(s.ini) +
                 "): MSPACMAN.  4 file(s) were written.");
    QCOMPARE(s.f.Dialogs.shown[1].icon, Icon::Warning);
    QVERIFY(!s.f.Dialogs.Texts().contains("INI Files Successfully Created!"));
    QVERIFY(s.Has("galaga.ini") && s.Has("outrun.ini"));
    QVERIFY(s.w->isEnabled());
    QVERIFY(!s.w->Progress().isVisible());
}

void IniTest::readingINIFilesAsksAndShowsWhatWasRead() {
    MainWindowFixture f;
    f.WriteGameList(Games());
    f.WriteModeList(Modes());
    f.Dir.Write("ini/galaga.ini", "ror 1\r\nresolution 288x224@60\r\n");
    kelvaro::Settings settings;
    settings.ModeListFile = f.Dir.File("avga9200.txt");
    settings.MameINIPath = f.Dir.File("ini");
    f.WriteSettings(settings);
    frmMain& w = f.Start();
    MainWindowFixture::ClickRow(w.lvwMain, 1); // Galaga's mode
    // The start-up's build read the file already.
    QCOMPARE(MainWindowFixture::Cell(w.lvwGames, 0, 3), "288 x 224 @ 60Hz");
    QCOMPARE(MainWindowFixture::Cell(w.lvwGames, 0, 4), "ror 1|resolution 288x224");

    f.Dir.Write("ini/galaga.ini", "resolution 320x240\nthrottle 1\n");
    f.Dialogs.asks = {false};
    w.mnuReadINIs->trigger();
    QCOMPARE(f.Dialogs.Texts(),
             QStringList({"Reading existing INI files will lose any settings made.  Are you sure you want to "
                          "continue?"}));
    QCOMPARE(f.Dialogs.shown[0].icon, Icon::Warning);
    QCOMPARE(f.Model.Games[1].GameINIText, "ror 1|resolution 288x224");

    f.Dialogs.asks = {true};
    w.mnuReadINIs->trigger();
    QCOMPARE(MainWindowFixture::Cell(w.lvwGames, 0, 3), "320 x 240 @ 60Hz");
    QCOMPARE(MainWindowFixture::Cell(w.lvwGames, 0, 4), "resolution 320x240|throttle 1");
    QCOMPARE(MainWindowFixture::Cell(w.lvwGames, 1, 4), "resolution auto"); // no file: untouched
    QVERIFY(w.isEnabled());
}

void IniTest::findGame() {
    Session s;
    MainWindowFixture::ClickRow(s.w->lvwMain, 2);
    // An exact rom name wins over descriptions that merely contain the text.
    s.f.Dialogs.inputs = {QString("  pacman ")};
    s.w->mnuFind->trigger();
    QCOMPARE(s.f.Dialogs.shown[0].kind, "input");
    QCOMPARE(s.f.Dialogs.shown[0].text, "Enter game Description or Romname to find:");
    QCOMPARE(s.f.Dialogs.shown[0].title, "Find Game");
    QCOMPARE(s.f.Dialogs.shown[0].preset, "");
    QCOMPARE(MainWindowFixture::Cell(s.w->lvwMain, MainWindowFixture::SelectedRow(s.w->lvwMain), 1),
             "224 x 256 @ 60.61Hz V");
    QCOMPARE(s.w->SelectedGame(), 4);
    QCOMPARE(s.w->cmdTestGame->text(), "&Test 'Pac-Man (Midway)'");

    // Within the mode, the first row that matches, not the first row.
    s.f.Dialogs.inputs = {QString("gallag")};
    s.w->mnuFind->trigger();
    QCOMPARE(s.w->SelectedGame(), 3);
    QCOMPARE(MainWindowFixture::SelectedRow(s.w->lvwGames), 2);
    QCOMPARE(s.w->cmdTestGame->text(), "&Test 'Gallag'");
    QCOMPARE(QApplication::focusWidget(), s.w->lvwGames);

    // A cancelled box does nothing.
    s.f.Dialogs.inputs = {std::nullopt};
    s.w->mnuFind->trigger();
    QCOMPARE(s.w->SelectedGame(), 3);
    QCOMPARE(s.f.Dialogs.shown.size(), size_t(3));
}

void IniTest::findGameNotFound() {
    Session s;
    MainWindowFixture::ClickRow(s.w->lvwMain, 2);
    s.f.Dialogs.inputs = {QString("  xyz  ")};
    s.w->mnuFind->trigger();
    QCOMPARE(s.f.Dialogs.shown.size(), size_t(2));
    QCOMPARE(s.f.Dialogs.shown[1].text, "Game 'XYZ' not found.");
    QCOMPARE(s.f.Dialogs.shown[1].icon, Icon::Warning);
    QCOMPARE(MainWindowFixture::SelectedRow(s.w->lvwMain), 2);
    QCOMPARE(s.w->SelectedGame(), 5);
}

void IniTest::doubleClicksOpenTheSettingsDialog() {
    Session s;
    MainWindowFixture::ClickRow(s.w->lvwMain, 1);
    MainWindowFixture::ClickRow(s.w->lvwGames, 1); // Ms. Pac-Man
    const QRect row = s.w->lvwGames->visualRect(s.w->lvwGames->model()->index(1, 0));
    bool oneGame = false, sameMode = false, optionsOff = false;
    auto met = Answer<kelvaro::frmSettings>([&](kelvaro::frmSettings& d) {
        oneGame = d.optThisGameOnly->isChecked();
        d.cmbVideoMode->setCurrentIndex(1); // 288 x 224 @ 60Hz
        d.cmdOK->click();
    });
    QTest::mouseDClick(s.w->lvwGames->viewport(), Qt::LeftButton, {}, row.center());
    QVERIFY(*met);
    QVERIFY(oneGame);
    QCOMPARE(s.f.Model.SettingsScope, 1);
    QCOMPARE(MainWindowFixture::Cell(s.w->lvwGames, 1, 3), "288 x 224 @ 60Hz");
    QCOMPARE(MainWindowFixture::Cell(s.w->lvwGames, 1, 4), "resolution 288x224");
    QCOMPARE(MainWindowFixture::Cell(s.w->lvwGames, 0, 3), "(Let MAME Decide)");

    // From the native mode list: every game shown gets the choice.
    met = Answer<kelvaro::frmSettings>([&](kelvaro::frmSettings& d) {
        sameMode = d.optVideoMode->isChecked();
        d.cmbVideoMode->setCurrentIndex(2); // 320 x 224 @ 60Hz
        d.cmdOK->click();
    });
    s.w->lvwMain_DblClick();
    QVERIFY(*met);
    QVERIFY(sameMode);
    QCOMPARE(s.f.Model.SettingsScope, 0);
    QCOMPARE(MainWindowFixture::Column(s.w->lvwGames, 3),
             QStringList({"320 x 224 @ 60Hz", "320 x 224 @ 60Hz", "320 x 224 @ 60Hz"}));

    met = Answer<kelvaro::frmSettings>([&](kelvaro::frmSettings& d) {
        optionsOff = !d.optAllGames->isEnabled();
        d.cmdCancel->click();
    });
    s.w->mnuActionNotFound->trigger();
    QVERIFY(*met);
    QVERIFY(optionsOff);
    QCOMPARE(s.f.Model.SettingsScope, 2);
}

void IniTest::doubleClickWithoutASelectedGameDoesNothing() {
    Session s;
    s.w->lvwGames->clearSelection();
    QCOMPARE(s.w->SelectedGame(), 0);
    auto met = Answer<kelvaro::frmSettings>([](kelvaro::frmSettings& d) { d.cmdCancel->click(); });
    s.w->lvwGames_DblClick();
    s.w->lvwMain_DblClick();
    QTest::qWait(100);
    QVERIFY(!*met);
}

void IniTest::choosingTheExecutable() {
    MainWindowFixture f;
    const std::string emu = f.MakeFolder("emu");
    const std::string exe = f.Dir.Write("emu/mame", "#!/bin/sh\n");
    fs::permissions(exe, fs::perms::owner_exec, fs::perm_options::add);
    const std::string plain = f.Dir.Write("emu/notes.txt", "not a program\n");
    fs::permissions(plain, fs::perms::all, fs::perm_options::remove);
    fs::permissions(plain, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add);
    frmMain& w = f.Start();

    f.Dialogs.files = {QString::fromStdString(exe)};
    w.mnuMAMEExe->trigger();
    QCOMPARE(f.Dialogs.shown[0].text, "Select M.A.M.E. Executable");
    QCOMPARE(f.Dialogs.shown[0].title, "Executable Files (*)");
    QCOMPARE(f.Model.S.MameExePath, exe);
    QCOMPARE(f.Model.MameFolder, emu);
    MainWindowFixture::Open(w.mnuView);
    QVERIFY(w.mnuGenerate->isEnabled());
    QVERIFY(w.mnuRefreshNative->isEnabled());

    // Cancelled, a file nobody may run, or a file that is not there: nothing changes.
    for (const std::optional<QString>& answer :
         {std::optional<QString>(), std::optional<QString>(QString::fromStdString(plain)),
          std::optional<QString>(QString::fromStdString(f.Dir.File("emu/gone")))}) {
        f.Dialogs.files = {answer};
        w.mnuMAMEExe->trigger();
        QCOMPARE(f.Model.S.MameExePath, exe);
        QCOMPARE(f.Model.MameFolder, emu);
    }
    // The dialog opens on the executable chosen before.
    QCOMPARE(f.Dialogs.shown.back().preset, QString::fromStdString(exe));
}

void IniTest::choosingTheFolders() {
    MainWindowFixture f;
    const std::string ini = f.MakeFolder("ini"), roms = f.MakeFolder("roms");
    frmMain& w = f.Start();

    f.Dialogs.folders = {QString::fromStdString(ini), QString::fromStdString(roms)};
    w.mnuMAMEINIPath->trigger();
    w.mnuMAMEROMPath->trigger();
    QCOMPARE(f.Dialogs.shown[0].text, "Select M.A.M.E. INI Path");
    QCOMPARE(f.Dialogs.shown[1].text, "Select M.A.M.E. ROM Path");
    QCOMPARE(f.Model.S.MameINIPath, ini);
    QCOMPARE(f.Model.S.MameROMPath, roms);

    // A cancelled chooser, or a folder that is not there, clears the setting.
    f.Dialogs.folders = {QString(), QString::fromStdString(f.Dir.File("gone"))};
    w.mnuMAMEINIPath->trigger();
    w.mnuMAMEROMPath->trigger();
    QCOMPARE(f.Model.S.MameINIPath, "");
    QCOMPARE(f.Model.S.MameROMPath, "");
    QCOMPARE(f.Dialogs.unexpected, 0);
}

void IniTest::testRun() {
    std::string marker;
    Session s([&](kelvaro::Settings& settings) { settings.MameINIPath.clear(); });
    marker = s.f.Dir.File("ran.txt");
    const std::string exe = s.f.Dir.Write(
        "mame", "#!/bin/sh\necho \"$@\" > '" + marker + "'\ncat \"" + s.ini + "/$1.ini\" >> '" + marker + "'\n");
    fs::permissions(exe, fs::perms::owner_exec, fs::perm_options::add);

    MainWindowFixture::ClickRow(s.w->lvwMain, 1); // Galaga's mode, Galaga selected
    // No executable: nothing at all.
    s.w->cmdTestGame->click();
    QCOMPARE(s.f.Dialogs.shown.size(), size_t(0));

    s.f.Model.S.MameExePath = exe;
    s.f.Model.MameFolder = s.f.Dir.Path();
    s.f.Dialogs.asks = {false};
    s.w->cmdTestGame->click();
    QCOMPARE(s.f.Dialogs.Texts(),
             QStringList({"This will run M.A.M.E. with the current settings for this game.  Make sure the video "
                          "card & monitor connected to this PC can handle the resolution specified!!  Are you sure "
                          "you want to continue?"}));
    QVERIFY(!fs::exists(marker));

    // No INI folder: the test cannot be prepared and the emulator is not started.
    s.f.Dialogs.Clear();
    s.f.Dialogs.asks = {true};
    s.w->cmdTestGame->click();
    QCOMPARE(s.f.Dialogs.shown.size(), size_t(2));
    QCOMPARE(s.f.Dialogs.shown[1].text,
             "The test could not be prepared: no INI folder has been chosen (File > M.A.M.E. INI Path).");
    QCOMPARE(s.f.Dialogs.shown[1].icon, Icon::Warning);
    QVERIFY(!fs::exists(marker));

    // With the folder: the emulator runs on the selected game with its INI file, which goes again.
    s.f.Model.S.MameINIPath = s.ini;
    s.f.Dialogs.asks = {true};
    s.w->cmdTestGame->click();
    QCOMPARE(TempDir::Read(marker), "galaga\nresolution auto\r\n");
    QVERIFY(fs::is_empty(s.ini));
    QVERIFY(s.w->isEnabled());
}

QTEST_MAIN(IniTest)
#include "tst_frmMain_ini.moc"
