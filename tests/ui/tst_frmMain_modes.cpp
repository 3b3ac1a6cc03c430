// The available mode list on the main window (Delete, the 60 Hz filter, choosing and refreshing
// the file), the automatic selection run from the menu, and the progress window it shows.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "MainWindowFixture.h"
#include "ui/frmProgress.h"

using kelvaro::frmMain;
using Icon = kelvaro::Dialogs::Icon;

namespace {

const QString kAutoSelectQuestion =
    "This will override any existing INI file settings (not the actual INI files).  Are you sure you want to "
    "continue?";

std::vector<std::string> FiveModes() {
    return {ModeLine(256, 224, "60"), ModeLine(288, 224, "60"), ModeLine(320, 240, "60"), ModeLine(384, 224, "60"),
            ModeLine(640, 480, "60")};
}

std::vector<ListGame> MixedGames() {
    return {
        {"galaga", "Galaga (Namco rev. B)", "vertical", 224, 288, "60.606061"},
        {"dkong", "Donkey Kong (US set 1)", "vertical", 224, 256, "60.606061"},
        {"mslug", "Metal Slug - Super Vehicle-001", "horizontal", 320, 224, "59.185606"},
        {"tempest", "Tempest (rev 3)", "vertical", 0, 0, "60.000000"},
        {"asteroid", "Asteroids (rev 4)", "horizontal", 0, 0, "60.000000"},
    };
}

int Count(const std::string& text, const std::string& line) {
    int n = 0;
    for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++n;
    return n;
}

} // namespace

class ModesTest : public QObject {
    Q_OBJECT
private slots:
    void deleteRemovesTheSelectedMode();
    void deletingTheLastModeDisablesTheFilter();
    void sixtyHzFilterAsksThenKeepsOnly60();
    void sixtyHzFilterCanEmptyTheList();
    void choosingTheModeListFile();
    void refreshReadsTheFileAgain();
    void autoSelectTwiceOnAVerticalMonitorLeavesOneRotationLine();
    void autoSelectAnsweredNoChangesNothing();
    void autoSelectCorrectsAVanishedNotFoundMode();
    void progressWindowFollowsTheProtocol();
};

void ModesTest::deleteRemovesTheSelectedMode() {
    MainWindowFixture f;
    f.WriteModeList(FiveModes());
    frmMain& w = f.Start();
    MainWindowFixture::ClickRow(w.lvwAVGA, 2);
    QTest::keyClick(w.lvwAVGA, Qt::Key_Delete);
    QCOMPARE(MainWindowFixture::Column(w.lvwAVGA, 0), QStringList({"1", "2", "3", "4"}));
    QCOMPARE(MainWindowFixture::Column(w.lvwAVGA, 1),
             QStringList({"256 x 224 @ 60Hz", "288 x 224 @ 60Hz", "384 x 224 @ 60Hz", "640 x 480 @ 60Hz"}));
    QCOMPARE(MainWindowFixture::SelectedRow(w.lvwAVGA), 0);
    QCOMPARE(f.Model.AvailModes.Count(), 4);
    // The distinct widths and heights describe the file, not the table after deletions.
    QCOMPARE(f.Model.AvailWidthList.Count(), 5);

    QTest::keyClick(w.lvwAVGA, Qt::Key_Backspace);
    QCOMPARE(MainWindowFixture::Column(w.lvwAVGA, 1),
             QStringList({"288 x 224 @ 60Hz", "384 x 224 @ 60Hz", "640 x 480 @ 60Hz"}));
    QTest::keyClick(w.lvwAVGA, Qt::Key_Down);
    QCOMPARE(w.lvwAVGA->model()->rowCount(), 3);
    QVERIFY(w.cmd60Hz->isEnabled());
    QCOMPARE(f.Dialogs.shown.size(), size_t(0));
}

