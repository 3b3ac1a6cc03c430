// The menus: which items each menu enables when it opens, and the options of Video Mode
// Selection with the "&Other" input boxes.
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "MainWindowFixture.h"
#include "core/SettingsFile.h"
#include "modes/SelectionOptions.h"
#include "ui/frmAbout.h"

using kelvaro::frmMain;

namespace {

std::vector<ListGame> TwoGames() {
    return {
        {"galaga", "Galaga (Namco rev. B)", "vertical", 224, 288, "60.606061"},
        {"outrun", "Out Run (sitdown/upright, Rev B)", "horizontal", 320, 224, "60.054389"},
    };
}

} // namespace

class MenusTest : public QObject {
    Q_OBJECT
private slots:
    void fileMenuEnablesGenerationWithBothListsAndAnINIFolder();
    void viewMenuFollowsTheFilesAndLists();
    void selectionCommandsNeedBothLists();
    void helpMenuEnablesTheReadmeWhenItExists();
    void orientationEnablesTheRotationSubmenu();
    void presetTolerancesSetTheirValues();
    void otherResolutionAnswers_data();
    void otherResolutionAnswers();
    void otherRefreshAnswers_data();
    void otherRefreshAnswers();
    void checkItemsFlipTheirSettings();
    void aboutShowsAFreshBoxEachTime();
};

void MenusTest::fileMenuEnablesGenerationWithBothListsAndAnINIFolder() {
    MainWindowFixture f;
    const std::string ini = f.MakeFolder("ini");
    kelvaro::Settings s;
    s.MameINIPath = ini;
    s.ModeListFile = f.Dir.File("avga9200.txt"); // written later in the test
    f.WriteSettings(s);
    {
        frmMain& w = f.Start();
        MainWindowFixture::Open(w.mnuFile);
        QVERIFY(!w.mnuGenerateINIs->isEnabled()); // no lists at all
        for (QAction* always : {w.mnuMAMEExe, w.mnuMAMEINIPath, w.mnuMAMEROMPath, w.mnuLegacyMAME, w.mnuAVGAFName,
                                w.mnuExit})
            QVERIFY(always->isEnabled());
    }
    f.WriteGameList(TwoGames());
    {
        frmMain& w = f.Start(); // games, no modes (the start-up says so)
        MainWindowFixture::Open(w.mnuFile);
        QVERIFY(!w.mnuGenerateINIs->isEnabled());
    }
    f.WriteModeList({ModeLine(320, 240, "60")});
    frmMain& w = f.Start();
    MainWindowFixture::Open(w.mnuFile);
    QVERIFY(w.mnuGenerateINIs->isEnabled());
    std::filesystem::remove(ini);
    MainWindowFixture::Open(w.mnuFile);
    QVERIFY(!w.mnuGenerateINIs->isEnabled());
}

void MenusTest::viewMenuFollowsTheFilesAndLists() {
    MainWindowFixture f;
    const std::string exe = f.Dir.Write("mame", "#!/bin/sh\n");
    const std::string ini = f.MakeFolder("ini");
    f.WriteModeList({ModeLine(320, 240, "60")});
    frmMain& w = f.Start();

    MainWindowFixture::Open(w.mnuView);
    QVERIFY(!w.mnuGenerate->isEnabled());
    QVERIFY(!w.mnuRefreshNative->isEnabled());
    QVERIFY(w.mnuRefreshAVGA->isEnabled()); // the default mode list is there
    QVERIFY(!w.mnuReadINIs->isEnabled());

    f.Model.S.MameExePath = exe;
    f.Model.S.MameINIPath = ini;
    MainWindowFixture::Open(w.mnuView);
    QVERIFY(w.mnuGenerate->isEnabled());
    QVERIFY(w.mnuRefreshNative->isEnabled());
    QVERIFY(!w.mnuReadINIs->isEnabled()); // no native modes yet

    f.WriteGameList(TwoGames());
    f.Dialogs.asks = {true};
    w.mnuRefreshNative->trigger();
    QCOMPARE(f.Dialogs.Texts(),
             QStringList({"Refreshing the Native Mode List will loose any settings made.  Are you sure you want to "
                          "continue?"}));
    QCOMPARE(w.lvwMain->model()->rowCount(), 2);
    MainWindowFixture::Open(w.mnuView);
    QVERIFY(w.mnuReadINIs->isEnabled());

    std::filesystem::remove(f.Dir.File("avga9200.txt"));
    MainWindowFixture::Open(w.mnuView);
    QVERIFY(!w.mnuRefreshAVGA->isEnabled());
    QVERIFY(w.mnuReadINIs->isEnabled()); // the table read before stays
    std::filesystem::remove(exe);
    MainWindowFixture::Open(w.mnuView);
    QVERIFY(!w.mnuGenerate->isEnabled());
    QVERIFY(!w.mnuRefreshNative->isEnabled());
}

