// The generation scope dialog: what it shows for the stored choice, and what OK, Cancel, Escape
// and the close box leave in the settings.
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "TempDir.h"
#include "core/Model.h"
#include "ui/frmGenerateINIs.h"

using namespace kelvaro;

class tst_frmGenerateINIs : public QObject {
    Q_OBJECT

    int Checked(const frmGenerateINIs& d) {
        int found = -1;
        for (int i = 0; i < 4; ++i)
            if (d.optApplyto[i]->isChecked()) found = found < 0 ? i : 99; // 99: more than one
        return found;
    }

private slots:
    void layoutAndCaptions() {
        Model m;
        frmGenerateINIs d(m);
        QCOMPARE(d.objectName(), QStringLiteral("frmGenerateINIs"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Generate INI File(s)"));
        QCOMPARE(d.fraApply->title(), QStringLiteral("Generate INI File(s) For:"));
        const QStringList captions = {"Selected Game Only", "All Games with this Native Video Mode and Orientation",
                                      "All Games with this Orientation", "All Games"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(d.findChild<QRadioButton*>(QStringLiteral("optApplyto_%1").arg(i)), d.optApplyto[i]);
            QCOMPARE(d.optApplyto[i]->text(), captions[i]);
        }
        QCOMPARE(d.chkNoINIOnly->text(), QStringLiteral("Games with no Existing INI File Only"));
        QCOMPARE(d.cmdCancel->text(), QStringLiteral("&Cancel"));
    }

    void activateShowsTheStoredChoice_data() {
        QTest::addColumn<int>("applyTo");
        QTest::addColumn<int>("option");
        QTest::newRow("first run") << 0 << 0;
        QTest::newRow("orientation") << 2 << 2;
        QTest::newRow("after a cancel") << -1 << 3;
        QTest::newRow("a value no option stands for") << 7 << 3;
    }
    void activateShowsTheStoredChoice() {
        QFETCH(int, applyTo);
        QFETCH(int, option);
        Model m;
        m.S.GenerateApplyTo = applyTo;
        m.S.GenerateAvailableOnly = false;
        m.S.GenerateParentsOnly = true;
        m.S.GenerateNoINIOnly = true;
        frmGenerateINIs d(m);
        d.optApplyto[1]->setChecked(true); // a selection left from an earlier showing
        d.Form_Activate();
        QCOMPARE(Checked(d), option);
        QVERIFY(!d.chkAvailableOnly->isChecked());
        QVERIFY(d.chkParentsOnly->isChecked());
        QVERIFY(d.chkNoINIOnly->isChecked());
    }

    void availableOnlyNeedsTheRomFolder() {
        TempDir roms;
        Model m;
        frmGenerateINIs d(m);
        m.S.MameROMPath = "";
        d.Form_Activate();
        QVERIFY(!d.chkAvailableOnly->isEnabled());
        m.S.MameROMPath = roms.File("missing");
        d.Form_Activate();
        QVERIFY(!d.chkAvailableOnly->isEnabled());
        m.S.MameROMPath = roms.Path();
        d.Form_Activate();
        QVERIFY(d.chkAvailableOnly->isEnabled());
        // A disabled box keeps the stored choice through OK.
        m.S.MameROMPath.clear();
        m.S.GenerateAvailableOnly = true;
        d.Form_Activate();
        d.cmdOK->click();
        QVERIFY(m.S.GenerateAvailableOnly);
    }

    void okStoresTheChoice() {
        Model m;
        frmGenerateINIs d(m);
        d.Form_Activate();
        d.optApplyto[1]->click();
        d.chkAvailableOnly->setChecked(false);
        d.chkParentsOnly->setChecked(false);
        d.chkNoINIOnly->setChecked(true);
        d.cmdOK->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(m.S.GenerateApplyTo, 1);
        QVERIFY(!m.S.GenerateAvailableOnly);
        QVERIFY(!m.S.GenerateParentsOnly);
        QVERIFY(m.S.GenerateNoINIOnly);
        // Offered again next time.
        d.Form_Activate();
        QCOMPARE(Checked(d), 1);
        QVERIFY(d.chkNoINIOnly->isChecked());
    }

    void everyWayOutButOkCancels() {
        Model m;
        m.S.GenerateApplyTo = 2;
        frmGenerateINIs d(m);
        auto reopen = [&] {
            m.S.GenerateApplyTo = 2;
            d.Form_Activate();
            d.chkParentsOnly->setChecked(false); // changes that must not be stored
            d.show();
            return QTest::qWaitForWindowExposed(&d);
        };
        QVERIFY(reopen());
        d.cmdCancel->click();
        QCOMPARE(m.S.GenerateApplyTo, -1);
        QVERIFY(!d.isVisible());
        QVERIFY(reopen());
        QTest::keyClick(&d, Qt::Key_Escape);
        QCOMPARE(m.S.GenerateApplyTo, -1);
        QVERIFY(reopen());
        QVERIFY(d.close()); // the close box
        QCOMPARE(m.S.GenerateApplyTo, -1);
        QVERIFY(m.S.GenerateParentsOnly);
        d.Form_Activate();
        QCOMPARE(Checked(d), 3);
    }

    void chooseRunsModally() {
        Model m;
        m.S.GenerateApplyTo = -1;
        frmGenerateINIs d(m);
        bool shown = false;
        QTimer::singleShot(0, &d, [&] {
            shown = d.isVisible();
            d.optApplyto[2]->click();
            d.cmdOK->click();
        });
        d.Choose();
        QVERIFY(shown);
        QCOMPARE(m.S.GenerateApplyTo, 2);
        QTimer::singleShot(0, &d, [&] { d.close(); });
        d.Choose();
        QCOMPARE(m.S.GenerateApplyTo, -1);
    }
};

QTEST_MAIN(tst_frmGenerateINIs)
#include "tst_frmGenerateINIs.moc"