void ModesTest::deletingTheLastModeDisablesTheFilter() {
    MainWindowFixture f;
    f.WriteModeList({ModeLine(640, 480, "60")});
    frmMain& w = f.Start();
    QVERIFY(w.cmd60Hz->isEnabled());
    QTest::keyClick(w.lvwAVGA, Qt::Key_Delete);
    QCOMPARE(w.lvwAVGA->model()->rowCount(), 0);
    QVERIFY(f.Model.AvailModes.Empty());
    QVERIFY(!w.cmd60Hz->isEnabled());
    // Delete on an empty list does nothing.
    QTest::keyClick(w.lvwAVGA, Qt::Key_Delete);
    QVERIFY(f.Model.AvailModes.Empty());
    QVERIFY(!w.cmd60Hz->isEnabled());
}

void ModesTest::sixtyHzFilterAsksThenKeepsOnly60() {
    MainWindowFixture f;
    f.WriteModeList({ModeLine(256, 224, "57"), ModeLine(320, 240, "60"), ModeLine(512, 384, "59"),
                     ModeLine(640, 480, "60"), ModeLine(800, 600, "72"), "1024 768 100Hz"});
    frmMain& w = f.Start();
    f.Dialogs.asks = {false};
    w.cmd60Hz->click();
    QCOMPARE(f.Dialogs.shown.size(), size_t(1));
    QCOMPARE(f.Dialogs.shown[0].text,
             "This will remove all non-60Hz modes from the available mode list.  A better solution may be to use "
             "the 'Video Mode Selection' > 'Match Refresh Rate Within' option to match up refresh rates as well as "
             "resolutions.  Are you sure you want to continue?");
    QCOMPARE(f.Dialogs.shown[0].icon, Icon::Question);
    QCOMPARE(w.lvwAVGA->model()->rowCount(), 6);

    f.Dialogs.asks = {true};
    w.cmd60Hz->click();
    QCOMPARE(MainWindowFixture::Column(w.lvwAVGA, 1), QStringList({"320 x 240 @ 60Hz", "640 x 480 @ 60Hz"}));
    QCOMPARE(MainWindowFixture::Column(w.lvwAVGA, 0), QStringList({"1", "2"}));
    QVERIFY(w.cmd60Hz->isEnabled());
}

void ModesTest::sixtyHzFilterCanEmptyTheList() {
    MainWindowFixture f;
    f.WriteModeList({ModeLine(640, 480, "72"), ModeLine(800, 600, "72")});
    frmMain& w = f.Start();
    f.Dialogs.asks = {true};
    w.cmd60Hz->click();
    QCOMPARE(w.lvwAVGA->model()->rowCount(), 0);
    QVERIFY(!w.cmd60Hz->isEnabled());
}

void ModesTest::choosingTheModeListFile() {
    MainWindowFixture f;
    f.WriteModeList(FiveModes());
    const std::string defaultList = f.Dir.File("avga9200.txt");
    frmMain& w = f.Start();
    QCOMPARE(f.Model.S.ModeListFile, defaultList);

    // Cancelled: the setting stays, and the list is read again from it.
    QTest::keyClick(w.lvwAVGA, Qt::Key_Delete);
    f.Dialogs.files = {std::nullopt};
    w.mnuAVGAFName->trigger();
    QCOMPARE(f.Dialogs.shown.back().kind, "open");
    QCOMPARE(f.Dialogs.shown.back().text, "Select Mode List (.txt) File Location");
    QCOMPARE(f.Dialogs.shown.back().title, "Text Files (*.txt)");
    QCOMPARE(f.Dialogs.shown.back().preset, "avga9200.txt");
    QCOMPARE(f.Model.S.ModeListFile, defaultList);
    QCOMPARE(w.lvwAVGA->model()->rowCount(), 5);

    // Another file: it becomes the setting and is shown.
    const std::string other =
        f.Dir.Write("card.txt", ModeList({ModeLine(320, 240, "60"), "1024 768 60Hz", ModeLine(640, 480, "57")}));
    f.Dialogs.files = {QString::fromStdString(other)};
    w.mnuAVGAFName->trigger();
    QCOMPARE(f.Model.S.ModeListFile, other);
    QCOMPARE(MainWindowFixture::Column(w.lvwAVGA, 1),
             QStringList({"320 x 240 @ 60Hz", "1024 x 768 @ 60Hz", "640 x 480 @ 57Hz"}));
    QCOMPARE(f.Model.AvailWidthList.Count(), 3);
    QCOMPARE(f.Model.AvailWidthList[1], "320");
    QCOMPARE(f.Model.AvailWidthList[3], "1024");

    // A name that exists nowhere keeps the setting, which is read again.
    f.Dialogs.files = {QString::fromStdString(f.Dir.File("missing.txt"))};
    w.mnuAVGAFName->trigger();
    QCOMPARE(f.Model.S.ModeListFile, other);
    QCOMPARE(w.lvwAVGA->model()->rowCount(), 3);

    // When the current file is gone too, a cancel reads nothing and the list stays as shown.
    std::filesystem::remove(other);
    f.Dialogs.files = {std::nullopt};
    w.mnuAVGAFName->trigger();
    QCOMPARE(w.lvwAVGA->model()->rowCount(), 3);
    QCOMPARE(f.Dialogs.unexpected, 0);
}

