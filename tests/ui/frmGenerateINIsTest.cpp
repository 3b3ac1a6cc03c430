// The generation scope dialog: what it shows for the stored choice, the ROM folder's check box,
// and what OK, Cancel and the close box leave in the settings.
#include "ui/frmGenerateINIs.h"
#include "MainWindowFixture.h"

using namespace kelvaro;

class tst_frmGenerateINIs : public QObject {
    Q_OBJECT
private slots:
    // The stored option is checked afresh on each showing; a cancel's -1, or a value no option
    // stands for, checks All Games.
    void showsTheStoredChoice() {
        Model m;
        m.Config = {.GenerateAvailableOnly = false, .GenerateNoINIOnly = true};
        frmGenerateINIs d(m);
        auto on = [&d](const QString& name) { return Button(d, name)->isChecked(); };
        for (const auto& [applyTo, option] : {std::pair{2, 2}, std::pair{-1, 3}, std::pair{7, 3}}) {
            m.Config.GenerateApplyTo = static_cast<GenerateScope>(applyTo);
            Button(d, "optApplyto_1")->setChecked(true); // a selection left from an earlier showing
            d.Form_Activate();
            QVERIFY(on(QString("optApplyto_%1").arg(option)) && !on("optApplyto_1"));
            QVERIFY(!on("chkAvailableOnly") && on("chkParentsOnly") && on("chkNoINIOnly"));
        }
        QStringList captions = {d.windowTitle(), Child<QGroupBox>(d, "fraApply")->title()};
        for (const char* b : {"optApplyto_0", "optApplyto_1", "optApplyto_2", "optApplyto_3", "chkNoINIOnly"})
            captions << Button(d, b)->text();
        QCOMPARE(captions,
                 QStringList({"Generate INI File(s)", "Generate INI File(s) For:", "Selected Game Only",
                              "All Games with this Native Video Mode and Orientation",
                              "All Games with this Orientation", "All Games", "Games with no Existing INI File Only"}));
    }

    void availableOnlyNeedsTheRomFolder() {
        TempDir roms;
        Model m;
        frmGenerateINIs d(m);
        for (const std::string& folder : {std::string(), roms.File("missing"), roms.Path()}) {
            m.Config.MameROMPath = folder;
            d.Form_Activate();
            QCOMPARE(Button(d, "chkAvailableOnly")->isEnabled(), folder == roms.Path());
        }
        // A disabled box keeps the stored choice through OK.
        m.Config.MameROMPath.clear();
        m.Config.GenerateAvailableOnly = true;
        d.Form_Activate();
        Button(d, "cmdOK")->click();
        QVERIFY(m.Config.GenerateAvailableOnly);
    }

    // Shown modally; OK stores what was changed, every other way out is a Cancel (-1) that stores
    // nothing else.
    void waysOut() {
        for (const QString how : {"OK", "Cancel", "close box"}) {
            Model m;
            m.Config.GenerateApplyTo = GenerateScope::SameOrientation;
            frmGenerateINIs d(m);
            bool shown = false;
            QTimer::singleShot(0, &d, [&] {
                shown = d.isVisible();
                Button(d, "optApplyto_1")->click();
                Button(d, "chkParentsOnly")->setChecked(false);
                Button(d, "chkNoINIOnly")->setChecked(true);
                how == "close box" ? (void)d.close() : Button(d, "cmd" + how)->click(); // cmdOK, cmdCancel
            });
            d.Choose();
            QVERIFY2(shown && !d.isVisible(), qPrintable(how));
            QCOMPARE(NumberOf(m.Config.GenerateApplyTo), how == "OK" ? 1 : -1);
            QCOMPARE(m.Config.GenerateParentsOnly, how != "OK");
            QCOMPARE(m.Config.GenerateNoINIOnly, how == "OK");
        }
    }
};

QTEST_MAIN(tst_frmGenerateINIs)
#include "frmGenerateINIsTest.moc"
