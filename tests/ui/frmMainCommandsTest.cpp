// The main window's commands: the available mode list (Delete, the 60 Hz filter, the file), the
// automatic selection and its progress window, INI generation and reading back, Find, the
// settings dialog's openers, the emulator's paths and the test run.
#include "../gamelist/GamelistFixtures.h"
#include "MainWindowFixture.h"
#include "ui/frmGenerateINIs.h"
#include "ui/frmImportModes.h"
#include "ui/frmProgress.h"
#include "ui/frmSettings.h"
#include "ui/frmSummary.h"

using gamelist_test::Machine;
using kelvaro::frmGenerateINIs;
using kelvaro::frmMain;
using kelvaro::frmSettings;
using Icon = kelvaro::Dialogs::Icon;
using Answer = kelvaro::Dialogs::Answer;
using F = MainWindowFixture;
namespace fs = std::filesystem;

namespace {

// A game's name as its INI file and the emulator get it: the game list's spelling on Windows, the
// emulator's lower case elsewhere.
QString Spelled(const char* lowerCase) {
#ifdef _WIN32
    return QString(lowerCase).toUpper();
#else
    return lowerCase;
#endif
}

// Opens a list's context menu on a row, as a right-click does (or at the selected row, as the menu
// key does), and picks the item `pick` there.
void ContextMenu(const F& f, const QString& list, int row, const QString& pick, bool key = false) {
    QTableView* view = f.List(list);
    const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
    QTimer::singleShot(0, [&f, pick] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            menu->close();
            f.Item(pick)->trigger();
        }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    key ? QTest::keyClick(view, Qt::Key_Menu) : (void)QApplication::sendEvent(view->viewport(), &event);
}

// The games Auto-Select gives a mode.
int GamesWithAMode(F& f) {
    f.Dialogs.asks = {true};
    f.Item("mnuAutoSelect")->trigger();
    int games = 0;
    for (int g = 1; g <= f.Model.Games.Count(); ++g) games += f.Model.Games[g].GameModeWidth != "???";
    return games;
}

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT
public slots:
    void openUrl(const QUrl& url) { opened << url.toLocalFile(); }

public:
    QStringList opened;

private slots:
    void theAvailableModeList() {
        F f;
        f.StartSample();
        f.Dialogs.asks = {false, true};
        f.Button("cmd60Hz")->click();
        QCOMPARE(f.List("lvwAVGA")->model()->rowCount(), 4); // No keeps every mode
        f.Button("cmd60Hz")->click();
        const QString question =
            "This will remove all non-60Hz modes from the available mode list.  A better solution may be to use the "
            "'Video Mode Selection' > 'Match Refresh Rate Within' option to match up refresh rates as well as "
            "resolutions.  Are you sure you want to continue?";
        QCOMPARE(f.Dialogs.Texts(), QStringList({question, question}));
        QCOMPARE(f.Dialogs.shown[0].icon, Icon::Question);
        QCOMPARE(f.Column("lvwAVGA", 0) + f.Column("lvwAVGA", 1),
                 QStringList({"1", "2", "3", "288 x 224 @ 60Hz", "320 x 224 @ 60Hz", "320 x 240 @ 60Hz"}));

        // Delete (or Backspace) removes the selected mode; the rest are numbered afresh.
        QTest::keyClick(f.List("lvwAVGA"), Qt::Key_Delete);
        QCOMPARE(f.Column("lvwAVGA", 0) + f.Column("lvwAVGA", 1),
                 QStringList({"1", "2", "320 x 224 @ 60Hz", "320 x 240 @ 60Hz"}));
        QCOMPARE(f.SelectedRow("lvwAVGA"), 0);
        QTest::keyClick(f.List("lvwAVGA"), Qt::Key_Down);
        QTest::keyClick(f.List("lvwAVGA"), Qt::Key_Backspace);
        QCOMPARE(f.Column("lvwAVGA", 1), QStringList{"320 x 224 @ 60Hz"});
        for (int i = 0; i < 2; ++i) QTest::keyClick(f.List("lvwAVGA"), Qt::Key_Delete); // the second on an empty list
        QVERIFY(f.Model.AvailModes.Empty() && !f.Button("cmd60Hz")->isEnabled());
        QCOMPARE(f.Dialogs.shown.size(), size_t(2));

        // Choosing the file: cancelled, or a name that exists nowhere, keeps the setting and reads its
        // file again; a file chosen is read at once.
        const std::string other = f.Dir.Write("card.txt", ModeList({"1024 768 60Hz"}));
        f.Dialogs.answers = {std::nullopt, QString::fromStdString(f.Dir.File("missing.txt")),
                             QString::fromStdString(other)};
        for (int i = 0; i < 2; ++i) f.Item("mnuAVGAFName")->trigger();
        QCOMPARE(f.Model.Config.ModeListFile, f.Dir.File("avga9200.txt"));
        QCOMPARE(f.List("lvwAVGA")->model()->rowCount(), 4);
        QVERIFY(f.Button("cmd60Hz")->isEnabled());
        f.Item("mnuAVGAFName")->trigger();
        QCOMPARE(f.Column("lvwAVGA", 1), QStringList{"1024 x 768 @ 60Hz"});
        QCOMPARE(f.Dialogs.shown.back().Parts(),
                 QStringList({"Select Mode List (.txt) File Location", "Text Files (*.txt)", "avga9200.txt"}));
        // A refresh that finds nothing empties the list, and the button follows it.
        f.Dir.Write("card.txt", ModeList({}));
        f.Item("mnuRefreshAVGA")->trigger();
        QCOMPARE(f.List("lvwAVGA")->model()->rowCount(), 0);
        QVERIFY(!f.Button("cmd60Hz")->isEnabled());
    }