void ModesTest::refreshReadsTheFileAgain() {
    MainWindowFixture f;
    f.WriteModeList(FiveModes());
    frmMain& w = f.Start();
    QTest::keyClick(w.lvwAVGA, Qt::Key_Delete);
    QTest::keyClick(w.lvwAVGA, Qt::Key_Delete);
    w.mnuRefreshAVGA->trigger();
    QCOMPARE(w.lvwAVGA->model()->rowCount(), 5);
    QCOMPARE(MainWindowFixture::SelectedRow(w.lvwAVGA), 0);

    // A read that finds nothing empties the list and the button follows it.
    f.WriteModeList({});
    w.mnuRefreshAVGA->trigger();
    QCOMPARE(w.lvwAVGA->model()->rowCount(), 0);
    QVERIFY(!w.cmd60Hz->isEnabled());
}

void ModesTest::autoSelectTwiceOnAVerticalMonitorLeavesOneRotationLine() {
    MainWindowFixture f;
    f.WriteGameList(MixedGames());
    f.WriteModeList(FiveModes());
    frmMain& w = f.Start();
    w.mnuOrientation[1]->trigger();

    for (int run = 0; run < 2; ++run) {
        f.Dialogs.asks = {true};
        w.mnuAutoSelect->trigger();
        QCOMPARE(f.Dialogs.shown.back().text, kAutoSelectQuestion);
        QCOMPARE(f.Dialogs.shown.back().icon, Icon::Warning);
    }
    QCOMPARE(f.Model.Games.Count(), 5);
    for (int g = 1; g <= f.Model.Games.Count(); ++g) {
        const std::string& text = f.Model.Games[g].GameINIText;
        QVERIFY2(Count(text, "ror 1") == 1, text.c_str());
        QVERIFY2(text.find("rol 1") == std::string::npos, text.c_str());
    }
    // Galaga turned on its side: its 224 columns become the mode's height.
    QCOMPARE(f.Model.Games[1].GameINIText, "resolution 288x224|ror 1");

    // The games list shows the choice of the games of the selected mode.
    const int galagaMode = 4; // two vector modes, then 224 x 256, then 224 x 288
    MainWindowFixture::ClickRow(w.lvwMain, galagaMode - 1);
    QCOMPARE(MainWindowFixture::Column(w.lvwGames, 2), QStringList({"GALAGA"}));
    QCOMPARE(MainWindowFixture::Cell(w.lvwGames, 0, 3), "288 x 224 @ 60Hz");
    QCOMPARE(MainWindowFixture::Cell(w.lvwGames, 0, 4), "resolution 288x224|ror 1");
    QVERIFY(w.isEnabled());
}

