// The settings dialog on a small hand-made table: filling, pre-selection, the details box, the
// scope options and what OK and Cancel leave in the tables.
#include "MainWindowFixture.h"
#include "ui/frmSettings.h"

using namespace kelvaro;

namespace {

// Games 1 and 2 form the shown native mode (224 x 288 @ 60.606061, vertical); game 3 shares its
// size but not its orientation, so the scopes "native mode" and "orientation" differ.
void Fill(Model& m) {
    for (const AvailModeRow& mode :
         {AvailModeRow{"640", "480", "60.000000", "No"}, AvailModeRow{"320", "240", "60", "No"},
          AvailModeRow{"320", "240", "60", "No"}, AvailModeRow{"800", "600", "56", "No"},
          AvailModeRow{"640", "480", "57.524", "No"}})
        m.AvailModes.Add(mode);
    m.Games.Add({"PACMAN", "PUCKMAN", "Pac-Man (Midway)", "224", "288", "60.606061", "V", "320", "240", "60",
                 "resolution 320x240|ror 1"});
    m.Games.Add({"PUCKMAN", "", "Puck Man (Japan set 1)", "224", "288", "60.606061", "V", "640", "480", "60",
                 "resolution 640x480"});
    m.Games.Add(
        {"SIDEWAYS", "", "Sideways", "224", "288", "60.606061", "H", "???", "???", "??", "resolution auto|ror 1"});
    m.Games.Add({"ASTEROID", "", "Asteroids (rev 4)", "-", "-", "-", "H", "???", "???", "??", "resolution auto"});
    m.Games.Add(
        {"ODDONE", "", "Odd One", "256", "224", "60.000000", "", "1024", "768", "??", "resolution 1024x768|ror 1"});
    m.Games.Add({"TALL", "", "Tall Game", "240", "320", "60", "V", "640", "480", "60.000000", "resolution auto|ror 1"});
    m.S.NotFoundWidth = "800";
    m.S.NotFoundHeight = "600";
    m.S.NotFoundRefresh = "56";
    m.S.NotFoundINIText = "resolution auto|rol 1";
}

const std::vector<int> kShown = {1, 2};

} // namespace

class tst_frmSettings : public QObject {
    Q_OBJECT

    Model m;
    std::unique_ptr<frmSettings> d;

    void Open(int scope, int game) {
        m.SettingsScope = scope;
        d->Form_Activate(game, scope == 2 ? std::vector<int>{} : kShown);
    }
    QString Box() const { return d->txtINIFileDetails->toPlainText(); }

private slots:
    void init() {
        m = Model{};
        Fill(m);
        d = std::make_unique<frmSettings>(m);
    }

    void modeListShowsEveryModeWithTwoDecimals() {
        Open(1, 1);
        QStringList entries;
        for (int i = 0; i < d->cmbVideoMode->count(); ++i) entries << d->cmbVideoMode->itemText(i);
        QCOMPARE(entries, (QStringList{"(Let MAME Decide)", "640 x 480 @ 60Hz", "320 x 240 @ 60Hz", "320 x 240 @ 60Hz",
                                       "800 x 600 @ 56Hz", "640 x 480 @ 57.52Hz"}));
        m.AvailModes.RemoveLast(); // a reused dialog is filled afresh
        Open(1, 1);
        QCOMPARE(d->cmbVideoMode->count(), 5);
    }

    void gameInformation_data() {
        QTest::addColumn<int>("scope");
        QTest::addColumn<int>("game");
        QTest::addColumn<QString>("texts"); // the title, then the four labels, joined by "|"
        QTest::newRow("a clone")
            << 1 << 1
            << "Settings for 'Pac-Man (Midway)'|Description: Pac-Man (Midway)|Romname: PACMAN (clone of PUCKMAN)|"
               "Native Video Mode: 224 x 288 @ 60.606061Hz|Orientation: Vertical";
        QTest::newRow("a vector game")
            << 1 << 4
            << "Settings for 'Asteroids (rev 4)'|Description: Asteroids (rev 4)|Romname: ASTEROID|"
               "Native Video Mode: Vector|Orientation: Horizontal";
        QTest::newRow("refresh as stored; an empty orientation is not H")
            << 1 << 5
            << "Settings for 'Odd One'|Description: Odd One|Romname: ODDONE|"
               "Native Video Mode: 256 x 224 @ 60.000000Hz|Orientation: Vertical";
        QTest::newRow("the not-found entry") << 2 << 0
                                             << "Settings when Ideal Mode Not Found|Description: N/A|Romname: "
                                                "N/A|Native Video Mode: N/A|Orientation: N/A";
    }
    void gameInformation() {
        QFETCH(int, scope);
        QFETCH(int, game);
        QFETCH(QString, texts);
        Open(scope, game);
        QCOMPARE(QStringList({d->windowTitle(), d->lblGameDescription->text(), d->lblGameRomname->text(),
                              d->lblGameNativeVideoMode->text(), d->lblGameOrientation->text()}),
                 texts.split('|'));
    }