    void importingAModeList() {
        F f;
        f.StartSample();
        const std::string modes = f.Dir.Write("modes.txt", "640x480@60\n720x480i@60\nbad line\n");
        const std::string current = f.Model.Config.ModeListFile, before = TempDir::Read(current);
        auto import = [&f, &modes](const std::string& target) {
            f.Dialogs.answers = {QString::fromStdString(modes), QString::fromStdString(target)};
            AnswerModal<kelvaro::frmImportModes> answer([](kelvaro::frmImportModes& d) {
                Button(d, "cmdFile")->click();
                QCOMPARE(Child<QPlainTextEdit>(d, "txtNotes")->toPlainText(), "line 3: not a mode: bad line");
                Button(d, "cmdSave")->click();
            });
            f.Item("mnuImportModes")->trigger();
            QVERIFY(answer.met);
        };
        // Saving over the list in use asks first, and No keeps it.
        import(current);
        QCOMPARE(f.Dialogs.shown.back().text, "This will replace the mode list in use (" +
                                                  QString::fromStdString(current) +
                                                  ") with the imported modes.  Are you sure you want to continue?");
        QCOMPARE(TempDir::Read(current), before);
        // Another file is written, becomes the list in use and is read; "Interlaced" follows the markers.
        import(f.Dir.File("imported.txt"));
        QCOMPARE(f.Model.Config.ModeListFile, f.Dir.File("imported.txt"));
        QCOMPARE(f.Column("lvwAVGA", 1) + f.Column("lvwAVGA", 2),
                 QStringList({"640 x 480 @ 60Hz", "720 x 480 @ 60Hz", "No", "Yes"}));
    }

    // View > Selection Summary: the modes worth adding come unticked, with their line rates; the
    // ticked ones go to a new mode list, which becomes the list in use, and Auto-Select runs on it
    // when the user says so. The list they were made from never changes.
    void selectionSummaryAddsModesToANewList() {
        F f;
        f.StartSample();
        f.WriteModeList({ModeLine(256, 224, "57")}); // too slow for every game
        f.Item("mnuRefreshAVGA")->trigger();
        const std::string current = f.Model.Config.ModeListFile, before = TempDir::Read(current);
        const int withModeBefore = GamesWithAMode(f);
        QStringList first;
        auto open = [&f, &first](const std::string& target) {
            f.Dialogs.answers = {QString::fromStdString(target)};
            AnswerModal<kelvaro::frmSummary> answer([&first](kelvaro::frmSummary& d) {
                auto* modes = Child<QTreeWidget>(d, "lvwSuggestions");
                first = QStringList{modes->topLevelItem(0)->text(0), modes->topLevelItem(0)->text(1),
                                    modes->topLevelItem(0)->text(2)};
                bool ticked = false;
                for (int k = 0; k < modes->topLevelItemCount(); ++k)
                    ticked = ticked || modes->topLevelItem(k)->checkState(0) == Qt::Checked;
                QVERIFY(!ticked && !Button(d, "cmdAddModes")->isEnabled());
                modes->topLevelItem(0)->setCheckState(0, Qt::Checked);
                Button(d, "cmdAddModes")->click();
            });
            f.Item("mnuSummary")->trigger();
            QVERIFY(answer.met && first[0].endsWith("Hz") && first[1].endsWith(" kHz") && first[2].toInt() > 0);
        };
        open(current);
        QCOMPARE(f.Dialogs.shown.back().text, "The new mode list must be another file than the mode list in use (" +
                                                  QString::fromStdString(current) + "), which stays as it is.");
        f.Dialogs.asks = {true};
        open(f.Dir.File("more.txt"));
        QCOMPARE(f.Dialogs.shown.back().text,
                 "1 mode(s) were added to the new mode list " + QString::fromStdString(f.Dir.File("more.txt")) +
                     ", which is now the mode list in use.  Run Auto-Select again with the new list?  It replaces "
                     "the modes chosen so far (not the INI files).");
        QCOMPARE(TempDir::Read(current), before);
        QCOMPARE(f.Model.Config.ModeListFile, f.Dir.File("more.txt"));
        QCOMPARE(f.Column("lvwAVGA", 1), QStringList({"256 x 224 @ 57Hz", first[0]}));
        // Auto-Select ran on the new list: the first suggestion's count is what it added.
        int withMode = 0;
        for (int g = 1; g <= f.Model.Games.Count(); ++g) withMode += f.Model.Games[g].GameModeWidth != "???";
        QCOMPARE(QString::number(withMode - withModeBefore), first[2]);
    }

