// The emulator setup check in the window: the status bar's third panel, the report window and its
// one-line fix, and where the INI folder chooser opens. A stand-in emulator answers -showconfig
// from the user's mame.ini in a temporary folder.
#include "ui/frmSetupCheck.h"
#include "MainWindowFixture.h"
#include "Standin.h"

using kelvaro::frmSetupCheck;
using F = MainWindowFixture;

class SetupCheckTest : public QObject {
    Q_OBJECT
private slots:
    void reportFixAndStatusBar() {
        F f;
        const std::string home = f.MakeFolder("home"), etc = f.MakeFolder("etc");
        qputenv("HOME", QByteArray::fromStdString(home));
        // The user's mame.ini is in the home folder on Linux, beside mame.exe on Windows, and its
        // switchres is 1 once it is there (the fix below writes it).
#ifdef _WIN32
        const std::string userFolder = f.MakeFolder("emu"), inipath = ".;" + etc, lineEnd = "\r\n";
#else
        const std::string userFolder = kelvaro::JoinPath(home, ".mame"), inipath = "$HOME/.mame;" + etc, lineEnd = "\n";
#endif
        const std::string userIni = kelvaro::JoinPath(userFolder, "mame.ini"), withIni = "if " + userIni + " ";
        const std::string exe =
            Standin(f.Dir, "emu/mame",
                    "say inipath " + inipath + "\nsay readconfig 1\n" + withIni + "say switchres 1\n" + withIni +
                        "say window 0\n" + withIni + "exit 0\nsay switchres 0\nsay window 0\n");
        f.StartSample();
        auto* panel = f.Find<QLabel>("stbPanel3");
        QVERIFY(panel->text().isEmpty());

        // Choosing the executable checks: the INI folder is not one the emulator reads.
        f.Dialogs.answers = {QString::fromStdString(exe)};
        f.Item("mnuMAMEExe")->trigger();
        QCOMPARE(panel->text(), "M.A.M.E. will not read these INI files: see Help > Check M.A.M.E. Setup");
        QVERIFY(panel->toolTip().endsWith(
            QString::fromStdString("INI folder: " + f.Ini + "\nROM folder: no ROM folder chosen")));

        // The report offers the switchres line; Yes writes it in a new ~/.mame/mame.ini.
        f.Dialogs.asks = {true};
        QStringList before, after;
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
            Button(d, "cmdCopy")->click();
            QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(d.Shown().Text()));
            Button(d, "cmdClose")->click();
        });
        f.Item("mnuCheckSetup")->trigger();
        QVERIFY(report.met);
        QVERIFY(before.filter("problem: M.A.M.E. keeps the desktop's video mode: its switchres option is 0").size() ==
                1);
        QVERIFY(after.contains("ok: M.A.M.E. switches video modes (switchres 1)."));
        QCOMPARE(after.filter("problem:").size(), 1); // the INI folder is left to the user
        QCOMPARE(TempDir::Read(userIni), "switchres 1" + lineEnd);
        QCOMPARE(f.Dialogs.shown.back().kind, "ask");
        const QString create = QString::fromStdString("This will create " + userIni);
        QCOMPARE(f.Dialogs.shown.back().text.left(create.size()), create);

        // Without an INI folder the chooser opens where the emulator's first one would be.
        f.Model.Config.MameINIPath.clear();
        f.Item("mnuMAMEINIPath")->trigger();
        QCOMPARE(f.Dialogs.shown.back().preset, QString::fromStdString(userFolder));
    }
};

QTEST_MAIN(SetupCheckTest)
#include "frmSetupCheckTest.moc"
