// The settings dialog on a small hand-made table: filling, pre-selection, the details box, the
// scope options and what OK and Cancel leave in the tables.
#include "ui/frmSettings.h"
#include "MainWindowFixture.h"
#include "modes/AutoSelect.h"
#include "ui/GameListModel.h"
#include "ui/PictureView.h"

using namespace kelvaro;

namespace {

// Games 1 and 2 form the shown native mode (224 x 288 @ 60.606061, vertical); game 3 shares its
// size but not its orientation, so the scopes "native mode" and "orientation" differ.
void Fill(Model& m) {
    for (const AvailModeRow& mode : std::initializer_list<AvailModeRow>{{"640", "480", "60.000000", "No"},
                                                                        {"320", "240", "60", "No"},
                                                                        {"320", "240", "60", "No"},
                                                                        {"800", "600", "56", "Yes"},
                                                                        {"640", "480", "57.524", "No"}})
        m.AvailModes.Add(mode);
    for (const GameRow& game : std::initializer_list<GameRow>{
             {"PACMAN", "PUCKMAN", "Pac-Man (Midway)", "224", "288", "60.606061", "V", "320", "240", "60",
              "resolution 320x240|ror 1"},
             {"PUCKMAN", "", "Puck Man (Japan set 1)", "224", "288", "60.606061", "V", "640", "480", "60",
              "resolution 640x480"},
             {"SIDEWAYS", "", "Sideways", "224", "288", "60.606061", "H", "???", "???", "??", "resolution auto|ror 1"},
             {"ASTEROID", "", "Asteroids (rev 4)", "-", "-", "-", "H"},
             {"ODDONE", "", "Odd One", "256", "224", "60.000000", "", "1024", "768", "??", "resolution 1024x768|ror 1"},
             {"TALL", "", "Tall Game", "240", "320", "60", "V", "640", "480", "60.000000", "resolution auto|ror 1"}})
        m.Games.Add(game);
    m.Config = {.NotFoundWidth = "800",
                .NotFoundHeight = "600",
                .NotFoundRefresh = "56",
                .NotFoundINIText = "resolution auto|rol 1"};
}

const std::vector<int> kShown = {1, 2};

} // namespace

class tst_frmSettings : public QObject {
    Q_OBJECT

    Model m;
    std::unique_ptr<frmSettings> d;

    void Open(int scope, int game) {
        d->Form_Activate(static_cast<SettingsDialogScope>(scope), game, scope == 2 ? std::vector<int>{} : kShown);
    }
    QComboBox* Modes() const { return Child<QComboBox>(*d, "cmbVideoMode"); }
    QPlainTextEdit* Box() const { return Child<QPlainTextEdit>(*d, "txtINIFileDetails"); }

private slots:
    void init() {
        m = Model{};
        Fill(m);
        d = std::make_unique<frmSettings>(m);
    }

    // Each showing fills the mode list afresh (two decimals, interlaced modes marked) and names the game.
    void filling() {
        const QString clone = "Settings for 'Pac-Man (Midway)'|Description: Pac-Man (Midway)|Romname: PACMAN (clone "
                              "of PUCKMAN)|Native Video Mode: 224 x 288 @ 60.606061Hz|Orientation: Vertical";
        const QString vector = "Settings for 'Asteroids (rev 4)'|Description: Asteroids (rev 4)|Romname: ASTEROID|"
                               "Native Video Mode: Vector|Orientation: Horizontal";
        const QString notFound = "Settings when Ideal Mode Not Found|Description: N/A|Romname: N/A|Native Video "
                                 "Mode: N/A|Orientation: N/A";
        for (const auto& [scope, game, texts] : {std::tuple{1, 1, clone}, {1, 4, vector}, {2, 0, notFound}}) {
            Open(scope, game);
            QStringList shown = {d->windowTitle()};
            for (const char* label :
                 {"lblGameDescription", "lblGameRomname", "lblGameNativeVideoMode", "lblGameOrientation"})
                shown << Child<QLabel>(*d, label)->text();
            QCOMPARE(shown, texts.split('|'));
        }
        QStringList entries;
        for (int i = 0; i < Modes()->count(); ++i) entries << Modes()->itemText(i);
        QCOMPARE(entries, (QStringList{"(Let MAME Decide)", "640 x 480 @ 60Hz", "320 x 240 @ 60Hz", "320 x 240 @ 60Hz",
                                       "800 x 600 @ 56Hz i", "640 x 480 @ 57.52Hz"}));
    }

