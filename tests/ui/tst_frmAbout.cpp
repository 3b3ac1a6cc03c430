// The About box: the version line, its fixed texts, and a filled box on every showing.
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "ui/frmAbout.h"

using namespace kelvaro;

class tst_frmAbout : public QObject {
    Q_OBJECT

private slots:
    void versionLine() {
        QCOMPARE(frmAbout::VersionLine(2, 0, 0), QStringLiteral("Kelvaro v2.00"));
        QCOMPARE(frmAbout::VersionLine(2, 1, 5), QStringLiteral("Kelvaro v2.15"));
        QCOMPARE(frmAbout::VersionLine(10, 12, 3), QStringLiteral("Kelvaro v10.123"));
    }

    void showsTheProgramsVersionAndNoOtherProgram() {
        frmAbout box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.windowTitle(), QStringLiteral("About Kelvaro"));
        QCOMPARE(box.lblDetails1->text(), QStringLiteral("Kelvaro v2.00"));
        QCOMPARE(box.lblDetails5->text(),
                 QStringLiteral("Please see the card maker's web site for details of the ArcadeVGA."));
        QVERIFY(box.lblDetails3->text().contains(QStringLiteral("README")));
        for (QLabel* l : {box.lblDetails1, box.lblDetails2, box.lblDetails3, box.lblDetails5}) {
            QVERIFY(l->alignment() & Qt::AlignHCenter);
            QVERIFY(!l->text().contains(QStringLiteral("http")));
            QVERIFY(!l->text().contains(QStringLiteral("www.")));
        }
        // Top to bottom in the order of their names, the button last.
        QVERIFY(box.lblDetails1->y() < box.lblDetails2->y());
        QVERIFY(box.lblDetails2->y() < box.lblDetails3->y());
        QVERIFY(box.lblDetails3->y() < box.lblDetails5->y());
        QVERIFY(box.lblDetails5->y() < box.cmdOK->y());
        QCOMPARE(box.cmdOK->text(), QStringLiteral("&OK"));
        box.cmdOK->click();
        QVERIFY(!box.isVisible());
        QCOMPARE(box.result(), int(QDialog::Accepted));
    }

    void everyShowingIsFilled() {
        for (int i = 0; i < 2; ++i) {
            frmAbout box;
            QTimer::singleShot(0, &box, [&box] { box.cmdOK->click(); });
            QCOMPARE(box.exec(), int(QDialog::Accepted));
            QCOMPARE(box.lblDetails1->text(), QStringLiteral("Kelvaro v2.00"));
        }
        // A box shown again refills its version line.
        frmAbout box;
        box.show();
        box.lblDetails1->setText(QStringLiteral("stale"));
        box.close();
        box.show();
        QCOMPARE(box.lblDetails1->text(), QStringLiteral("Kelvaro v2.00"));
    }
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