void MenusTest::selectionCommandsNeedBothLists() {
    MainWindowFixture f;
    f.WriteGameList(TwoGames());
    frmMain& w = f.Start();
    MainWindowFixture::Open(w.mnuResSelection);
    QVERIFY(!w.mnuActionNotFound->isEnabled());
    QVERIFY(!w.mnuAutoSelect->isEnabled());
    for (QAction* option : {w.mnuIgnoreInterlaced, w.mnuMatchResWithin[5], w.mnuMatchRefreshWithin[0]})
        QVERIFY(option->isEnabled());

    f.WriteModeList({ModeLine(320, 240, "60")});
    f.Model.S.ModeListFile = f.Dir.File("avga9200.txt");
    w.mnuRefreshAVGA->trigger();
    MainWindowFixture::Open(w.mnuResSelection);
    QVERIFY(w.mnuActionNotFound->isEnabled());
    QVERIFY(w.mnuAutoSelect->isEnabled());
}

void MenusTest::helpMenuEnablesTheReadmeWhenItExists() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    MainWindowFixture::Open(w.mnuHelp);
    QVERIFY(!w.mnuReadme->isEnabled());
    QVERIFY(w.mnuAbout->isEnabled());
    // Put back, it is found the next time the menu opens; it opens in the desktop's viewer.
    f.Dir.Write("readme.txt", "Kelvaro\r\n");
    MainWindowFixture::Open(w.mnuHelp);
    QCOMPARE(w.mnuReadme->isEnabled(), !QStandardPaths::findExecutable("xdg-open").isEmpty());
}

void MenusTest::orientationEnablesTheRotationSubmenu() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    QAction* rotation = w.mnuPrefRotation->menuAction();
    QVERIFY(rotation->isEnabled());
    w.mnuOrientation[0]->trigger();
    QVERIFY(!rotation->isEnabled());
    w.mnuOrientation[1]->trigger();
    QVERIFY(rotation->isEnabled());
    QCOMPARE(f.Model.S.MonitorOrientation, 1);
    QVERIFY(w.mnuOrientation[1]->isChecked() && !w.mnuOrientation[0]->isChecked());
    w.mnuOrientation[2]->trigger();
    QVERIFY(rotation->isEnabled());
    QCOMPARE(f.Model.S.MonitorOrientation, 2);
    w.mnuRotation[1]->trigger();
    QCOMPARE(f.Model.S.PreferredRotation, 1);
    QVERIFY(w.mnuRotation[1]->isChecked() && !w.mnuRotation[0]->isChecked());
    w.mnuRotation[0]->trigger();
    QCOMPARE(f.Model.S.PreferredRotation, 0);
}

void MenusTest::presetTolerancesSetTheirValues() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    const int pixels[] = {0, 8, 16, 24, 48};
    const float hz[] = {0.0f, 1.0f, 1.25f, 1.5f, 2.0f};
    for (int i = 4; i >= 0; --i) {
        w.mnuMatchResWithin[i]->trigger();
        QCOMPARE(f.Model.S.MatchResWithin, pixels[i]);
        w.mnuMatchRefreshWithin[i]->trigger();
        QCOMPARE(f.Model.S.MatchRefreshWithin, hz[i]);
        for (int j = 0; j < 6; ++j) QCOMPARE(w.mnuMatchResWithin[j]->isChecked(), i == j);
    }
    QCOMPARE(f.Dialogs.shown.size(), size_t(0));
}

void MenusTest::otherResolutionAnswers_data() {
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<int>("expected");
    QTest::newRow("7.5 rounds to the even 8") << std::optional<QString>("7.5") << 8;
    QTest::newRow("6.5 rounds to the even 6") << std::optional<QString>("6.5") << 6;
    QTest::newRow("100 is the top") << std::optional<QString>("100") << 100;
    QTest::newRow("101 is out of range") << std::optional<QString>("101") << 16;
    QTest::newRow("-1 is out of range") << std::optional<QString>("-1") << 16;
    QTest::newRow("a leading number counts") << std::optional<QString>("12 px") << 12;
    QTest::newRow("no number counts as 0") << std::optional<QString>("abc") << 0;
    QTest::newRow("empty changes nothing") << std::optional<QString>("") << 16;
    QTest::newRow("cancel changes nothing") << std::optional<QString>() << 16;
}

