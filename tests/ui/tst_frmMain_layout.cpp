// The main window's layout: its first size, and where the lists, labels, buttons and status bar
// panels go when it is resized, minimized and restored.
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "MainWindowFixture.h"

using kelvaro::frmMain;

namespace {

// Everything the layout places, in pixels.
struct Placed {
    QRect unique, main, games, test, avga, avgaLabel, hz;
    int panel1 = 0, panel2 = 0;
    bool operator==(const Placed&) const = default;
};

Placed Take(const frmMain& w) {
    return {w.lblUnique->geometry(), w.lvwMain->geometry(), w.lvwGames->geometry(), w.cmdTestGame->geometry(),
            w.lvwAVGA->geometry(),   w.lblAVGA->geometry(),  w.cmd60Hz->geometry(),  w.stbPanel1->width(),
            w.stbPanel2->width()};
}

// At 96 dpi a twip is 1/15 pixel: the fixed measures are lvwMain at 8, 24 and 156 wide, lvwAVGA
// 225 wide, buttons 25 high, gaps of 8, and 800 twips taken off the outer height.
void CheckRules(const frmMain& w) {
    const int outerW = w.frameGeometry().width(), outerH = w.frameGeometry().height();
    const int status = w.statusBar()->height();
    const Placed p = Take(w);
    const int mainH = std::max(0, qRound(outerH - status - 24 - 800 / 15.0));
    QCOMPARE(p.main, QRect(8, 24, 156, mainH));
    QCOMPARE(p.unique.topLeft(), QPoint(11, 8));
    const int gamesW = std::abs(outerW - 156 - 225 - 40);
    const int listH = std::max(0, mainH - 25 - 8);
    QCOMPARE(p.games, QRect(172, 24, gamesW, listH));
    QCOMPARE(p.test, QRect(172, 24 + listH + 8, gamesW, 25));
    QCOMPARE(p.avga, QRect(172 + gamesW + 8, 24, 225, listH));
    QCOMPARE(p.hz, QRect(172 + gamesW + 8, 24 + listH + 8, 225, 25));
    QCOMPARE(p.avgaLabel.topLeft(), QPoint(172 + gamesW + 8 + 3, 8));
    QCOMPARE(p.panel1, 171);
    QCOMPARE(p.panel2, gamesW + 254);
    QCOMPARE(w.stbPanel2->x(), 171);
    if (mainH > 0) {
        // The bottoms of the left list and of both buttons are level.
        QCOMPARE(p.test.bottom(), p.main.bottom());
        QCOMPARE(p.hz.bottom(), p.main.bottom());
    }
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void firstSizeIsTheDesignedClientArea();
    void resizingFollowsTheRules();
    void aNarrowWindowNeverGivesANegativeWidth();
    void aLowWindowGivesHeightsOfZero();
    void minimizedChangesNothingAndRestoringLaysOut();
    void captionsAreNeverCut();
    void aCountTooLongForItsPanelStartsAtItsLeft();
};

void LayoutTest::init() {
    MainWindowFixture f;
    f.Start();
    if (f.Window().logicalDpiX() != 96 || f.Window().logicalDpiY() != 96)
        QSKIP("the layout figures below are for a 96 dpi screen");
}

void LayoutTest::firstSizeIsTheDesignedClientArea() {
    MainWindowFixture f;
    f.WriteGameList({{"sf2", "Street Fighter II: The World Warrior", "horizontal", 384, 224, "59.637405"}});
    frmMain& w = f.Start();
    QCOMPARE(w.width(), 1073);                                 // 16095 twips
    QCOMPARE(w.height() - w.menuBar()->height(), 629);         // 9435 twips
    QCOMPARE(w.centralWidget()->height() + w.statusBar()->height(), 629);
    CheckRules(w);
    QCOMPARE(w.lvwGames->width(), w.frameGeometry().width() - 421);
}

void LayoutTest::resizingFollowsTheRules() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    for (const QSize size : {QSize(900, 500), QSize(1400, 900), QSize(1073, 660)}) {
        w.resize(size);
        QCOMPARE(w.size(), size);
        CheckRules(w);
    }
}

void LayoutTest::aNarrowWindowNeverGivesANegativeWidth() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    w.resize(w.minimumSizeHint().width(), 600);
    QVERIFY(w.frameGeometry().width() < 421);
    CheckRules(w);
    QVERIFY(w.lvwGames->width() > 0);
    QCOMPARE(w.lvwAVGA->x(), 172 + w.lvwGames->width() + 8);
}

void LayoutTest::aLowWindowGivesHeightsOfZero() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    w.resize(1073, w.minimumSizeHint().height());
    CheckRules(w);
    QCOMPARE(w.lvwMain->height(), 0);
    QCOMPARE(w.lvwGames->height(), 0);
    QCOMPARE(w.lvwAVGA->height(), 0);
    QCOMPARE(w.cmdTestGame->y(), 32);
}

void LayoutTest::minimizedChangesNothingAndRestoringLaysOut() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    const Placed before = Take(w);
    w.setWindowState(Qt::WindowMinimized);
    QVERIFY(w.isMinimized());
    w.resize(800, 450);
    w.Form_Resize();
    QVERIFY(Take(w) == before);

    w.setWindowState(Qt::WindowNoState);
    QVERIFY(!w.isMinimized());
    QCOMPARE(w.size(), QSize(800, 450));
    CheckRules(w);
    QVERIFY(!(Take(w) == before));
}

void LayoutTest::captionsAreNeverCut() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    for (QLabel* label : {w.lblUnique, w.lblAVGA}) QVERIFY(label->width() >= label->sizeHint().width());
}

void LayoutTest::aCountTooLongForItsPanelStartsAtItsLeft() {
    MainWindowFixture f;
    frmMain& w = f.Start();
    w.stbPanel1->setText("Modes: 1233 H + 244 V = 1477 and a good deal more");
    w.Form_Resize();
    QCOMPARE(w.stbPanel1->alignment(), Qt::AlignLeft | Qt::AlignVCenter);
    w.stbPanel1->setText("Modes: 1 H + 1 V = 2");
    w.Form_Resize();
    QCOMPARE(w.stbPanel1->alignment(), Qt::AlignCenter);
}

QTEST_MAIN(LayoutTest)
#include "tst_frmMain_layout.moc"
