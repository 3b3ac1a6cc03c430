// The settings dialog on a small hand-made table: filling, the mode list, the details box, the
// scope options and what OK and Cancel leave in the tables.
#include <algorithm>
#include <memory>
#include <vector>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "core/Model.h"
#include "ui/frmSettings.h"

using namespace kelvaro;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

GameRow Game(const char* rom, const char* clone, const char* description, const char* w, const char* h,
             const char* r, const char* orientation, const char* mw, const char* mh, const char* mr,
             const char* ini) {
    GameRow g;
    g.GameRomName = rom;
    g.GameCloneOf = clone;
    g.GameDescription = description;
    g.GameNativeWidth = w;
    g.GameNativeHeight = h;
    g.GameNativeRefresh = r;
    g.GameOrientation = orientation;
    g.GameModeWidth = mw;
    g.GameModeHeight = mh;
    g.GameModeRefresh = mr;
    g.GameINIText = ini;
    return g;
}

// Games 1 and 2 form the shown native mode (224 x 288 @ 60.606061, vertical); game 3 shares its
// size but not its orientation, so scope "native mode" and scope "orientation" differ.
void Fill(Model& m) {
    m.AvailModes.Add({"640", "480", "60.000000", "No"}); // 1
    m.AvailModes.Add({"320", "240", "60", "No"});        // 2
    m.AvailModes.Add({"320", "240", "60", "No"});        // 3, the same mode again
    m.AvailModes.Add({"800", "600", "56", "No"});        // 4
    m.AvailModes.Add({"640", "480", "57.524", "No"});    // 5
    m.Games.Add(Game("PACMAN", "PUCKMAN", "Pac-Man (Midway)", "224", "288", "60.606061", "V", "320", "240", "60",
                     "resolution 320x240|ror 1"));
    m.Games.Add(Game("PUCKMAN", "", "Puck Man (Japan set 1)", "224", "288", "60.606061", "V", "640", "480", "60",
                     "resolution 640x480"));
    m.Games.Add(Game("SIDEWAYS", "", "Sideways", "224", "288", "60.606061", "H", "???", "???", "??",
                     "resolution auto|ror 1"));
    m.Games.Add(Game("ASTEROID", "", "Asteroids (rev 4)", "-", "-", "-", "H", "???", "???", "??", "resolution auto"));
    m.Games.Add(Game("ODDONE", "", "Odd One", "256", "224", "60", "", "1024", "768", "??",
                     "resolution 1024x768|ror 1"));
    m.Games.Add(Game("TALL", "", "Tall Game", "240", "320", "60.000000", "V", "640", "480", "60.000000",
                     "resolution auto|ror 1"));
}

const std::vector<int> kShown = {1, 2};

QString Box(const frmSettings& d) { return d.txtINIFileDetails->toPlainText(); }

} // namespace

class tst_frmSettings : public QObject {
    Q_OBJECT

    Model m;
    std::unique_ptr<frmSettings> d;

    void Open(int scope, int game) {
        m.SettingsScope = scope;
        d->Form_Activate(game, kShown);
    }

private slots:
    void init() {
        m = Model{};
        Fill(m);
        d = std::make_unique<frmSettings>(m);
    }

    void controlsCarryTheirNames() {
        QCOMPARE(d->objectName(), QStringLiteral("frmSettings"));
        for (const char* name : {"fraGameInfo", "fraSettings", "fraApply", "cmbVideoMode", "txtINIFileDetails",
                                 "optThisGameOnly", "optVideoMode", "optOrientation", "optAllGames", "cmdOK",
                                 "cmdCancel", "lblVideoMode", "lblINIDetails"})
            QVERIFY2(d->findChild<QWidget*>(QString::fromLatin1(name)), name);
        QCOMPARE(d->fraApply->title(), QStringLiteral("Apply these Settings to:"));
        QCOMPARE(d->optVideoMode->text(), QStringLiteral("All Games with this Native Video Mode and Orientation"));
        QVERIFY(d->optOrientation->parentWidget() == d->fraApply);
    }