    // Opening pre-selects the entry whose texts equal the stored mode's, and rewrites the stored
    // resolution line at once to match it, with the rate where 640 x 480 is listed at two. 640/480/60
    // matches no listed 60.000000; the not-found entry is game 0.
    void preselection() {
        for (const auto& [game, entry, stored] : {std::tuple{2, 0, QString("resolution auto")},
                                                  {6, 1, QString("resolution 640x480@60|ror 1")},
                                                  {0, 4, QString("resolution 800x600|rol 1")}}) {
            Open(game ? 1 : 2, game);
            QCOMPARE(Modes()->currentIndex(), entry);
            QCOMPARE(game ? m.Games[game].GameINIText : m.Config.NotFoundINIText, stored.toStdString());
            QCOMPARE(Box()->toPlainText(), QString(stored).replace('|', '\n'));
        }
    }

    // Shown modally, and left with Cancel: only the rewrite of the opening stays.
    void cancelling() {
        QTimer::singleShot(0, d.get(), [&] {
            Modes()->setCurrentIndex(4);
            Box()->setPlainText("typed|nonsense");
            Button(*d, "cmdCancel")->click();
        });
        QVERIFY(d->Edit(SettingsDialogScope::OneGame, 6, kShown).empty());
        QCOMPARE(m.Games[6].GameINIText, "resolution 640x480@60|ror 1");
        QCOMPARE(m.Games[6].GameModeWidth, "640");
        Open(1, 6); // shown again, the box holds the stored text
        QCOMPARE(Box()->toPlainText(), "resolution 640x480@60\nror 1");
    }

    // After each opening, the options in order: "+" enabled, "-" not, "*" after the checked one.
    // The selection is left as it was where the options are disabled.
    void scopeOptionsFollowTheOpener() {
        for (const auto& [scope, game, state] :
             {std::tuple{0, 1, "++*++"}, {2, 0, "--*--"}, {1, 1, "+*+++"}, {2, 0, "-*---"}, {0, 1, "++*++"}}) {
            Open(scope, game);
            QString shown;
            for (const char* o : {"optThisGameOnly", "optVideoMode", "optOrientation", "optAllGames"})
                shown += QString(Button(*d, o)->isEnabled() ? "+" : "-") + (Button(*d, o)->isChecked() ? "*" : "");
            QCOMPARE(shown, QString(state));
        }
    }

    void detailsBoxFollowsTheModeAndLosesBlankLinesOnOK() {
        Open(1, 1);
        // A new entry rewrites only the resolution line; empty lines collapse, spaces stay.
        Box()->setPlainText("\n\nror 1\n\n   \nresolution 320x240\nsound none\n\n");
        Modes()->setCurrentIndex(4);
        QCOMPARE(Box()->toPlainText(), "ror 1\n   \nresolution 800x600\nsound none");
        QCOMPARE(m.Games[1].GameINIText, "resolution 320x240|ror 1"); // untouched until OK
        Box()->setPlainText("\nresolution 800x600\n\n\nsound none\n");
        Button(*d, "cmdOK")->click();
        QCOMPARE(m.Games[1].GameINIText, "resolution 800x600|sound none");
        Open(1, 1);
        Modes()->setCurrentIndex(0); // (Let MAME Decide)
        Button(*d, "cmdOK")->click();
        QCOMPARE(m.Games[1].GameModeWidth + " " + m.Games[1].GameINIText, "??? resolution auto|sound none");
    }