void ModesTest::autoSelectAnsweredNoChangesNothing() {
    MainWindowFixture f;
    f.WriteModeList(FiveModes());
    frmMain& w = f.Start();
    w.mnuAutoSelect->trigger(); // no games: not even the question
    QCOMPARE(f.Dialogs.shown.size(), size_t(0));

    f.WriteGameList(MixedGames());
    f.Model.S.MameExePath.clear();
    f.Dialogs.asks = {true};
    w.mnuRefreshNative->trigger(); // "mame.dat" is there, so nothing is run
    f.Dialogs.asks = {false};
    w.mnuAutoSelect->trigger();
    for (int g = 1; g <= f.Model.Games.Count(); ++g) {
        QCOMPARE(f.Model.Games[g].GameModeWidth, "???");
        QCOMPARE(f.Model.Games[g].GameINIText, "resolution auto");
    }
    QVERIFY(!w.findChild<kelvaro::frmProgress*>() || !w.findChild<kelvaro::frmProgress*>()->isVisible());
}

void ModesTest::autoSelectCorrectsAVanishedNotFoundMode() {
    MainWindowFixture f;
    f.WriteGameList({
        {"mslug", "Metal Slug - Super Vehicle-001", "horizontal", 320, 224, "59.185606"},
        {"bigone", "A Very Wide Game", "horizontal", 1024, 768, "60.000000"},
    });
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

    QCOMPARE(f.Model.S.NotFoundWidth, "???");
    QCOMPARE(f.Model.S.NotFoundHeight, "???");
    QCOMPARE(f.Model.S.NotFoundRefresh, "??");
    QCOMPARE(f.Model.S.NotFoundINIText, "resolution auto|throttle 1");
    QCOMPARE(f.Model.Games[1].GameINIText, "resolution 320x224");
    QCOMPARE(f.Model.Games[2].GameModeWidth, "???");
    QCOMPARE(f.Model.Games[2].GameINIText, "resolution auto|throttle 1");

    MainWindowFixture::ClickRow(w.lvwMain, 0); // 1024 x 768 sorts before 320 x 224 as text
    QCOMPARE(MainWindowFixture::Column(w.lvwGames, 2), QStringList({"BIGONE"}));
    QCOMPARE(MainWindowFixture::Cell(w.lvwGames, 0, 3), "(Let MAME Decide)");
    // The corrected values are what the settings file keeps.
    w.mnuExit->trigger();
    QVERIFY(TempDir::Read(f.SettingsPath()).find("???\r\n???\r\n??\r\nresolution auto|throttle 1\r\n") !=
            std::string::npos);
}

void ModesTest::progressWindowFollowsTheProtocol() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    QVERIFY(!w.findChild<kelvaro::frmProgress*>()); // made on first use only
    kelvaro::frmProgress& p = w.Progress();
    QCOMPARE(p.objectName(), "frmProgress");
    QCOMPARE(p.lblMessage->text(), "Generating M.A.M.E. INI files, please wait...");

    p.Begin("Reading Game Info from M.A.M.E....", -1);
    QVERIFY(p.isVisible());
    QVERIFY(p.prgMain->isHidden());
    QCOMPARE(p.lblMessage->text(), "Reading Game Info from M.A.M.E....");
    QVERIFY(!w.isEnabled());
    QCOMPARE(w.cursor().shape(), Qt::WaitCursor);
    QVERIFY(!w.close()); // not while an operation runs, and nothing is asked
    QCOMPARE(f.Dialogs.shown.size(), size_t(0));
    p.Pump();
    p.End();
    QVERIFY(!p.isVisible());
    QVERIFY(w.isEnabled());
    QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);

    p.Begin("Selecting Video Modes...", 3);
    QVERIFY(!p.prgMain->isHidden());
    QCOMPARE(p.prgMain->maximum(), 3);
    QCOMPARE(p.prgMain->value(), 0);
    for (int i = 1; i <= 3; ++i) p.Step(i);
    QCOMPARE(p.prgMain->value(), 3); // the last item always shows
    p.End();
    QVERIFY(!p.isVisible());
    QVERIFY(w.isEnabled());
}

QTEST_MAIN(ModesTest)
#include "tst_frmMain_modes.moc"
