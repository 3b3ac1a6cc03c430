// The main window's layout: its first size, and where the lists, labels, buttons and status bar
// panels go when it is resized, minimized and restored.
#include "MainWindowFixture.h"

using kelvaro::frmMain;

namespace {

// Everything the layout places, in pixels.
QList<QRect> Placed(const frmMain& w) {
    return {w.lblUnique->geometry(),   w.lvwMain->geometry(),   w.lvwGames->geometry(),
            w.cmdTestGame->geometry(), w.lvwAVGA->geometry(),   w.lblAVGA->geometry(),
            w.cmd60Hz->geometry(),     w.stbPanel1->geometry(), w.stbPanel2->geometry()};
}

// At 96 dpi a twip is 1/15 pixel: lvwMain at 8, 24 and 156 wide, lvwAVGA 225 wide, buttons 25
// high, gaps of 8, and 800 twips taken off the outer height; no height below 0.
void CheckRules(const frmMain& w) {
    const int outerW = w.frameGeometry().width(), outerH = w.frameGeometry().height();
    const int mainH = std::max(0, qRound(outerH - w.statusBar()->height() - 24 - 800 / 15.0));
    const int gamesW = std::abs(outerW - 156 - 225 - 40);
    const int listH = std::max(0, mainH - 25 - 8);
    QCOMPARE(w.lvwMain->geometry(), QRect(8, 24, 156, mainH));
    QCOMPARE(w.lblUnique->pos(), QPoint(11, 8));
    QCOMPARE(w.lvwGames->geometry(), QRect(172, 24, gamesW, listH));
    QCOMPARE(w.cmdTestGame->geometry(), QRect(172, 24 + listH + 8, gamesW, 25));
    QCOMPARE(w.lvwAVGA->geometry(), QRect(172 + gamesW + 8, 24, 225, listH));
    QCOMPARE(w.cmd60Hz->geometry(), QRect(172 + gamesW + 8, 24 + listH + 8, 225, 25));
    QCOMPARE(w.lblAVGA->pos(), QPoint(172 + gamesW + 8 + 3, 8));
    QCOMPARE(w.stbPanel1->width(), 171);
    QCOMPARE(w.stbPanel2->x(), 171);
    QCOMPARE(w.stbPanel2->width(), gamesW + 254);
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        MainWindowFixture f;
        const frmMain& w = f.Start();
        if (w.logicalDpiX() != 96 || w.logicalDpiY() != 96) QSKIP("the layout figures are for a 96 dpi screen");
    }

    void firstSize() {
        MainWindowFixture f;
        frmMain& w = f.Start();
        QCOMPARE(w.width(), 1073);                         // 16095 twips
        QCOMPARE(w.height() - w.menuBar()->height(), 629); // 9435 twips
        CheckRules(w);
        for (QLabel* label : {w.lblUnique, w.lblAVGA}) QVERIFY(label->width() >= label->sizeHint().width());
        // A count too long for its panel starts at the panel's left edge.
        w.stbPanel1->setText("Modes: 1233 H + 244 V = 1477 and a good deal more");
        w.Form_Resize();
        QCOMPARE(w.stbPanel1->alignment(), Qt::AlignLeft | Qt::AlignVCenter);
    }

    void resizing_data() {
        QTest::addColumn<QSize>("size"); // a 0 stands for the smallest the window allows
        QTest::newRow("smaller") << QSize(900, 500);
        QTest::newRow("larger") << QSize(1400, 900);
        QTest::newRow("narrower than the fixed lists: the games list keeps a width") << QSize(0, 600);
        QTest::newRow("lower than the fixed heights: the lists get 0") << QSize(1073, 0);
    }
    void resizing() {
        QFETCH(QSize, size);
        MainWindowFixture f;
        frmMain& w = f.Start();
        const QSize smallest = w.minimumSizeHint();
        w.resize(size.width() ? size.width() : smallest.width(), size.height() ? size.height() : smallest.height());
        CheckRules(w);
        if (size.height() == 0) QCOMPARE(w.lvwGames->height(), 0);
        if (size.width() == 0) QVERIFY(w.frameGeometry().width() < 421 && w.lvwGames->width() > 0);
        if (size.height() > 0 && size.width() > 0) {
            QCOMPARE(w.size(), size);
            // The bottoms of the left list and of both buttons are level.
            QCOMPARE(w.cmdTestGame->geometry().bottom(), w.lvwMain->geometry().bottom());
            QCOMPARE(w.cmd60Hz->geometry().bottom(), w.lvwMain->geometry().bottom());
        }
    }

    void minimizedChangesNothingAndRestoringLaysOut() {
        MainWindowFixture f;
        frmMain& w = f.Start();
        const QList<QRect> before = Placed(w);
        w.setWindowState(Qt::WindowMinimized);
        QVERIFY(w.isMinimized());
        w.resize(800, 450);
        w.Form_Resize();
        QCOMPARE(Placed(w), before);
        w.setWindowState(Qt::WindowNoState);
        QCOMPARE(w.size(), QSize(800, 450));
        CheckRules(w);
        QVERIFY(Placed(w) != before);
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_frmMain_layout.moc"