    void modeListShowsEveryModeWithTwoDecimals() {
        Open(1, 1);
        QStringList entries;
        for (int i = 0; i < d->cmbVideoMode->count(); ++i) entries << d->cmbVideoMode->itemText(i);
        QCOMPARE(entries, (QStringList{"(Let MAME Decide)", "640 x 480 @ 60Hz", "320 x 240 @ 60Hz", "320 x 240 @ 60Hz",
                                       "800 x 600 @ 56Hz", "640 x 480 @ 57.52Hz"}));
        // A reused dialog does not keep the entries of its last showing.
        m.AvailModes.RemoveLast();
        Open(1, 1);
        QCOMPARE(d->cmbVideoMode->count(), 5);
    }

    void gameInformationLabels() {
        Open(1, 1);
        QCOMPARE(d->windowTitle(), QStringLiteral("Settings for 'Pac-Man (Midway)'"));
        QCOMPARE(d->lblGameDescription->text(), QStringLiteral("Description: Pac-Man (Midway)"));
        QCOMPARE(d->lblGameRomname->text(), QStringLiteral("Romname: PACMAN (clone of PUCKMAN)"));
        QCOMPARE(d->lblGameNativeVideoMode->text(), QStringLiteral("Native Video Mode: 224 x 288 @ 60.606061Hz"));
        QCOMPARE(d->lblGameOrientation->text(), QStringLiteral("Orientation: Vertical"));
        Open(1, 4);
        QCOMPARE(d->lblGameRomname->text(), QStringLiteral("Romname: ASTEROID"));
        QCOMPARE(d->lblGameNativeVideoMode->text(), QStringLiteral("Native Video Mode: Vector"));
        QCOMPARE(d->lblGameOrientation->text(), QStringLiteral("Orientation: Horizontal"));
        Open(1, 5); // an empty orientation is not "H"
        QCOMPARE(d->lblGameOrientation->text(), QStringLiteral("Orientation: Vertical"));
        Open(1, 6); // the refresh as stored, not rounded
        QCOMPARE(d->lblGameNativeVideoMode->text(), QStringLiteral("Native Video Mode: 240 x 320 @ 60.000000Hz"));
        m.SettingsScope = 2;
        d->Form_Activate(0, {});
        QCOMPARE(d->windowTitle(), QStringLiteral("Settings when Ideal Mode Not Found"));
        QCOMPARE(d->lblGameDescription->text(), QStringLiteral("Description: N/A"));
        QCOMPARE(d->lblGameRomname->text(), QStringLiteral("Romname: N/A"));
        QCOMPARE(d->lblGameNativeVideoMode->text(), QStringLiteral("Native Video Mode: N/A"));
        QCOMPARE(d->lblGameOrientation->text(), QStringLiteral("Orientation: N/A"));
    }

    void preselectionComparesText() {
        // 640/480/60 against a listed 60.000000: no match, and the stored line follows the entry.
        Open(1, 2);
        QCOMPARE(d->cmbVideoMode->currentIndex(), 0);
        QCOMPARE(Box(*d), QStringLiteral("resolution auto"));
        QCOMPARE(m.Games[2].GameINIText, std::string("resolution auto"));
        QCOMPARE(m.Games[2].GameModeRefresh, std::string("60"));
        // Of two identical modes the first is chosen.
        Open(1, 1);
        QCOMPARE(d->cmbVideoMode->currentIndex(), 2);
        QCOMPARE(Box(*d), QStringLiteral("resolution 320x240\nror 1"));
    }

    void modeMissingFromTheListFallsBackToAuto() {
        Open(1, 5);
        QCOMPARE(d->cmbVideoMode->currentIndex(), 0);
        QCOMPARE(m.Games[5].GameINIText, std::string("resolution auto|ror 1"));
        QCOMPARE(m.Games[5].GameModeWidth, std::string("1024"));
        QCOMPARE(m.Games[5].GameModeHeight, std::string("768"));
        QCOMPARE(m.Games[5].GameModeRefresh, std::string("??"));
        // An empty mode list offers only the emulator's choice.
        m.AvailModes.Clear();
        Open(1, 1);
        QCOMPARE(d->cmbVideoMode->count(), 1);
        QCOMPARE(m.Games[1].GameINIText, std::string("resolution auto|ror 1"));
    }