    void autoSelectTwiceOnAVerticalMonitorLeavesOneRotationLine() {
        F f;
        frmMain& w = f.StartSample();
        f.Item("mnuOrientation", 1)->trigger();
        f.Dialogs.asks = {false, true, true};
        for (int run = 0; run < 3; ++run) {
            f.Item("mnuAutoSelect")->trigger();
            if (run == 0) QCOMPARE(f.Model.Games[1].GameINIText, "resolution auto"); // No changes nothing
        }
        QCOMPARE(f.Dialogs.Texts(), QStringList(3, "This will override any existing INI file settings (not the actual "
                                                   "INI files).  Are you sure you want to continue?"));
        QCOMPARE(f.Dialogs.shown[0].icon, Icon::Warning);
        // Galaga turned on its side: its 224 columns become the mode's height.
        f.ClickRow("lvwMain", F::kGalagaMode);
        QCOMPARE(f.Cell("lvwGames", 0, 3), "288 x 224 @ 60Hz");
        QCOMPARE(f.Column("lvwGames", 4), QStringList(3, "resolution 288x224|ror 1"));
        QVERIFY(w.isEnabled());
    }

    void progressWindowDisablesTheMainWindow() {
        F f;
        frmMain& w = f.Start();
        kelvaro::frmProgress& p = w.Progress();
        p.Begin("Reading Game Info from M.A.M.E....", -1);
        QVERIFY(p.isVisible() && Child<QProgressBar>(p, "prgMain")->isHidden() && !w.isEnabled());
        QCOMPARE(Child<QLabel>(p, "lblMessage")->text(), "Reading Game Info from M.A.M.E....");
        QCOMPARE(w.cursor().shape(), Qt::WaitCursor);
        QVERIFY(!w.close()); // not while an operation runs, and nothing is asked
        QVERIFY(f.Dialogs.shown.empty());
        p.End();
        QVERIFY(!p.isVisible() && w.isEnabled() && w.cursor().shape() == Qt::ArrowCursor);
    }

    // While the emulator writes its list slowly, the bar counts the games written against the
    // previous list's six, then, without a previous list, counts on with the number as its text.
    // A click and a key press made meanwhile are dropped; afterwards the window takes them again.
    void retrievalCountsTheGamesAndDropsInput() {
        F f;
        frmMain& w = f.StartSample();
        const std::string screen = "type=\"raster\" width=\"288\" height=\"224\" refresh=\"60\"";
        f.Model.Config.MameExePath = gamelist_test::FakeEmulator(
            f.Dir,
            {gamelist_test::kXmlHead, Machine("galaga", screen), Machine("pacman", screen),
             Machine("outrun", "type=\"raster\" width=\"320\" height=\"224\" refresh=\"60\""), "</mame>\n"},
            0.3);
        QStringList seen;     // what the bar showed while retrieving, each change once
        bool offered = false; // the emulator writes often enough: nothing offers to end it
        QTimer sample;
        connect(&sample, &QTimer::timeout, [&] {
            if (auto* end = w.findChild<QPushButton*>("cmdEnd")) offered = offered || end->isVisible();
            auto* bar = w.findChild<QProgressBar*>("prgMain");
            if (!bar || !bar->isVisible() || !w.findChild<QLabel*>("lblMessage")->text().startsWith("Retrieving"))
                return;
            const QString now =
                bar->maximum() > 0 ? QString("%1/%2").arg(bar->value()).arg(bar->maximum()) : bar->text();
            if (seen.isEmpty() || seen.last() != now) seen << now;
            if (now != "1/6") return;
            f.ClickRow("lvwMain", 1);
            QTest::keyClick(f.List("lvwMain"), Qt::Key_Down);
        });
        sample.start(10);
        f.Dialogs.asks = {true, true};
        f.Item("mnuGenerate")->trigger();
        QCOMPARE(seen, QStringList({"0/6", "1/6", "2/6", "3/6"}));
        QCOMPARE(f.SelectedRow("lvwMain"), 0);
        QCOMPARE(f.Dialogs.shown.size(), 1); // the question alone

        seen.clear();
        fs::remove(f.Dir.File("mame.dat"));
        f.Item("mnuGenerate")->trigger();
        QCOMPARE(seen, QStringList({"0", "1", "2", "3"}));
        sample.stop();
        QVERIFY(!offered);
        f.ClickRow("lvwMain", 1);
        QCOMPARE(f.SelectedRow("lvwMain"), 1);
    }