void MenusTest::otherResolutionAnswers() {
    QFETCH(std::optional<QString>, answer);
    QFETCH(int, expected);
    MainWindowFixture f;
    frmMain& w = f.Start();
    f.Dialogs.inputs = {answer};
    w.mnuMatchResWithin[5]->trigger();
    QCOMPARE(f.Dialogs.shown.size(), size_t(1));
    QCOMPARE(f.Dialogs.shown[0].kind, "input");
    QCOMPARE(f.Dialogs.shown[0].text, "Enter Value (0-100): ");
    QCOMPARE(f.Dialogs.shown[0].title, "Kelvaro");
    QCOMPARE(f.Dialogs.shown[0].preset, "16");
    QCOMPARE(f.Model.S.MatchResWithin, expected);
    QVERIFY(w.mnuMatchResWithin[5]->isChecked());
    QVERIFY(!w.mnuMatchResWithin[2]->isChecked());
}

void MenusTest::otherRefreshAnswers_data() {
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<float>("expected");
    QTest::newRow("0.75 is kept with its fraction") << std::optional<QString>("0.75") << 0.75f;
    QTest::newRow("15 is the top") << std::optional<QString>("15") << 15.0f;
    QTest::newRow("15.5 is out of range") << std::optional<QString>("15.5") << 1.25f;
    QTest::newRow("0 is the bottom") << std::optional<QString>("0") << 0.0f;
    QTest::newRow("cancel changes nothing") << std::optional<QString>() << 1.25f;
}

void MenusTest::otherRefreshAnswers() {
    QFETCH(std::optional<QString>, answer);
    QFETCH(float, expected);
    MainWindowFixture f;
    frmMain& w = f.Start();
    f.Dialogs.inputs = {answer};
    w.mnuMatchRefreshWithin[5]->trigger();
    QCOMPARE(f.Dialogs.shown.size(), size_t(1));
    QCOMPARE(f.Dialogs.shown[0].text, "Enter Value in Hz (0-15): ");
    QCOMPARE(f.Dialogs.shown[0].title, "Kelvaro");
    QCOMPARE(f.Dialogs.shown[0].preset, "1.25");
    QCOMPARE(f.Model.S.MatchRefreshWithin, expected);
    QVERIFY(w.mnuMatchRefreshWithin[5]->isChecked());

    // The value survives the settings file and checks the matching item at the next start.
    w.mnuExit->trigger();
    MainWindowFixture again;
    again.Dir.Write("kelvaro.cfg", TempDir::Read(f.SettingsPath()));
    frmMain& w2 = again.Start();
    QCOMPARE(again.Model.S.MatchRefreshWithin, expected);
    QVERIFY(w2.mnuMatchRefreshWithin[kelvaro::MatchRefreshItem(expected)]->isChecked());
}

void MenusTest::checkItemsFlipTheirSettings() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    w.mnuIgnoreInterlaced->trigger();
    QVERIFY(!f.Model.S.IgnoreInterlaced);
    QVERIFY(!w.mnuIgnoreInterlaced->isChecked());
    w.mnuIgnoreInterlaced->trigger();
    QVERIFY(f.Model.S.IgnoreInterlaced);
    QVERIFY(w.mnuIgnoreInterlaced->isChecked());

    w.mnuLegacyMAME->trigger();
    QVERIFY(f.Model.S.LegacyMame);
    QVERIFY(w.mnuLegacyMAME->isChecked());
    w.mnuExit->trigger();
    MainWindowFixture again;
    again.Dir.Write("kelvaro.cfg", TempDir::Read(f.SettingsPath()));
    frmMain& w2 = again.Start();
    QVERIFY(again.Model.S.LegacyMame);
    QVERIFY(w2.mnuLegacyMAME->isChecked());
}

void MenusTest::aboutShowsAFreshBoxEachTime() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    for (int showing = 0; showing < 2; ++showing) {
        QPointer<kelvaro::frmAbout> seen;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            seen = qobject_cast<kelvaro::frmAbout*>(QApplication::activeModalWidget());
            modal = seen && seen->isModal() && seen->parentWidget() == &w;
            if (seen) seen->accept();
        });
        w.mnuAbout->trigger();
        QVERIFY(modal);
        QVERIFY(seen.isNull()); // closed and discarded: the next showing makes a new one
        QVERIFY(w.findChildren<kelvaro::frmAbout*>().isEmpty());
    }
}

QTEST_MAIN(MenusTest)
#include "tst_frmMain_menus.moc"