    // The drawing follows the mode list and the rotation line in the box; the not-found settings
    // have no game to draw.
    void pictureFollowsTheModeAndTheRotation() {
        m.AvailModes.Add({"288", "224", "60", "No"});
        d = std::make_unique<frmSettings>(m);
        Open(1, 1); // Pac-Man, 224 x 288, "ror 1"
        const auto* view = Child<PictureView>(*d, "picPicture");
        auto figures = [view] {
            const PictureFigures& p = *view->Picture();
            return QString("%1x%2 %3 shown %4x%5 %6+%7 %8+%9 cut %10,%11")
                .arg(p.NativeWidth)
                .arg(p.NativeHeight)
                .arg(p.Turned ? "turned" : "upright")
                .arg(p.ShownWidth)
                .arg(p.ShownHeight)
                .arg(p.LeftColumns)
                .arg(p.RightColumns)
                .arg(p.TopLines)
                .arg(p.BottomLines)
                .arg(p.CutColumns)
                .arg(p.CutLines);
        };
        const auto* label = Child<QLabel>(*d, "lblPicture");
        // The offscreen platform's screen is square: the emulator would take the monitor as square,
        // and a 4:3 mode's pixels as 3/4 as wide as high. Kept at 4:3 in 320 x 240 so.
        QCOMPARE(d->screen()->geometry().size(), QSize(800, 800));
        QCOMPARE(figures(), "288x224 turned shown 320x180 0+0 30+30 cut 0,0");
        QVERIFY(label->text().contains("Aspect kept: stretched to 320 x 180, 1.11 x 0.8 with 30 lines of border"));
        QVERIFY(label->text().contains("Assumed: keepaspect 1, unevenstretch 1"));
        QVERIFY(label->text().contains("the desktop as wide for its height (1) when M.A.M.E. starts as now"));
        Modes()->setCurrentIndex(6);
        QCOMPARE(figures(), "288x224 turned shown 288x168 0+0 28+28 cut 0,0");
        QVERIFY(label->text().contains("exact size"));
        Box()->setPlainText("resolution 288x224"); // no longer turned: 3:4 in 288 x 224
        QCOMPARE(figures(), "224x288 upright shown 216x224 36+36 0+0 cut 0,0");
        Box()->setPlainText("resolution 288x224\nunevenstretch 0"); // whole lines: 288 lines in 224
        QCOMPARE(figures(), "224x288 upright shown 224x288 32+32 0+0 cut 0,64");
        QVERIFY(label->text().contains("Whole lines: not scaled with 32 columns of border left and right, 64 lines "
                                       "cut off"));
        QVERIFY(!label->text().contains("unevenstretch 1"));
        Modes()->setCurrentIndex(0);
        QVERIFY(!view->Picture());
        Open(2, 0);
        QVERIFY(view->isHidden());
    }

    // The reason under the drawing and in the games list's tooltip is the selection's own, with a
    // first line when the game's mode is not the one it chooses.
    void reasonSaysWhereTheModeCameFrom() {
        ProgressSink quiet;
        AutoSelectVideoModes(m, quiet);
        GameListModel list(m);
        list.SetGames({1});
        const QModelIndex mode = list.index(0, GameListModel::ColMode);
        Open(1, 1);
        const QString chosen = Child<QLabel>(*d, "lblReason")->text();
        QVERIFY(chosen.startsWith("Looked for ") && !chosen.contains("Not the mode"));
        QCOMPARE(list.data(mode, Qt::ToolTipRole).toString(), chosen);
        Modes()->setCurrentIndex(4);
        Button(*d, "cmdOK")->click();
        Open(1, 1);
        const QString edited = Child<QLabel>(*d, "lblReason")->text();
        QVERIFY(edited.startsWith("Not the mode Auto-Select chooses now (") && edited.endsWith(chosen));
        QCOMPARE(list.data(mode, Qt::ToolTipRole).toString(), edited);
    }

    // OK with 640 x 480 @ 57.524 chosen: the games changed by each option, and what game 1 and
    // the not-found settings hold after it.
    void okAppliesToTheChosenScope() {
        const std::string changedFirst = "640 57.524 resolution 640x480|ror 1";
        const std::string keptFirst = "320 60 resolution 320x240|ror 1";
        for (const auto& [scope, option, changed] : {std::tuple{1, "optThisGameOnly", QList<int>{1}},
                                                     {0, "optVideoMode", QList<int>{1, 2}}, // the shown games
                                                     {1, "optOrientation", QList<int>{1, 2, 6}},
                                                     {1, "optAllGames", QList<int>{1, 2, 3, 4, 5, 6}},
                                                     {2, "optAllGames", QList<int>{}}}) { // the not-found entry
            init();
            Open(scope, scope == 2 ? 0 : 1);
            Button(*d, option)->setChecked(true);
            Modes()->setCurrentIndex(5);
            Button(*d, "cmdOK")->click();
            QCOMPARE(d->result(), int(QDialog::Accepted));
            QCOMPARE(QList<int>(d->ChangedGames().begin(), d->ChangedGames().end()), changed);
            const GameRow& first = m.Games[1];
            const Settings& s = m.Config;
            QCOMPARE(first.GameModeWidth + " " + first.GameModeRefresh + " " + first.GameINIText,
                     scope == 2 ? keptFirst : changedFirst);
            QCOMPARE(s.NotFoundWidth + " " + s.NotFoundHeight + " " + s.NotFoundRefresh + " " + s.NotFoundINIText,
                     scope == 2 ? "640 480 57.524 resolution 640x480|rol 1" : "800 600 56 resolution auto|rol 1");
        }
    }
};

QTEST_MAIN(tst_frmSettings)
#include "frmSettingsTest.moc"