    void cancelKeepsOnlyTheRewriteOfOpening() {
        Open(1, 6);
        QCOMPARE(d->cmbVideoMode->currentIndex(), 1);
        d->cmbVideoMode->setCurrentIndex(4);
        d->txtINIFileDetails->setPlainText(QStringLiteral("typed|nonsense"));
        d->cmdCancel->click();
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QCOMPARE(m.Games[6].GameINIText, std::string("resolution 640x480|ror 1"));
        QCOMPARE(m.Games[6].GameModeWidth, std::string("640"));
        QCOMPARE(m.Games[6].GameModeRefresh, std::string("60.000000"));
        QVERIFY(d->ChangedGames().empty());
    }

    void notFoundOpeningRewritesItsTextToo() {
        m.S.NotFoundWidth = "800";
        m.S.NotFoundHeight = "600";
        m.S.NotFoundRefresh = "56";
        m.S.NotFoundINIText = "resolution auto|rol 1";
        m.SettingsScope = 2;
        d->Form_Activate(0, {});
        QCOMPARE(d->cmbVideoMode->currentIndex(), 4);
        QCOMPARE(m.S.NotFoundINIText, std::string("resolution 800x600|rol 1"));
    }

    void scopeOptionsFollowTheOpener() {
        const QList<QRadioButton*> all = {d->optThisGameOnly, d->optVideoMode, d->optOrientation, d->optAllGames};
        Open(0, 1);
        QVERIFY(d->optVideoMode->isChecked());
        d->optAllGames->setChecked(true);
        m.SettingsScope = 2;
        d->Form_Activate(0, {});
        for (QRadioButton* o : all) QVERIFY(!o->isEnabled());
        QVERIFY(d->optAllGames->isChecked()); // the selection is left as it was
        Open(1, 1);
        for (QRadioButton* o : all) QVERIFY(o->isEnabled());
        QVERIFY(d->optThisGameOnly->isChecked());
        m.SettingsScope = 2;
        d->Form_Activate(0, {});
        Open(0, 1);
        for (QRadioButton* o : all) QVERIFY(o->isEnabled());
        QVERIFY(d->optVideoMode->isChecked());
    }

    void changingTheModeRewritesOnlyTheResolutionLine() {
        Open(1, 1);
        d->txtINIFileDetails->setPlainText(QStringLiteral("\n\nror 1\n\n   \nresolution 320x240\nsound none\n\n"));
        d->cmbVideoMode->setCurrentIndex(4);
        QCOMPARE(Box(*d), QStringLiteral("ror 1\n   \nresolution 800x600\nsound none"));
        d->cmbVideoMode->setCurrentIndex(0);
        QCOMPARE(Box(*d), QStringLiteral("ror 1\n   \nresolution auto\nsound none"));
        QCOMPARE(m.Games[1].GameINIText, std::string("resolution 320x240|ror 1")); // untouched until OK
        QCOMPARE(m.Games[1].GameModeWidth, std::string("320"));
    }

    void refillingAReusedDialogShowsTheStoredText() {
        Open(1, 1);
        d->cmbVideoMode->setCurrentIndex(4);
        d->txtINIFileDetails->setPlainText(QStringLiteral("left over\nresolution 800x600"));
        Open(1, 3);
        QCOMPARE(d->cmbVideoMode->currentIndex(), 0);
        QCOMPARE(Box(*d), QStringLiteral("resolution auto\nror 1"));
        Open(1, 1);
        QCOMPARE(Box(*d), QStringLiteral("resolution 320x240\nror 1"));
    }

    void okAppliesToTheChosenScope_data() {
        QTest::addColumn<int>("scope");
        QTest::addColumn<QString>("option");
        QTest::addColumn<std::vector<int>>("changed");
        QTest::newRow("selected game") << 1 << "optThisGameOnly" << std::vector<int>{1};
        QTest::newRow("native mode: the shown games") << 0 << "optVideoMode" << std::vector<int>{1, 2};
        QTest::newRow("orientation") << 1 << "optOrientation" << std::vector<int>{1, 2, 6};
        QTest::newRow("all games") << 1 << "optAllGames" << std::vector<int>{1, 2, 3, 4, 5, 6};
    }
    void okAppliesToTheChosenScope() {
        QFETCH(int, scope);
        QFETCH(QString, option);
        QFETCH(std::vector<int>, changed);
        Open(scope, 1);
        const Model before = m;
        d->findChild<QRadioButton*>(option)->setChecked(true);
        d->cmbVideoMode->setCurrentIndex(4);
        d->cmdOK->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(d->ChangedGames(), changed);
        for (int g = 1; g <= m.Games.Count(); ++g) {
            const bool inScope = std::find(changed.begin(), changed.end(), g) != changed.end();
            const GameRow& now = m.Games[g];
            const GameRow& was = before.Games[g];
            QCOMPARE(now.GameModeWidth, inScope ? std::string("800") : was.GameModeWidth);
            QCOMPARE(now.GameModeRefresh, inScope ? std::string("56") : was.GameModeRefresh);
            QCOMPARE(now.GameINIText, inScope ? std::string("resolution 800x600|ror 1") : was.GameINIText);
        }
    }

