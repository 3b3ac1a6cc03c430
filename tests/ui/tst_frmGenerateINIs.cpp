// The generation scope dialog: what it shows for the stored choice, the ROM folder's check box,
// and what OK, Cancel, Escape and the close box leave in the settings.
#include "MainWindowFixture.h"
#include "ui/frmGenerateINIs.h"

using namespace kelvaro;

class tst_frmGenerateINIs : public QObject {
    Q_OBJECT

    static QList<int> Checked(const frmGenerateINIs& d) {
        QList<int> on;
        for (int i = 0; i < 4; ++i)
            if (d.optApplyto[i]->isChecked()) on << i;
        return on;
    }

private slots:
    void showsTheStoredChoice_data() {
        QTest::addColumn<int>("applyTo");
        QTest::addColumn<int>("option");
        QTest::newRow("first run") << 0 << 0;
        QTest::newRow("orientation") << 2 << 2;
        QTest::newRow("after a cancel") << -1 << 3;
        QTest::newRow("a value no option stands for") << 7 << 3;
    }
    void showsTheStoredChoice() {
        QFETCH(int, applyTo);
        QFETCH(int, option);
        Model m;
        m.S.GenerateApplyTo = applyTo;
        m.S.GenerateAvailableOnly = false;
        m.S.GenerateNoINIOnly = true;
        frmGenerateINIs d(m);
        d.optApplyto[1]->setChecked(true); // a selection left from an earlier showing
        d.Form_Activate();
        QCOMPARE(Checked(d), QList<int>{option});
        QVERIFY(!d.chkAvailableOnly->isChecked() && d.chkParentsOnly->isChecked() && d.chkNoINIOnly->isChecked());
        QStringList captions = {d.windowTitle(), d.fraApply->title()};
        for (QAbstractButton* b : QList<QAbstractButton*>{d.optApplyto[0], d.optApplyto[1], d.optApplyto[2],
                                                          d.optApplyto[3], d.chkNoINIOnly})
            captions << b->text();
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
            m.S.MameROMPath = folder;
            d.Form_Activate();
            QCOMPARE(d.chkAvailableOnly->isEnabled(), folder == roms.Path());
        }
        // A disabled box keeps the stored choice through OK.
        m.S.MameROMPath.clear();
        m.S.GenerateAvailableOnly = true;
        d.Form_Activate();
        d.cmdOK->click();
        QVERIFY(m.S.GenerateAvailableOnly);
    }

    // Shown modally; OK stores what was changed, every other way out is a Cancel (-1) that stores nothing else.
    void waysOut_data() {
        QTest::addColumn<int>("applyTo");
        QTest::newRow("OK") << 1;
        QTest::newRow("Cancel") << -1;
        QTest::newRow("Escape") << -1;
        QTest::newRow("close box") << -1;
    }
    void waysOut() {
        QFETCH(int, applyTo);
        const QString how = QTest::currentDataTag();
        Model m;
        m.S.GenerateApplyTo = 2;
        frmGenerateINIs d(m);
        bool shown = false;
        QTimer::singleShot(0, &d, [&] {
            shown = d.isVisible();
            d.optApplyto[1]->click();
            d.chkParentsOnly->setChecked(false);
            if (how == "OK") d.cmdOK->click();
            if (how == "Cancel") d.cmdCancel->click();
            if (how == "Escape") QTest::keyClick(&d, Qt::Key_Escape);
            if (how == "close box") d.close();
        });
        d.Choose();
        QVERIFY(shown && !d.isVisible());
        QCOMPARE(m.S.GenerateApplyTo, applyTo);
        QCOMPARE(m.S.GenerateParentsOnly, applyTo == -1);
    }
};

QTEST_MAIN(tst_frmGenerateINIs)
#include "tst_frmGenerateINIs.moc"