    // An emulator that hangs after its list's head: once it has been silent for the quiet time the
    // progress window offers to end it, and a click there does, though the window takes no other
    // input meanwhile. The previous list stays, and the message says why.
    void anEmulatorThatHangsIsEndedFromTheProgressWindow() {
        F f;
        frmMain& w = f.StartSample();
        const std::string before = TempDir::Read(f.Dir.File("mame.dat"));
        // Silent long enough to fail the test, not to hang it, when nothing ends the emulator.
        f.Model.Config.MameExePath = gamelist_test::FakeEmulator(f.Dir, {gamelist_test::kXmlHead}, 20);
        w.SetEmulatorQuietTime(std::chrono::milliseconds(300));
        QString why;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            auto* end = w.findChild<QPushButton*>("cmdEnd");
            if (!end || !end->isVisible() || !end->isEnabled()) return;
            why = w.findChild<QLabel*>("lblWhy")->text() + "|" + end->text();
            QTest::mouseClick(end, Qt::LeftButton);
        });
        watch.start(20);
        f.Dialogs.asks = {true};
        f.Item("mnuGenerate")->trigger();
        watch.stop();
        QCOMPARE(why, "M.A.M.E. has written nothing for 300 ms.|End the Emulator");
        QCOMPARE(f.Dialogs.Texts().last(), "The game list could not be retrieved: M.A.M.E. was ended on request after "
                                           "it had written nothing for 300 ms.  The previous list is kept.");
        QCOMPARE(TempDir::Read(f.Dir.File("mame.dat")), before);
        QCOMPARE(f.List("lvwMain")->model()->rowCount(), 4);
        QVERIFY(w.isEnabled() && w.findChild<QPushButton*>("cmdEnd")->isHidden());
    }

    // The data tag says what the scope dialog is answered and whether a file cannot be written.
    void generation_data() {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("messages"); // %1 the INI folder
        const QString question = "This will create the required INI file(s) (in the folder %1), overwriting any "
                                 "existing file(s).  Are you sure you want to continue?";
        QTest::newRow("Yes writes every game's file")
            << true << QStringList{question, "INI Files Successfully Created!\n\nWritten: 6\nFailed: 0"};
        QTest::newRow("No writes nothing") << false << QStringList{question};
        QTest::newRow("Cancel in the scope dialog") << true << QStringList{};
        const QString failure = "1 INI file(s) could not be written (in the folder %1): MSPACMAN.  5 file(s) were "
                                "written.\n\nWritten: 5\nFailed: 1";
        QTest::newRow("a file that cannot be written is never a success") << true << QStringList{question, failure};
        QTest::newRow("a file that appeared after reading back is kept") << true << QStringList{question, failure};
    }
    void generation() {
        QFETCH(bool, answer);
        QFETCH(QStringList, messages);
        const bool cancel = QString(QTest::currentDataTag()).startsWith("Cancel");
        F f;
        frmMain& w = f.StartSample();
        if (QString(QTest::currentDataTag()).contains("cannot")) fs::create_directory(f.Dir.File("ini/mspacman.ini"));
        const bool kept = QString(QTest::currentDataTag()).contains("kept");
        if (kept) f.Dir.Write("ini/mspacman.ini", "user\r\n");
        f.Dialogs.asks = {answer};
        f.Model.Config.GenerateAvailableOnly = f.Model.Config.GenerateParentsOnly = false; // no filter
        AnswerModal<frmGenerateINIs> scope([&](frmGenerateINIs& d) {
            if (cancel) return Button(d, "cmdCancel")->click();
            Child<QRadioButton>(d, "optApplyto_3")->setChecked(true);
            Button(d, "cmdOK")->click();
        });
        f.Item("mnuGenerateINIs")->trigger();
        QVERIFY(scope.met);
        messages.replaceInStrings("%1", QString::fromStdString(f.Ini));
        QCOMPARE(f.Dialogs.Texts(), messages);
        for (const auto& shown : f.Dialogs.shown)
            QCOMPARE(shown.icon, shown.text.startsWith("INI Files") ? Icon::Information : Icon::Warning);
        QCOMPARE(QDir(QString::fromStdString(f.Ini)).count() - 2, messages.size() > 1 ? 6u : 0u);
        if (messages.size() > 1) QCOMPARE(TempDir::Read(f.Dir.File("ini/galaga.ini")), "resolution auto\r\n");
        if (kept) QCOMPARE(TempDir::Read(f.Dir.File("ini/mspacman.ini")), "user\r\n");
        // A run that reached its report counts as generated: closing asks nothing then.
        QCOMPARE(f.Model.INIsGenerated, messages.size() > 1);
        QCOMPARE(f.Find<QLabel>("stbPanel3")->text(), messages.size() < 2             ? ""
                                                      : messages[1].startsWith("INI") ? "6 written"
                                                                                      : "5 written; 1 failed");
        QVERIFY(w.isEnabled());
    }

    void generationOffersToReadAgainAFileChangedSinceRead() {
        F f;
        f.StartSample();
        f.Dir.Write("ini/mspacman.ini", "user\r\n");
        f.Dialogs.asks = {true, true, true}; // read the folder, generate, read it again
        f.Item("mnuReadINIs")->trigger();
        f.Dir.Write("ini/mspacman.ini", "user\r\nadded in an editor\r\n");
        f.Model.Config.GenerateAvailableOnly = f.Model.Config.GenerateParentsOnly = false;
        AnswerModal<frmGenerateINIs> scope([&](frmGenerateINIs& d) {
            Child<QRadioButton>(d, "optApplyto_3")->setChecked(true);
            Button(d, "cmdOK")->click();
        });
        f.Item("mnuGenerateINIs")->trigger();
        QVERIFY(scope.met);
        const QStringList texts = f.Dialogs.Texts();
        QCOMPARE(texts.size(), 4);
        QVERIFY(texts[2].startsWith("1 INI file(s) could not be written"));
        QCOMPARE(texts[3], "1 INI file(s) changed since Kelvaro read them and were left as they are.  Read the INI "
                           "folder again now?");
        QCOMPARE(TempDir::Read(f.Dir.File("ini/mspacman.ini")), "user\r\nadded in an editor\r\n");
        bool reread = false;
        for (int i = 1; i <= f.Model.Games.Count(); ++i)
            if (f.Model.Games[i].GameINIText.find("added in an editor") != std::string::npos) reread = true;
        QVERIFY(reread);
    }

    // Gallag, a clone, set up by hand: "Parent Romsets Only" (on by default) would leave it out, so
    // generation offers to write it too, and closing offers to write what is still unwritten.
    // Auto-Select is no setting made by hand, and reading the INI files back leaves none unwritten.
    void settingsMadeByHandAreNotLeftOutUnasked() {
        F f;
        frmMain& w = f.StartSample({.GenerateApplyTo = kelvaro::GenerateScope::AllGames});
        f.Dialogs.asks = {true};
        f.Item("mnuAutoSelect")->trigger();
        QCOMPARE(f.Find<QLabel>("stbPanel3")->text(), "Auto-Select: 6 games, 1 given a mode, 5 left to M.A.M.E.");
        f.ClickRow("lvwMain", F::kGalagaMode);
        auto edit = [&f](int row, int mode) {
            AnswerModal<frmSettings> answer([mode](frmSettings& d) {
                Child<QComboBox>(d, "cmbVideoMode")->setCurrentIndex(mode);
                Button(d, "cmdOK")->click();
            });
            f.ClickRow("lvwGames", row);
            f.ClickRow("lvwGames", row, true);
            QVERIFY(answer.met);
        };
        auto generate = [&f](Answer answer) {
            f.Dialogs.shown.clear();
            f.Dialogs.choices = {answer};
            f.Dialogs.asks = {true};
            AnswerModal<frmGenerateINIs> scope([](frmGenerateINIs& d) { Button(d, "cmdOK")->click(); });
            f.Item("mnuGenerateINIs")->trigger();
            return f.Dialogs.Texts();
        };
        const QString ini = QString::fromStdString(f.Ini);
        const QString offer = "The filters leave out 1 game whose settings you changed since the INI files were last "
                              "generated: GALLAG.  Generate their INI file(s) too?\n\nYes: generate them too.  No: "
                              "generate as the filters say.  Cancel: generate nothing.";
        const QString overwrite = "This will create the required INI file(s) (in the folder " + ini +
                                  "), overwriting any existing file(s).  Are you sure you want to continue?";
        const QString done = "INI Files Successfully Created!\n\nWritten: %1\n%2Left out by Available Games Only: "
                             "none, no ROM folder is chosen\nLeft out by Parent Romsets Only: %3\nFailed: 0";
        const std::string gallag = f.Dir.File("ini/" + Spelled("gallag").toStdString() + ".ini");
        edit(2, 3); // 320 x 240
        QCOMPARE(generate(Answer::Cancel), QStringList{offer});
        QCOMPARE(generate(Answer::No), QStringList({offer, overwrite, done.arg(5).arg("").arg(1)}));
        QVERIFY(!fs::exists(gallag));
        QCOMPARE(generate(Answer::Yes),
                 QStringList({offer, overwrite,
                              done.arg(6).arg("Written despite the filters (settings changed by hand): 1\n").arg(0)}));
        QVERIFY(TempDir::Read(gallag).starts_with("resolution 320x240\r\n"));
        QCOMPARE(generate(Answer::Yes), QStringList({overwrite, done.arg(5).arg("").arg(1)})); // written: no offer

        // Ms. Pac-Man's setting goes with the reading back; Gallag's, made after it, is asked about.
        edit(1, 2);
        f.Dialogs.asks = {true};
        f.Item("mnuReadINIs")->trigger();
        edit(2, 1); // 288 x 224
        f.Dialogs.shown.clear();
        f.Dialogs.choices = {Answer::Cancel, Answer::Yes};
        f.Item("mnuExit")->trigger();
        QVERIFY(w.isVisible());
        QVERIFY(w.close());
        QCOMPARE(f.Dialogs.Texts(),
                 QStringList(2, "The settings of 1 game (GALLAG) were changed since the INI files were last generated "
                                "and are not in their INI file(s) yet.  Generate their INI file(s) (in the folder " +
                                    ini +
                                    ") before exiting?\n\nYes: generate them, then exit.  No: exit without them.  "
                                    "Cancel: stay."));
        QVERIFY(TempDir::Read(gallag).starts_with("resolution 288x224\r\n"));
    }

    void readingINIFilesAsksAndShowsWhatWasRead() {
        F f;
        f.StartSample();
        f.ClickRow("lvwMain", F::kGalagaMode);
        f.Dir.Write("ini/galaga.ini", "resolution 320x240\nthrottle 1\n");
        f.Dialogs.asks = {false, true};
        f.Item("mnuReadINIs")->trigger();
        QCOMPARE(f.Cell("lvwGames", 0, 4), "resolution auto");
        f.Item("mnuReadINIs")->trigger();
        const QString question =
            "Reading existing INI files will lose any settings made.  Are you sure you want to continue?";
        QCOMPARE(f.Dialogs.Texts(), QStringList({question, question}));
        QCOMPARE(f.Dialogs.shown[0].icon, Icon::Warning);
        QCOMPARE(f.Cell("lvwGames", 0, 3) + "|" + f.Cell("lvwGames", 0, 4),
                 "320 x 240 @ 60Hz|resolution 320x240|throttle 1");
    }

    void find() {
        F f;
        frmMain& w = f.StartSample();
        f.ClickRow("lvwMain", F::kOutRunMode);
        f.Dialogs.answers = {"  xyz  ", " gallag "};
        QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(f.Dialogs.shown.at(0).Parts(),
                 QStringList({"Enter game Description or Romname to find:", "Find Game", ""}));
        QCOMPARE(f.Dialogs.shown.at(1).text, "Game 'XYZ' not found.");
        QCOMPARE(f.Dialogs.shown[1].icon, Icon::Warning);
        QCOMPARE(w.SelectedGame(), 5);
        // Found: its mode, then its row are selected, the Test button names it and the list has the focus.
        f.Item("mnuFind")->trigger();
        QCOMPARE(f.Dialogs.shown.size(), size_t(3));
        QCOMPARE(w.SelectedGame(), 3);
        QCOMPARE(f.Cell("lvwGames", f.SelectedRow("lvwGames"), 2), "GALLAG");
        QCOMPARE(f.Button("cmdTestGame")->text(), "&Test 'Gallag'");
        QCOMPARE(QApplication::focusWidget(), f.List("lvwGames"));

        // F3 goes on to the next match, in another mode when need be, and wraps; with no other, it says so.
        QTest::keyClick(&w, Qt::Key_F3);
        QCOMPARE(f.Dialogs.shown.back().text + "|" + QString::number(int(f.Dialogs.shown.back().icon)),
                 "No other game matches 'GALLAG'.|" + QString::number(int(Icon::Information)));
        f.Dialogs.answers = {"pac"}; // Ms. Pac-Man (2) and Pac-Man (4) by their descriptions
        f.Item("mnuFind")->trigger();
        QList<int> found{w.SelectedGame()};
        for (int i = 0; i < 2; ++i) {
            QTest::keyClick(&w, Qt::Key_F3);
            found << f.SelectedRow("lvwMain") << w.SelectedGame();
        }
        QCOMPARE(found, QList<int>({4, F::kGalagaMode, 2, 1, 4}));
        QCOMPARE(f.Button("cmdTestGame")->text(), "&Test 'Pac-Man (Midway)'");
        QCOMPARE(f.Dialogs.shown.size(), size_t(5));
    }

    // The data tag says how the dialog is opened; OK is pressed on its first mode.
    void settingsDialogOpeners_data() {
        QTest::addColumn<int>("scope");
        QTest::addColumn<QString>("modes"); // the games list's Mode column after OK
        const QString mode = "288 x 224 @ 60Hz", none = "(Let MAME Decide)";
        for (const char* how : {"double-click", "Enter", "F2", "Settings in the menu", "the menu key's Settings"}) {
            QTest::addRow("%s on a game", how) << 1 << none + "|" + mode + "|" + none;
            if (how[0] != 'F') QTest::addRow("%s on a native mode", how) << 0 << mode + "|" + mode + "|" + mode;
        }
        QTest::newRow("settings when not found") << 2 << none + "|" + none + "|" + none;
        QTest::newRow("double-click without a selected game") << -1 << none + "|" + none + "|" + none;
    }
    void settingsDialogOpeners() {
        QFETCH(int, scope);
        QFETCH(QString, modes);
        const QString how = QTest::currentDataTag();
        F f;
        f.StartSample();
        f.ClickRow("lvwMain", F::kGalagaMode);
        f.ClickRow("lvwGames", 1); // Ms. Pac-Man
        int shown = -1;            // the scope the dialog showed: its options say which
        AnswerModal<frmSettings> answer([&](frmSettings& d) {
            const QRadioButton* oneGame = Child<QRadioButton>(d, "optThisGameOnly");
            shown = !oneGame->isEnabled() ? 2 : oneGame->isChecked() ? 1 : 0;
            Child<QComboBox>(d, "cmbVideoMode")->setCurrentIndex(1);
            Button(d, "cmdOK")->click();
        });
        const QString list = scope == 1 ? "lvwGames" : "lvwMain";
        const int row = scope == 1 ? 1 : F::kGalagaMode;
        f.List(list)->setFocus();
        if (how.startsWith("double-click on")) f.ClickRow(list, row, true);
        if (how.startsWith("Enter")) QTest::keyClick(f.List(list), Qt::Key_Return);
        if (how.startsWith("F2")) QTest::keyClick(f.List(list), Qt::Key_F2);
        if (how.startsWith("Settings in")) {
            f.ClickRow("lvwGames", 0); // the right-click selects the row it is made on
            ContextMenu(f, list, row, scope ? "mnuGameSettings" : "mnuModeSettings");
        }
        if (how.startsWith("the menu key"))
            ContextMenu(f, list, row, scope ? "mnuGameSettings" : "mnuModeSettings", true);
        if (scope == 2) f.Item("mnuActionNotFound")->trigger();
        if (scope == -1) {
            f.List("lvwGames")->clearSelection();
            for (const char* view : {"lvwGames", "lvwMain"}) QTest::keyClick(f.List(view), Qt::Key_Return);
        }
        QCOMPARE(answer.met, scope >= 0);
        QCOMPARE(shown, scope);
        QCOMPARE(f.Column("lvwGames", 3).join('|'), modes);
    }

    // The tab order, and a game's context menu: Generate INI File writes the selected game's file
    // whatever scope and filters the generation dialog holds, and gives the keyboard back to the
    // list; Test runs the test; Open INI File opens the file once there is one.
    void gameContextMenuAndTabOrder() {
        F f;
        f.StartSample({.GenerateApplyTo = kelvaro::GenerateScope::AllGames});
        f.List("lvwMain")->setFocus();
        QStringList order;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order, QStringList({"lvwGames", "cmdTestGame", "lvwAVGA", "cmd60Hz"}));

        f.ClickRow("lvwMain", F::kGalagaMode);
        f.ClickRow("lvwGames", 2); // Gallag, a clone
        const auto enabled = [&f] {
            f.Open("mnuGamePopup");
            QStringList on;
            for (QAction* item : f.Find<QMenu>("mnuGamePopup")->actions())
                if (item->isEnabled()) on << item->objectName().mid(3);
            return on;
        };
        QCOMPARE(enabled(), QStringList({"GameSettings", "GameTest", "GameGenerateINI"}));
        f.Dialogs.asks = {true, false};
        f.Item("mnuGameGenerateINI")->trigger();
        QCOMPARE(QApplication::focusWidget(), f.List("lvwGames")); // the operation gives the keyboard back
        QVERIFY(f.Dialogs.Texts().first().startsWith("This will create the required INI file(s)"));
        QCOMPARE(f.Dialogs.Texts().last(), "INI Files Successfully Created!\n\nWritten: 1\nFailed: 0");
        QCOMPARE(QDir(QString::fromStdString(f.Ini)).entryList(QDir::Files), QStringList{Spelled("gallag") + ".ini"});
        QVERIFY(f.Model.Config.GenerateApplyTo == kelvaro::GenerateScope::AllGames &&
                f.Model.Config.GenerateParentsOnly);

        f.Model.Config.MameExePath = Standin(f.Dir, "mame", "");
        ContextMenu(f, "lvwGames", 2, "mnuGameTest");
        QVERIFY(f.Dialogs.shown.back().text.startsWith("This will run M.A.M.E. with the current settings"));
        QCOMPARE(enabled().last(), "GameOpenINI");
        const std::string gallag = f.Dir.File("ini/" + Spelled("gallag").toStdString() + ".ini");
