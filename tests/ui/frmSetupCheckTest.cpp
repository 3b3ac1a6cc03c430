// The emulator setup check in the window: the status bar's third panel, the report window and its
// one-line fixes, where the INI folder chooser opens, the emulator proposed at the first start and
// the setup's state at every start. A stand-in emulator answers -showconfig from the user's
// mame.ini in a temporary folder.
#include "ui/frmSetupCheck.h"
#include "MainWindowFixture.h"
#include "Standin.h"
#include "core/SettingsFile.h"

using kelvaro::frmSetupCheck;
using F = MainWindowFixture;

class SetupCheckTest : public QObject {
    Q_OBJECT
private slots:
    void reportFixAndStatusBar() {
        F f;
        const std::string home = f.MakeFolder("home"), etc = f.MakeFolder("etc");
        qputenv("HOME", QByteArray::fromStdString(home));
        // The user's mame.ini is in the home folder on Linux, beside mame.exe on Windows; the
        // stand-in's settings take its lines once it is there (the fixes below write it).
#ifdef _WIN32
        const std::string userFolder = f.MakeFolder("emu"), inipath = ".;" + etc, lineEnd = "\r\n";
#else
        const std::string userFolder = kelvaro::JoinPath(home, ".mame"), inipath = "$HOME/.mame;" + etc, lineEnd = "\n";
#endif
        const std::string userIni = kelvaro::JoinPath(userFolder, "mame.ini");
        const std::string exe = Standin(f.Dir, "emu/mame",
                                        "say inipath " + inipath +
                                            "\nsay readconfig 1\nsay switchres 0\nsay window 0\nwhen -showconfig if " +
                                            userIni + " print " + userIni + "\n");
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
                                                      " (its inipath: " + f.Ini + ";" + inipath + ").")));
        QCOMPARE(TempDir::Read(userIni), "switchres 1" + lineEnd + "inipath " + f.Ini + ";" + inipath + lineEnd);
        QCOMPARE(TempDir::Read(userIni + ".bak"), "switchres 1" + lineEnd);
        QCOMPARE(f.Dialogs.Texts().filter(QString::fromStdString("This will create " + userIni)).size(), 1);
        QVERIFY(f.Dialogs.shown.back().text.startsWith(
            QString::fromStdString("This will set the line \"inipath " + f.Ini + ";")));
        QVERIFY(panel->text().isEmpty());

        // Without an INI folder the chooser opens at the emulator's first one.
        f.Model.Config.MameINIPath.clear();
        f.Item("mnuMAMEINIPath")->trigger();
        QCOMPARE(f.Dialogs.shown.back().preset, QString::fromStdString(f.Ini));
    }

    // A start without an emulator proposes the one on PATH with its first INI folder: No sets
    // and writes nothing, Yes sets both, makes the folder and saves the settings.
    void firstStartProposesTheEmulator() {
        F f;
        const std::string home = f.Dir.File("home"), etc = f.MakeFolder("etc"), own = kelvaro::JoinPath(home, ".mame");
        qputenv("HOME", QByteArray::fromStdString(home));
        qputenv("USERPROFILE", QByteArray::fromStdString(home));
        const std::string exe =
            Standin(f.Dir, "bin/mame",
                    "say inipath " + own + ";" + etc + "\nsay readconfig 1\nsay switchres 0\nsay window 0\n");
        f.Places.SearchPath = f.Dir.File("bin");
        const QString question =
            QString::fromStdString("M.A.M.E. was found at " + exe + ".  Use it, and write the INI files to " + own +
                                   ", the first folder M.A.M.E. reads INI files from (it "
                                   "will be created)?");
        f.Start();
        QCOMPARE(f.Dialogs.Texts(), QStringList{question});
        QVERIFY(f.Model.Config.MameExePath.empty() && f.Model.Config.MameINIPath.empty());
        QVERIFY(!QFileInfo::exists(QString::fromStdString(own)));
        QVERIFY(!QFileInfo::exists(QString::fromStdString(f.Model.SettingsFile())));

        f.Dialogs.asks = {true};
        f.Start();
        QCOMPARE(f.Dialogs.Texts(), (QStringList{question, question}));
        QCOMPARE(f.Model.Config.MameExePath, exe);
        QCOMPARE(f.Model.Config.MameINIPath, own);
        QVERIFY(QFileInfo(QString::fromStdString(own)).isDir());
        kelvaro::Settings saved;
        QVERIFY(kelvaro::ParseSettingsFile(TempDir::Read(f.Model.SettingsFile()), saved).Empty());
        QCOMPARE(saved.MameExePath, exe);
        QCOMPARE(f.Find<QLabel>("stbPanel3")->text(),
                 "M.A.M.E. will not switch video modes: see Help > Check M.A.M.E. Setup");
    }

    // The status bar tells the setup's state from the start: kept from the last check while
    // nothing it read has changed, else from a check in the background.
    void setupStateAtStart() {
        F f;
        const std::string home = f.MakeFolder("home"), runs = f.Dir.File("runs.txt");
        qputenv("HOME", QByteArray::fromStdString(home));
        // The user's mame.ini: in the home folder on Linux, beside mame.exe on Windows.
#ifdef _WIN32
        const std::string userIni = "emu/mame.ini", inipath = ".";
#else
        const std::string userIni = "home/.mame/mame.ini", inipath = "$HOME/.mame";
#endif
        const std::string exe = Standin(
            f.Dir, "emu/mame",
            "note " + runs + "\nsay inipath " + inipath + "\nsay readconfig 1\nsay switchres 1\n" +
                "say window 0\nwhen -showconfig if " + f.Dir.File(userIni) + " print " + f.Dir.File(userIni) + "\n");
        kelvaro::Settings s;
        s.MameExePath = exe;
        const QString notRead = "M.A.M.E. will not read these INI files: see Help > Check M.A.M.E. Setup";
        auto asked = [&] { return TempDir::Read(runs).size(); };

        f.StartSample(s);
        auto* panel = f.Find<QLabel>("stbPanel3");
        QTRY_COMPARE(panel->text(), notRead);
        const std::size_t once = asked();
        QVERIFY(once > 0);

        f.Start();
        QCOMPARE(f.Find<QLabel>("stbPanel3")->text(), notRead);
        QCOMPARE(asked(), once);

        // A mame.ini appears: the emulator is asked again.
        f.Dir.Write(userIni, "inipath " + f.Ini + "\n");
        f.Start();
        QTRY_VERIFY(asked() > once && f.Find<QLabel>("stbPanel3")->text().isEmpty());
    }
};

QTEST_MAIN(SetupCheckTest)
#include "frmSetupCheckTest.moc"