    // Opening pre-selects the entry whose texts equal the stored mode's, and rewrites the stored
    // resolution line at once to match it; the chosen mode itself is left alone.
    void preselection_data() {
        QTest::addColumn<int>("scope");
        QTest::addColumn<int>("game");
        QTest::addColumn<bool>("noModes");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("stored");
        QTest::newRow("640/480/60 against a listed 60.000000") << 1 << 2 << false << 0 << "resolution auto";
        QTest::newRow("60.000000 against 60.000000") << 1 << 6 << false << 1 << "resolution 640x480|ror 1";
        QTest::newRow("an empty mode list") << 1 << 1 << true << 0 << "resolution auto|ror 1";
        QTest::newRow("the not-found entry") << 2 << 0 << false << 4 << "resolution 800x600|rol 1";
    }
    void preselection() {
        QFETCH(int, scope);
        QFETCH(int, game);
        QFETCH(bool, noModes);
        QFETCH(int, entry);
        QFETCH(QString, stored);
        if (noModes) m.AvailModes.Clear();
        const GameRow before = m.Games[game];
        Open(scope, game);
        QCOMPARE(d->cmbVideoMode->currentIndex(), entry);
        QCOMPARE(d->cmbVideoMode->count(), noModes ? 1 : 6);
        QCOMPARE(scope == 2 ? m.S.NotFoundINIText : m.Games[game].GameINIText, stored.toStdString());
        QCOMPARE(Box(), QString(stored).replace('|', '\n'));
        QCOMPARE(m.Games[game].GameModeWidth + m.Games[game].GameModeRefresh,
                 before.GameModeWidth + before.GameModeRefresh);
    }

    // Shown modally, and left without OK: only the rewrite of the opening stays.
    void cancelling_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Cancel") << false;
        QTest::newRow("close box") << true;
    }
    void cancelling() {
        QFETCH(bool, closeBox);
        m.SettingsScope = 1;
        QTimer::singleShot(0, d.get(), [&] {
            d->cmbVideoMode->setCurrentIndex(4);
            d->txtINIFileDetails->setPlainText("typed|nonsense");
            closeBox ? (void)d->close() : d->cmdCancel->click();
        });
        QVERIFY(d->Edit(6, kShown).empty());
        QCOMPARE(m.Games[6].GameINIText, "resolution 640x480|ror 1");
        QCOMPARE(m.Games[6].GameModeWidth, "640");
        Open(1, 6); // shown again, the box holds the stored text
        QCOMPARE(Box(), "resolution 640x480\nror 1");
    }

    void scopeOptionsFollowTheOpener() {
        const QList<QRadioButton*> all = {d->optThisGameOnly, d->optVideoMode, d->optOrientation, d->optAllGames};
        auto enabled = [&] {
            return std::count_if(all.begin(), all.end(), [](QRadioButton* o) { return o->isEnabled(); });
        };
        Open(0, 1);
        QVERIFY(d->optVideoMode->isChecked());
        d->optAllGames->setChecked(true);
        Open(2, 0);
        QCOMPARE(enabled(), 0);
        QVERIFY(d->optAllGames->isChecked()); // the selection is left as it was
        Open(1, 1);
        QCOMPARE(enabled(), 4);
        QVERIFY(d->optThisGameOnly->isChecked());
        Open(2, 0);
        Open(0, 1);
        QCOMPARE(enabled(), 4);
        QVERIFY(d->optVideoMode->isChecked());
    }

    void detailsBoxFollowsTheModeAndLosesBlankLinesOnOK() {
        Open(1, 1);
        // A new entry rewrites only the resolution line; empty lines collapse, spaces stay.
        d->txtINIFileDetails->setPlainText("\n\nror 1\n\n   \nresolution 320x240\nsound none\n\n");
        d->cmbVideoMode->setCurrentIndex(4);
        QCOMPARE(Box(), "ror 1\n   \nresolution 800x600\nsound none");
        QCOMPARE(m.Games[1].GameINIText, "resolution 320x240|ror 1"); // untouched until OK
        d->txtINIFileDetails->setPlainText("\nresolution 800x600\n\n\nsound none\n");
        d->cmdOK->click();
        QCOMPARE(m.Games[1].GameINIText, "resolution 800x600|sound none");
    }

    void okAppliesToTheChosenScope_data() {
        QTest::addColumn<int>("scope");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QList<int>>("changed");
        QTest::newRow("selected game") << 1 << "optThisGameOnly" << QList<int>{1};
        QTest::newRow("native mode: the shown games") << 0 << "optVideoMode" << QList<int>{1, 2};
        QTest::newRow("orientation") << 1 << "optOrientation" << QList<int>{1, 2, 6};
        QTest::newRow("all games") << 1 << "optAllGames" << QList<int>{1, 2, 3, 4, 5, 6};
        QTest::newRow("the not-found entry, whatever the option") << 2 << "optAllGames" << QList<int>{};
    }
    void okAppliesToTheChosenScope() {
        QFETCH(int, scope);
        QFETCH(QString, option);
        QFETCH(QList<int>, changed);
        Open(scope, scope == 2 ? 0 : 1);
        const Model before = m;
        d->findChild<QRadioButton*>(option)->setChecked(true);
        d->cmbVideoMode->setCurrentIndex(5); // 640 x 480 @ 57.524
        d->cmdOK->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(QList<int>(d->ChangedGames().begin(), d->ChangedGames().end()), changed);
        for (int g = 1; g <= m.Games.Count(); ++g) {
            const GameRow& was = before.Games[g];
            const bool in = changed.contains(g);
            QCOMPARE(m.Games[g].GameModeWidth + " " + m.Games[g].GameModeRefresh,
                     in ? "640 57.524" : was.GameModeWidth + " " + was.GameModeRefresh);
            QCOMPARE(m.Games[g].GameINIText, in ? "resolution 640x480|ror 1" : was.GameINIText);
        }
        if (scope == 2) {
            QCOMPARE(m.S.NotFoundWidth + " " + m.S.NotFoundHeight + " " + m.S.NotFoundRefresh, "640 480 57.524");
            QCOMPARE(m.S.NotFoundINIText, "resolution 640x480|rol 1");
        }
    }
};

QTEST_MAIN(tst_frmSettings)
#include "tst_frmSettings.moc"