#ifdef _WIN32
        QDesktopServices::setUrlHandler("file", this, "openUrl");
        ContextMenu(f, "lvwGames", 2, "mnuGameOpenINI");
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(opened, QStringList{QDir::fromNativeSeparators(QString::fromStdString(gallag))});
#else
        // The desktop's opener, here one that names the file and finds no program for it.
        const std::string bin = f.MakeFolder("bin");
        const std::string opener =
            f.Dir.Write("bin/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/opened\"\nexit 3\n");
        std::filesystem::permissions(opener, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(bin) + ":" + path);
        ContextMenu(f, "lvwGames", 2, "mnuGameOpenINI");
        qputenv("PATH", path);
        QTRY_COMPARE(f.Dialogs.shown.back().text, "Kelvaro could not open " + QString::fromStdString(gallag) +
                                                      ": no program on this computer opens .ini files.");
        QCOMPARE(TempDir::Read(f.Dir.File("bin/opened")), gallag);
#endif
    }

    void choosingThePaths() {
        F f;
        const std::string emu = f.MakeFolder("emu"), ini = f.MakeFolder("ini"), roms = f.MakeFolder("roms");
        const std::string exe = Standin(f.Dir, "emu/mame", "");
        f.Start();
        // Chosen; then cancelled, or a file nobody may run: nothing changes. (Windows runs what the
        // dialog's *.exe filter lets through: there is no such file there.)
        f.Dialogs.answers = {QString::fromStdString(exe), std::nullopt,
                             QString::fromStdString(f.Dir.Write("emu/notes.txt", "not a program\n"))};
#ifdef _WIN32
        f.Dialogs.answers.pop_back();
#endif
        const std::size_t tries = f.Dialogs.answers.size();
        for (std::size_t i = 0; i < tries; ++i) {
            f.Item("mnuMAMEExe")->trigger();
            QCOMPARE(f.Model.Config.MameExePath + "|" + f.Model.MameFolder(), exe + "|" + emu);
        }
#ifdef _WIN32
        const QString filter = "Executable Files (*.exe)";
#else
        const QString filter = "Executable Files (*)";
#endif
        QCOMPARE(f.Dialogs.shown[0].text + "|" + f.Dialogs.shown[0].title, "Select M.A.M.E. Executable|" + filter);
        QCOMPARE(f.Dialogs.shown.back().preset, QString::fromStdString(exe)); // opens on the one chosen before

        // A cancelled chooser, or a folder that is not there, clears the setting.
        f.Dialogs.shown.clear();
        f.Dialogs.answers = {QString::fromStdString(ini), QString::fromStdString(roms), "",
                             QString::fromStdString(f.Dir.File("gone"))};
        for (const char* item : {"mnuMAMEINIPath", "mnuMAMEROMPath"}) f.Item(item)->trigger();
        QCOMPARE(f.Model.Config.MameINIPath + "|" + f.Model.Config.MameROMPath, ini + "|" + roms);
        QCOMPARE(f.Dialogs.Texts(), QStringList({"Select M.A.M.E. INI Path", "Select M.A.M.E. ROM Path"}));
        for (const char* item : {"mnuMAMEINIPath", "mnuMAMEROMPath"}) f.Item(item)->trigger();
        QCOMPARE(f.Model.Config.MameINIPath + "|" + f.Model.Config.MameROMPath, "|");
    }

    void testRun() {
        F f;
        frmMain& w = f.StartSample();
        f.Model.Config.MameINIPath.clear();
        // The emulator runs in its own folder: it finds the INI folder there. It has no ROMs, and
        // no settings to show.
        const std::string exe = Standin(f.Dir, "mame",
                                        "when -* exit 0\nnote ran.txt\ncopy ini/$1.ini ran.ini\n"
                                        "to err\nsay g.1 NOT FOUND (tried in galaga)\nexit 2\n");
        f.ClickRow("lvwMain", F::kGalagaMode); // Galaga selected
        f.Button("cmdTestGame")->click();      // no executable: nothing at all
        QVERIFY(f.Dialogs.shown.empty());
        f.Model.Config.MameExePath = exe;
        f.Dialogs.asks = {false, true, true};
        f.Button("cmdTestGame")->click(); // No
        f.Button("cmdTestGame")->click(); // Yes, but there is no INI folder to put the game's file in
        QVERIFY(!fs::exists(f.Dir.File("ran.txt")));
        f.Model.Config.MameINIPath = f.Ini;
        f.Button("cmdTestGame")->click();
        const QString question = "This will run M.A.M.E. with the current settings for this game.  Make sure the video "
                                 "card & monitor connected to this PC can handle the resolution specified!!  Are you "
                                 "sure you want to continue?";
        QCOMPARE(f.Dialogs.Texts(), QStringList({question, question,
                                                 "The test could not be prepared: no INI folder has been chosen "
                                                 "(File > M.A.M.E. INI Path).",
                                                 question, "M.A.M.E. found no ROMs for " + Spelled("galaga") + "."}));
        QCOMPARE(f.Dialogs.shown[2].icon, Icon::Warning);
        // It ran on the selected game with the game's INI file, which is gone again.
        QCOMPARE(TempDir::Read(f.Dir.File("ran.txt")) + TempDir::Read(f.Dir.File("ran.ini")),
                 f.Dir.Path() + "|" + Spelled("galaga").toStdString() + " -verbose\nresolution auto\r\n");
        QVERIFY(fs::is_empty(f.Ini));
        QVERIFY(w.isEnabled());
    }
};

QTEST_MAIN(CommandsTest)
#include "frmMainCommandsTest.moc"