    void okStoresTheBoxNormalised() {
        // A typed resolution line gives way to the selected entry.
        Open(1, 1);
        d->cmbVideoMode->setCurrentIndex(1);
        d->txtINIFileDetails->setPlainText(QStringLiteral("resolution 800x600\nror 1"));
        d->cmdOK->click();
        QCOMPARE(m.Games[1].GameINIText, std::string("resolution 640x480|ror 1"));
        QCOMPARE(m.Games[1].GameModeRefresh, std::string("60.000000"));
        // A deleted resolution line comes back in front; blank lines vanish.
        Open(1, 1);
        d->txtINIFileDetails->setPlainText(QStringLiteral("\nror 1\n\n\nsound none\n"));
        d->cmdOK->click();
        QCOMPARE(m.Games[1].GameINIText, std::string("resolution 640x480|ror 1|sound none"));
        // "(Let MAME Decide)" clears the chosen mode.
        Open(1, 1);
        d->cmbVideoMode->setCurrentIndex(0);
        d->cmdOK->click();
        QCOMPARE(m.Games[1].GameModeWidth, std::string("???"));
        QCOMPARE(m.Games[1].GameModeHeight, std::string("???"));
        QCOMPARE(m.Games[1].GameModeRefresh, std::string("??"));
        QCOMPARE(m.Games[1].GameINIText, std::string("resolution auto|ror 1|sound none"));
    }

    void okWithTheNotFoundEntryTouchesNoGame() {
        Open(1, 1);
        d->optAllGames->setChecked(true); // scope options are not consulted for the entry
        const Model before = m;
        m.SettingsScope = 2;
        d->Form_Activate(0, {});
        d->cmbVideoMode->setCurrentIndex(5);
        d->txtINIFileDetails->setPlainText(QStringLiteral("rol 1\n\n"));
        d->cmdOK->click();
        QCOMPARE(m.S.NotFoundWidth, std::string("640"));
        QCOMPARE(m.S.NotFoundHeight, std::string("480"));
        QCOMPARE(m.S.NotFoundRefresh, std::string("57.524"));
        QCOMPARE(m.S.NotFoundINIText, std::string("resolution 640x480|rol 1"));
        QVERIFY(d->ChangedGames().empty());
        for (int g = 1; g <= m.Games.Count(); ++g) QCOMPARE(m.Games[g].GameINIText, before.Games[g].GameINIText);
    }

    void editRunsModally() {
        m.SettingsScope = 1;
        bool shown = false;
        QTimer::singleShot(0, d.get(), [this, &shown] {
            shown = d->isVisible();
            d->cmbVideoMode->setCurrentIndex(4);
            d->cmdOK->click();
        });
        QCOMPARE(d->Edit(2, kShown), std::vector<int>{2});
        QVERIFY(shown);
        QCOMPARE(m.Games[2].GameINIText, std::string("resolution 800x600"));

        // The close box applies nothing, like Cancel; the refill of the second showing stays.
        QTimer::singleShot(0, d.get(), [this] {
            d->cmbVideoMode->setCurrentIndex(0);
            d->close();
        });
        QVERIFY(d->Edit(6, kShown).empty());
        QCOMPARE(m.Games[6].GameModeWidth, std::string("640"));
        QCOMPARE(m.Games[6].GameINIText, std::string("resolution 640x480|ror 1"));

        // Without a selected game there is nothing to edit: no dialog at all.
        shown = false;
        QTimer::singleShot(0, d.get(), [this, &shown] {
            shown = d->isVisible();
            d->close();
        });
        QVERIFY(d->Edit(0, {}).empty());
        QTest::qWait(10);
        QVERIFY(!shown);
    }
};

QTEST_MAIN(tst_frmSettings)
#include "tst_frmSettings.moc"
