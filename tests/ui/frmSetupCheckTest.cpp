// The emulator setup check in the window: the status bar's third panel, the report window and its
// one-line fix, and where the INI folder chooser opens. A stand-in emulator answers -showconfig
// from a temporary home folder's mame.ini.
#include "ui/frmSetupCheck.h"
#include "MainWindowFixture.h"
#include "Standin.h"

using kelvaro::frmSetupCheck;
using F = MainWindowFixture;

class SetupCheckTest : public QObject {
    Q_OBJECT
private slots:
    void reportFixAndStatusBar() {
#ifdef _WIN32
        QSKIP("The stand-in answers as the emulator does on Linux, from a home folder's mame.ini; on Windows "
              "the emulator reads the mame.ini beside mame.exe, whose fix OptionFixTest covers");
#endif
        F f;
        const std::string home = f.MakeFolder("home"), etc = f.MakeFolder("etc");
        qputenv("HOME", QByteArray::fromStdString(home));
        // Its settings take the lines of the user's mame.ini once it is there (the fixes below write it).
        const std::string exe = Standin(f.Dir, "emu/mame",
                                        "say inipath $HOME/.mame;" + etc +
                                            "\nsay readconfig 1\nsay switchres 0\nsay window 0\nwhen -showconfig if " +
                                            home + "/.mame/mame.ini print " + home + "/.mame/mame.ini\n");
        f.StartSample();
        auto* panel = f.Find<QLabel>("stbPanel3");
        QVERIFY(panel->text().isEmpty());

        // Choosing the executable checks: the INI folder is not one the emulator reads.
        f.Dialogs.answers = {QString::fromStdString(exe)};
        f.Item("mnuMAMEExe")->trigger();
        QCOMPARE(panel->text(), "M.A.M.E. will not read these INI files: see Help > Check M.A.M.E. Setup");
        QVERIFY(panel->toolTip().endsWith(
            QString::fromStdString("INI folder: " + f.Ini + "\nROM folder: no ROM folder chosen")));

        // The report offers the switchres line; Yes writes it in a new ~/.mame/mame.ini. Then it
        // offers to add the INI folder to the inipath line there.
        f.Dialogs.asks = {true, true};
        QStringList before, after, fixed;
        AnswerModal<frmSetupCheck> report([&](frmSetupCheck& d) {
            auto* rows = Child<QTableWidget>(d, "lvwFindings");
            auto texts = [rows] {
                QStringList t;
                for (int r = 0; r < rows->rowCount(); ++r)
                    t << rows->item(r, 0)->toolTip() + ": " + rows->item(r, 0)->text();
                return t;
            };
            before = texts();
            Button(d, "cmdFix_switchres")->click();
            after = texts();
            QVERIFY(d.findChildren<QPushButton*>("cmdFix_switchres").isEmpty());
            Button(d, "cmdFix_inipath")->click();
            fixed = texts();
            QVERIFY(d.findChildren<QPushButton*>("cmdFix_inipath").isEmpty());
            Button(d, "cmdCopy")->click();
            QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(d.Shown().Text()));
            Button(d, "cmdClose")->click();
        });
        f.Item("mnuCheckSetup")->trigger();
        QVERIFY(report.met);
        QVERIFY(before.filter("problem: M.A.M.E. keeps the desktop's video mode: its switchres option is 0").size() ==
                1);
        QVERIFY(after.contains("ok: M.A.M.E. switches video modes (switchres 1)."));
        QCOMPARE(after.filter("problem:").size(), 1);
        QCOMPARE(fixed.filter("problem:").size(), 0);
        QVERIFY(fixed.contains(QString::fromStdString("ok: M.A.M.E. reads INI files from the INI folder " + f.Ini +
                                                      " (its inipath: " + f.Ini + ";$HOME/.mame;" + etc + ").")));
        QCOMPARE(TempDir::Read(home + "/.mame/mame.ini"),
                 "switchres 1\ninipath " + f.Ini + ";$HOME/.mame;" + etc + "\n");
        QCOMPARE(TempDir::Read(home + "/.mame/mame.ini.bak"), "switchres 1\n");
        QCOMPARE(
            f.Dialogs.Texts().filter("This will create " + QString::fromStdString(home) + "/.mame/mame.ini").size(), 1);
        QVERIFY(f.Dialogs.shown.back().text.startsWith(
            QString::fromStdString("This will set the line \"inipath " + f.Ini + ";")));
        QVERIFY(panel->text().isEmpty());

        // Without an INI folder the chooser opens at the emulator's first one.
        f.Model.Config.MameINIPath.clear();
        f.Item("mnuMAMEINIPath")->trigger();
        QCOMPARE(f.Dialogs.shown.back().preset, QString::fromStdString(f.Ini));
    }
};

QTEST_MAIN(SetupCheckTest)
#include "frmSetupCheckTest.moc"
