// kelvaro-batch run as the real program: what each subcommand prints, the files it writes or leaves
// alone, how it ends, and the usage errors of every subcommand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "../gamelist/GamelistFixtures.h"
#include "BatchRun.h"
#include "Environment.h"
#include "Standin.h"
#include "core/SettingsFile.h"
#include "core/Text.h"
#include "ini/TestRunRecord.h"
#include "platform/Paths.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace gamelist_test;
using namespace kelvaro;
namespace fs = std::filesystem;

namespace {

const std::string kXml =
    XmlList(Machine("puckman", "type=\"raster\" rotate=\"90\" width=\"288\" height=\"224\" refresh=\"60.606061\"") +
            Machine("asteroid", "type=\"vector\" refresh=\"61.523438\""));
const std::string kPuckman = Block("puckman", "puckman game", Raster("224", "288", "60.606061", true));
const std::string kConverted = kPuckman + Block("asteroid", "asteroid game", Vector("61.523438", false));

} // namespace

TEST(BatchListinfo, StandardStreamsOrFilesAndStatusOneForMalformedXml) {
    BatchResult r = RunBatch({"listinfo"}, kXml);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out + r.err, kConverted);
    TempDir dir;
    const std::string dat = dir.Write("mame.dat", "old text");
    r = RunBatch({"listinfo", "--xml", dir.Write("list.xml", kXml), "--out", dat});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out + TempDir::Read(dat), kConverted);
    // Cut inside the second machine, or garbage: the file keeps the list it held, one line says why.
    for (const std::string& bad : {kXml.substr(0, kXml.find("<machine name=\"asteroid\"") + 20), std::string("x")}) {
        r = RunBatch({"listinfo", "--out", dat}, bad);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(TempDir::Read(dat), kConverted);
        EXPECT_EQ(r.err.rfind("kelvaro-batch: malformed XML", 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
    EXPECT_EQ(Entries(dir.Path()), (std::set<std::string>{"list.xml", "mame.dat"}));
}

TEST(BatchNatives, ModesThenBothPanelsOrNothingWithoutGames) {
    TempDir dir;
    BatchResult r = RunBatch({"natives", "--dat", dir.Write("mame.dat", kConverted)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\tVector H\n2\t224 x 288 @ 60.61Hz V\nModes: 1 H + 1 V = 2\n"
                     "Total Games: 1 Horizontal + 1 Vertical = 2 (inc. 1 Vector)\n");
    // A list cut in its first game: one game, whose screen is unknown.
    r = RunBatch({"natives", "--dat", dir.Write("cut.dat", kConverted.substr(0, 40))});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Modes: 0 H + 0 V = 0\nTotal Games: 0 Horizontal + 0 Vertical = 0 (inc. 0 Vector)\n");
}

TEST(BatchModes, PrintsRowsAndDistinctLists) {
    TempDir dir;
    const std::string file = dir.Write("m.txt", "heading\r\n 640 240 60Hz\r\n1024 768 72.5Hz\r\n\r\n");
    BatchResult r = RunBatch({"modes", "--modes", file});
    // Read as ever, and named: done, with a problem.
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "kelvaro-batch: " + file +
                         ": line 3: \"1024 768 72.5Hz\": the rate is not two digits right "
                         "before \"Hz\"; read as 1024 x 768 @ 0.5Hz\n");
    EXPECT_EQ(r.out, "1\t640\t240\t60\tNo\t640 x 240 @ 60Hz\n"
                     "2\t1024\t768\t.5\tYes\t1024 x 768 @ 0.5Hz\n"
                     "3\t\t\t00\tNo\t x  @ 0Hz\n"
                     "widths\t\t640\t1024\n"
                     "heights\t\t240\t768\n");
    EXPECT_EQ(RunBatch({"modes", "--modes", dir.Write("h.txt", "heading\r\n")}).out, "widths\t\nheights\t\n");
}

TEST(BatchSelect, SettingsFromTheFileThenEachSetAndNoFileChanged) {
    TempDir dir;
    Settings s;
    s.MonitorOrientation = MonitorOrientation::Vertical;
    const std::string cfg = dir.Write("kelvaro.cfg", FormatSettingsFile(s));
    // The last game's name would retitle a terminal: its control characters are not printed.
    const std::string list = fixtures::GameList() + fixtures::Block("bad\x1b]0;x\x07", "x", "");
    const BatchResult r =
        RunBatch({"select", "--dat", dir.Write("mame.dat", list), "--modes",
                  dir.Write("modes.txt", fixtures::kModeList), "--cfg", cfg, "--set", "PreferredRotation=1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\tPACMAN\tPUCKMAN\t224\t288\t60.606061\tV\t288\t224\t60\tresolution 288x224|rol 1\n"
                     "2\tPUCKMAN\t\t224\t288\t60.606061\tV\t288\t224\t60\tresolution 288x224|rol 1\n"
                     "3\tGALAGA\t\t224\t288\t60.606061\tV\t288\t224\t60\tresolution 288x224|rol 1\n"
                     "4\t1942\t\t224\t256\t60.000000\tV\t288\t224\t60\tresolution 288x224|rol 1\n"
                     "5\tSF2\t\t384\t224\t59.637405\tH\t???\t???\t??\tresolution auto|rol 1\n"
                     "6\tASTEROID\t\t-\t-\t-\tH\t???\t???\t??\tresolution auto|rol 1\n"
                     "7\tBAD\uFFFD]0;X\uFFFD\t\tVECTOR\tVECTOR\t\t\t???\t???\t??\tresolution auto|rol 1\n"
                     "NotFound\t???\t???\t??\tresolution auto\n");
    EXPECT_EQ(TempDir::Read(cfg), FormatSettingsFile(s));
    EXPECT_EQ(fixtures::Entries(dir.Path()), (std::set<std::string>{"kelvaro.cfg", "mame.dat", "modes.txt"}));
}

namespace {

// The game list, the mode list, an INI folder "ini" holding PACMAN's file, and no settings file.
class BatchIniTest : public ::testing::Test {
protected:
    void SetUp() override { t.Write("ini/pacman.ini", "ror 1\nresolution 640x480@60\n"); }

    BatchResult Run(const std::string& command, const std::vector<std::string>& more = {}) const {
        std::vector<std::string> args = {command,
                                         "--dat",
                                         t.Write("mame.dat", fixtures::GameList()),
                                         "--modes",
                                         t.Write("modes.txt", fixtures::kModeList),
                                         "--ini-dir",
                                         ini,
                                         "--cfg",
                                         t.File("none.cfg")};
        args.insert(args.end(), more.begin(), more.end());
        return RunBatch(args);
    }

    // A game's INI file as the program names it: the game list's spelling on Windows, the
    // emulator's lower case elsewhere.
    std::string Ini(std::string game) const {
#ifdef _WIN32
        for (char& c : game) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
#endif
        return t.File("ini/" + game + ".ini");
    }

    TempDir t;
    const std::string ini = t.File("ini");
};

} // namespace

TEST_F(BatchIniTest, ReadPrintsTheTableWithTheFilesReadBackAndChangesNothing) {
    const BatchResult r = Run("read");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\tPACMAN\tPUCKMAN\t224\t288\t60.606061\tV\t640\t480\t60\tror 1|resolution 640x480@60\n"
                     "2\tPUCKMAN\t\t224\t288\t60.606061\tV\t???\t???\t??\tresolution auto\n"
                     "3\tGALAGA\t\t224\t288\t60.606061\tV\t???\t???\t??\tresolution auto\n"
                     "4\t1942\t\t224\t256\t60.000000\tV\t???\t???\t??\tresolution auto\n"
                     "5\tSF2\t\t384\t224\t59.637405\tH\t???\t???\t??\tresolution auto\n"
                     "6\tASTEROID\t\t-\t-\t-\tH\t???\t???\t??\tresolution auto\n"
                     "NotFound\t???\t???\t??\tresolution auto\n");
    EXPECT_EQ(TempDir::Read(Ini("pacman")), "ror 1\nresolution 640x480@60\n");
    EXPECT_EQ(Entries(t.Path()), (std::set<std::string>{"ini", "mame.dat", "modes.txt"}));
    EXPECT_EQ(Entries(ini), std::set<std::string>{"pacman.ini"});

    // Without a mode the files cannot be read back: the games all the same, one warning, status 1.
    const BatchResult noModes = Run("read", {"--modes", t.Write("heading.txt", "Modes\r\n")});
    EXPECT_EQ(noModes.status, 1);
    EXPECT_EQ(noModes.out.substr(0, noModes.out.find('\n')),
              "1\tPACMAN\tPUCKMAN\t224\t288\t60.606061\tV\t???\t???\t??\tresolution auto");
    EXPECT_EQ(noModes.err.find('\n'), noModes.err.size() - 1) << noModes.err;
}

TEST_F(BatchIniTest, GenerateListsTheFilesWrittenAndEndsWithStatusOneOnAFailure) {
    // The selection runs first (a vertical monitor's rotation line shows it); the clone is left
    // out; a file that cannot be written, or must not be, is named with the reason and the run
    // goes on.
    fs::create_directory(Ini("1942"));
    t.Write("ini/galaga.ini", "user|pipe 1\n");
    BatchResult r = Run("generate", {"--set", "MonitorOrientation=1"});
    EXPECT_EQ(r.status, 1);
    std::string expected;
    for (const char* name : {"puckman", "sf2", "asteroid"}) expected += "written\t" + Ini(name) + "\n";
    EXPECT_EQ(r.out, expected + "left out\tParent Romsets Only\t1\nwritten 3, skipped 1, failed 2\n");
    EXPECT_EQ(r.err, "kelvaro-batch: the INI file of GALAGA could not be written (a line holds |)\n"
                     "kelvaro-batch: the INI file of 1942 could not be written (cannot write " +
                         Ini("1942") + ": Is a directory)\n");
    EXPECT_EQ(TempDir::Read(Ini("galaga")), "user|pipe 1\n");
    EXPECT_EQ(TempDir::Read(Ini("puckman")), "resolution 288x224\r\nror 1\r\n");
    EXPECT_EQ(TempDir::Read(Ini("pacman")), "ror 1\nresolution 640x480@60\n");

    // With a game: the stored scope, its name in any case; no selection when asked.
    fs::remove(Ini("galaga"));
    t.Write("roms/galaga.zip", "zip");
    r = Run("generate", {"--no-select", "--rom-dir", t.File("roms"), "--set", "GenerateParentsOnly=False", "--set",
                         "GenerateApplyTo=3", "--game", "galaga"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "written\t" + Ini("galaga") + "\nleft out\tAvailable Games Only\t5\nwritten 1, skipped 5, failed 0\n");
    EXPECT_EQ(TempDir::Read(Ini("galaga")), "resolution auto\r\n");
}

TEST_F(BatchIniTest, GenerateKeepsTheUsersOwnLinesAndSaysWhyAGameIsLeftOut) {
    // SF2's own lines go on after the fresh ones; its resolution and rotation lines give way. Its
    // file is where a test run ended by a kill left it: put back first.
    const std::string name = fs::path(Ini("sf2")).filename().string();
    const std::string bak = name.substr(0, 3) + ".bak";
    t.Write("ini/" + bak, "# my notes\r\nresolution 640x480\r\nartwork_crop 1\r\nrol 1\r\nautorol 1\r\n");
    t.Write("ini/" + name, "resolution 800x600\r\n");
    ASSERT_TRUE(NoteTestRun(ini, name, bak, "resolution 800x600\r\n"));
    const std::vector<std::string> sf2 = {"--game", "sf2", "--set", "GenerateApplyTo=0"};
    BatchResult r = Run("generate", sf2);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "kelvaro-batch: " + Ini("sf2") + " was put back from " + t.File("ini/" + bak) +
                         ", where a test run that did not end had left it.\n");
    EXPECT_EQ(TempDir::Read(Ini("sf2")), "resolution 384x224\r\n# my notes\r\nartwork_crop 1\r\nautorol 1\r\n");
    std::vector<std::string> replace = sf2;
    replace.push_back("--replace-lines");
    r = Run("generate", replace);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(TempDir::Read(Ini("sf2")), "resolution 384x224\r\n");

    // A clone under the default filters: the filter that left it out is named.
    r = Run("generate", {"--game", "pacman", "--set", "GenerateApplyTo=0"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "pacman: left out by Parent Romsets Only\nleft out\tParent Romsets Only\t1\nwritten 0, skipped 1, "
                     "failed 0\n");
    EXPECT_EQ(TempDir::Read(Ini("pacman")), "ror 1\nresolution 640x480@60\n");
}

TEST_F(BatchIniTest, FilesWrittenWithARateReadBackToTheSameModeAndAreWrittenBackAsTheyWere) {
    // Pac-Man's size at two rates on a vertical monitor: its line names the rate.
    fs::remove(Ini("pacman"));
    const std::vector<std::string> all = {
        "--modes", t.Write("rates.txt", std::string(fixtures::kModeList) + " 288 224 57Hz\r\n"),
        "--set",   "MonitorOrientation=1",
        "--set",   "GenerateParentsOnly=False"};
    ASSERT_EQ(Run("generate", all).status, 0);
    std::map<std::string, std::string> first;
    for (const std::string& name : Entries(ini)) first[name] = TempDir::Read(t.File("ini/" + name));
    EXPECT_EQ(TempDir::Read(Ini("pacman")), "resolution 288x224@60\r\nror 1\r\n");
    std::vector<std::string> again = all;
    again.push_back("--no-select");
    ASSERT_EQ(Run("generate", again).status, 0);
    for (const auto& [name, bytes] : first) EXPECT_EQ(TempDir::Read(t.File("ini/" + name)), bytes) << name;
}

// The test run with a stand-in emulator that names the INI file it read and scores the display's
// modes as the real one does: status 0 only when it read the file and set the mode it asks for
// (640x480@60); the folder is as it was after each run.
TEST_F(BatchIniTest, TestRunsTheGameAndSaysWhichModeTheEmulatorSet) {
    const std::string asked = "ror 1\nresolution 640x480@60\n";
    const std::string script = "when -showconfig exit 3\nwhen -noreadconfig exit 3\nsay Attempting load of $1.ini\n";
    const std::string parsed = "say Parsing $1.ini\n";
    const std::string scores = "say 1024x 768@ 0 -> 0.000133\nsay  640x 480@60 -> ";
    struct Row {
        std::string script;
        int status;
        std::string out;
    };
    const std::string notRead =
        "M.A.M.E. did not read " + fs::path(Ini("pacman")).filename().string() + " from " + ini + ".\n";
    const Row rows[] = {
        {script + parsed + scores + "2.000000\nsay  320x 240@60 -> 0.000006\n", 0,
         "M.A.M.E. set the display to 640 x 480 @ 60 Hz.\n"},
        {script + parsed + scores + "0.000006\nsay  320x 240@60 -> 0.002469\n", 1,
         "M.A.M.E. set the display to 320 x 240 @ 60 Hz instead of 640 x 480 @ 60 Hz: the display has no mode 640 x "
         "480 @ 60 Hz.\nM.A.M.E. set the display to 320 x 240 @ 60 Hz.\n"},
        {script + scores + "2.000000\n", 1, notRead + "M.A.M.E. set the display to 640 x 480 @ 60 Hz.\n"},
        {script + parsed, 1,
         "M.A.M.E. named no display mode it set: it switches modes only full screen with switchres 1.\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.script);
        const BatchResult result = Run("test", {"pacman", "--exe", Standin(t, "emu/mame", r.script)});
        EXPECT_EQ(result.status, r.status) << result.err;
        EXPECT_EQ(result.out, r.out);
        EXPECT_EQ(TempDir::Read(Ini("pacman")), asked);
        EXPECT_EQ(Entries(ini), std::set<std::string>{fs::path(Ini("pacman")).filename().string()});
    }
}

TEST(BatchImportModes, WritesAListThatModesReads) {
    TempDir dir;
    const std::string sample = std::string(KELVARO_SOURCE_DIR) + "/tests/modes/samples/xrandr-verbose.txt";
    const std::string list = dir.File("vga.txt");
    BatchResult r = RunBatch({"import-modes", sample, "--output-name", "VGA-1", "--out", list});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, sample + ": line 31: 320x240 ('dead') has a refresh rate of 0.00 Hz; left out\n" + sample +
                         ": 1 mode(s) found more than once (after rounding the rate) were written once\n");
    const std::string written = TempDir::Read(list);
    EXPECT_EQ(written.substr(0, written.find('\n')),
              "Kelvaro mode list: 5 mode(s) imported from " + sample + " (xrandr --verbose output, output VGA-1)\r");
    r = RunBatch({"modes", "--modes", list});
    EXPECT_EQ(r.out, "1\t320\t240\t60\tNo\t320 x 240 @ 60Hz\n"
                     "2\t256\t224\t60\tNo\t256 x 224 @ 60Hz\n"
                     "3\t384\t224\t59\tNo\t384 x 224 @ 59Hz\n"
                     "4\t640\t480\t60\tYes\t640 x 480 @ 60Hz\n"
                     "5\t640\t480\t60\tNo\t640 x 480 @ 60Hz\n"
                     "widths\t256\t320\t384\t640\n"
                     "heights\t224\t240\t480\n");

    // From standard input; nothing readable writes nothing and ends with 1.
    r = RunBatch({"import-modes", "-", "--rate", "50"}, "720x576i\n");
    EXPECT_EQ(r.out, "Kelvaro mode list: 1 mode(s) imported from standard input (kernel mode names)\r\n"
                     " 720 576 50Hz interlaced\r\n");
    r = RunBatch({"import-modes", "--out", dir.File("none.txt")}, "nothing here\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(TempDir::Read(dir.File("none.txt")).empty());
}

// explain's first line names the mode select gives each game; summary counts every game once;
// suggest prints the lines of a mode list.
TEST(BatchExplain, AgreesWithSelectOnEveryGameAndSummaryAndSuggestCountThem) {
    TempDir t;
    const std::string dat =
        t.Write("mame.dat", fixtures::GameList() +
                                fixtures::Block("big", "Big", fixtures::Raster("1024", "768", "57.500000", false)));
    const std::string modes = t.Write("modes.txt", fixtures::kModeList), none = t.File("none.cfg");
    for (const char* orientation : {"MonitorOrientation=0", "MonitorOrientation=1", "MonitorOrientation=2"}) {
        SCOPED_TRACE(orientation);
        const Strings common = {"--dat", dat, "--modes", modes, "--cfg", none, "--set", orientation};
        auto run = [&](Strings args) {
            args.insert(args.end(), common.begin(), common.end());
            BatchResult r = RunBatch(args);
            EXPECT_EQ(r.status, 0) << r.err;
            return r.out;
        };
        std::istringstream table(run({"select"}));
        int left = 0, games = 0;
        for (std::string line; std::getline(table, line) && line.rfind("NotFound", 0) != 0; ++games) {
            std::vector<std::string> cells;
            std::istringstream row(line);
            for (std::string cell; std::getline(row, cell, '\t');) cells.push_back(cell);
            ASSERT_EQ(cells.size(), 11u) << line;
            const std::string explained = run({"explain", "--game", cells[1]});
            const std::string first = explained.substr(0, explained.find('\n'));
            left += cells[7] == "???";
            const std::string mode = "chosen\t" + cells[7] + "\t" + cells[8] + "\t" + cells[9];
            EXPECT_EQ(first, cells[7] == "???" ? "chosen\tnone" : mode) << explained;
        }
        const std::string summary = run({"summary"});
        EXPECT_EQ(summary.rfind("games\t" + std::to_string(games) + "\n", 0), 0u) << summary;
        EXPECT_NE(summary.find("\nleft_to_emulator\t" + std::to_string(left) + "\n"), std::string::npos) << summary;
        // The big game is left without a mode everywhere: there is something to suggest to a
        // multisync PC monitor (which shows its 768 lines), and the suggestions serve no more games
        // than those left.
        std::istringstream suggested(run({"suggest", "--set", "MonitorKind=4"}));
        int lines = 0, gains = 0;
        for (std::string line; std::getline(suggested, line); ++lines) {
            // W, H, a two-digit rate, the marker word and a gain above 0.
            std::vector<std::string> f;
            for (std::size_t at = 0; at <= line.size();) {
                const std::size_t tab = std::min(line.find('\t', at), line.size());
                f.push_back(line.substr(at, tab - at));
                at = tab + 1;
            }
            const auto digits = [](const std::string& s) {
                return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
            };
            EXPECT_TRUE(f.size() == 5 && digits(f[0]) && digits(f[1]) && digits(f[2]) && f[2].size() == 2 &&
                        f[3] == "progressive" && digits(f[4]) && f[4][0] != '0')
                << line;
            gains += std::stoi(line.substr(line.rfind('\t') + 1));
        }
        EXPECT_GE(lines, 1);
        EXPECT_LE(gains, left);
    }
}

TEST(Batch, UsageErrorsGiveStatusTwoAndOneLineAndWriteNothing) {
    TempDir t;
    const std::string dat = t.Write("mame.dat", fixtures::GameList()),
                      modes = t.Write("modes.txt", fixtures::kModeList);
    const std::string ini = t.File("ini"), none = t.File("none.cfg");
    fs::create_directory(ini);
    const std::vector<Strings> cases = {
        {"nosuch"},
        {"listinfo", "--bogus", "x"},
        {"listinfo", "--xml"},
        {"natives"},
        {"select", "--dat", dat, "--modes", modes, "--set", "NoSuchSetting=1"},
        {"select", "--dat", dat, "--modes", modes, "--set", "MonitorOrientation"},
        {"select", "--dat", dat, "--modes", modes, "--set", "MatchRefreshWithin=1.5Hz"},
        {"select", "--dat", dat, "--modes", modes, "--cfg", t.Path()},
        {"select", "--dat", dat, "--modes", modes, "--cfg", "/proc/self/mem"}, // there, but reading fails
        {"read", "--dat", dat, "--modes", modes, "--cfg", none},
        {"read", "--dat", dat, "--modes", modes, "--ini-dir", dat},
        {"generate", "--dat", dat, "--modes", modes, "--ini-dir", t.File("missing")},
        {"generate", "--dat", dat, "--modes", modes, "--ini-dir", ini, "--cfg", none, "--game", "nosuch"},
        // Without a mode the INI files cannot be read back, so none may be replaced.
        {"generate", "--dat", dat, "--modes", t.Write("heading.txt", "Modes\r\n"), "--ini-dir", ini, "--cfg", none},
        // Nor may a selection without a mode replace them with "resolution auto".
        {"generate", "--dat", dat, "--modes", t.Write("garbage.txt", "Modes\r\nabc def\r\n 0 0 60Hz\r\n"), "--ini-dir",
         ini, "--cfg", none},
        // Without its ROM folder the "available games only" filter would leave out all or nothing.
        {"generate", "--dat", dat, "--modes", modes, "--ini-dir", ini, "--cfg", none, "--rom-dir", t.File("missing")},
        {"generate", "--dat", dat, "--modes", modes, "--ini-dir", ini, "--cfg", none, "--rom-dir", dat},
        {"select", "--dat", dat, "--modes", modes, "--set", "IgnoreInterlaced=2"},
        {"select", "--dat", dat, "--modes", modes, "--set", "IgnoreInterlaced=-1"},
        {"select", "--dat", dat, "--modes", modes, "--set", "IgnoreInterlaced=0.5"},
        {"select", "--dat", dat, "--modes", modes, "--set", "IgnoreInterlaced=1\n"},
        {"select", "--dat", dat, "--modes", modes, "--set", "NotFoundINIText=resolution auto\nror 1"},
        {"import-modes", modes, "--rate", "100"},
        {"import-modes", modes, modes},
        {"explain", "--dat", dat, "--modes", modes, "--cfg", none},
        {"explain", "--dat", dat, "--modes", modes, "--cfg", none, "--game", "nosuch"},
        {"summary", "--dat", dat, "--cfg", none},
        {"suggest", "--dat", dat, "--modes", modes, "--cfg", none, "--top", "0"},
        {"suggest", "--dat", dat, "--modes", modes, "--cfg", none, "--top", "3x"},
    };
    for (const Strings& args : cases) {
        std::string line;
        for (const std::string& a : args) line += a + " ";
        SCOPED_TRACE(line);
        const BatchResult r = RunBatch(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("kelvaro-batch: ", 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
    EXPECT_EQ(RunBatch({"select", "--dat", dat, "--modes", modes, "--set", "MonitorOrientation=5"}).err,
              "kelvaro-batch: --set MonitorOrientation=5: must be 0, 1 or 2\n");
    EXPECT_EQ(RunBatch({"select", "--dat", dat, "--modes", modes, "--set", "IgnoreInterlaced=2"}).err,
              "kelvaro-batch: --set IgnoreInterlaced=2: must be True, False, 1 or 0\n");
    EXPECT_EQ(RunBatch({"generate", "--dat", dat, "--modes", modes, "--ini-dir", ini, "--rom-dir", dat}).err,
              "kelvaro-batch: ROM folder not found: " + dat + "\n");
    EXPECT_EQ(RunBatch({"check", "--exe", dat, "--ini-dir", ini, "--game", "pacman"}).err,
              "kelvaro-batch: --game needs --dat, the game list that holds it\n");
    EXPECT_TRUE(Entries(ini).empty());
    EXPECT_EQ(Entries(t.Path()), (std::set<std::string>{"garbage.txt", "heading.txt", "ini", "mame.dat", "modes.txt"}));
}

// Each subcommand given an input it cannot read (a missing file, a folder where a file belongs, a
// file it may not read) does nothing: status 2 and one line that names the input.
TEST(Batch, AnInputThatCannotBeReadGivesStatusTwoAndALineNamingIt) {
    TempDir t;
    const std::string dat = t.Write("mame.dat", fixtures::GameList()),
                      modes = t.Write("modes.txt", fixtures::kModeList);
    const std::string ini = t.File("ini"), none = t.File("none.cfg"), bad = "BAD";
    fs::create_directory(ini);
    fs::create_directory(t.File("folder"));
    // Game list and mode list in turn, so that both readers are tried by more than one command.
    const std::vector<Strings> cases = {
        {"listinfo", "--xml", bad, "--out", t.File("out.dat")},
        {"natives", "--dat", bad},
        {"modes", "--modes", bad},
        {"select", "--dat", dat, "--modes", bad, "--cfg", none},
        {"read", "--dat", bad, "--modes", modes, "--ini-dir", ini, "--cfg", none},
        {"generate", "--dat", dat, "--modes", bad, "--ini-dir", ini, "--cfg", none},
        {"import-modes", bad, "--out", t.File("out.txt")},
        {"check", "--exe", t.File("mame"), "--ini-dir", ini, "--dat", bad, "--cfg", none},
        {"explain", "--dat", bad, "--modes", modes, "--game", "pacman", "--cfg", none},
        {"summary", "--dat", dat, "--modes", bad, "--cfg", none},
        {"suggest", "--dat", bad, "--modes", modes, "--cfg", none},
    };
    std::vector<std::string> inputs = {t.File("missing"), t.File("folder")};
    if (PermissionsStopUs()) {
        inputs.push_back(t.Write("locked", "x"));
        fs::permissions(inputs.back(), fs::perms::none);
    }
    for (const std::string& input : inputs) {
        for (Strings args : cases) {
            std::replace(args.begin(), args.end(), bad, input);
            SCOPED_TRACE(args[0] + " " + input);
            const BatchResult r = RunBatch(args);
            EXPECT_EQ(r.status, 2);
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err.rfind("kelvaro-batch: ", 0), 0u) << r.err;
            EXPECT_NE(r.err.find(input), std::string::npos) << r.err;
            EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        }
    }
    EXPECT_TRUE(Entries(ini).empty());
    EXPECT_EQ(Entries(t.Path()).count("out.dat") + Entries(t.Path()).count("out.txt"), 0u);
}

// Inputs with nothing in them, inputs that are not files, and an output that cannot be written:
// each ends with one line saying what was wrong, never with status 0 and an empty answer.
TEST(Batch, EmptyOddAndUnwritableStreamsAreReported) {
    TempDir t;
    const std::string dat = t.Write("mame.dat", fixtures::GameList()),
                      modes = t.Write("modes.txt", fixtures::kModeList);
    const std::string ini = t.File("ini"), none = t.File("none.cfg"), folder = t.File("folder");
    fs::create_directory(ini);
    fs::create_directory(folder);
    auto expectOneLine = [](const BatchResult& r, int status, const std::string& says) {
        EXPECT_EQ(r.status, status);
        EXPECT_EQ(r.err.rfind("kelvaro-batch: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    };
    // Game lists without a game: empty, binary, the emulator's XML itself.
    for (const std::string& list : {std::string(), std::string("\0\xff)\r\ngame\r(\n\t", 10), kXml}) {
        const std::string empty = t.Write("empty.dat", list);
        for (const Strings& args :
             {Strings{"natives", "--dat", empty},
              Strings{"generate", "--dat", empty, "--modes", modes, "--ini-dir", ini, "--cfg", none},
              Strings{"select", "--dat", empty, "--modes", modes, "--cfg", none}}) {
            SCOPED_TRACE(args[0] + " " + std::to_string(list.size()));
            expectOneLine(RunBatch(args), 2, "holds no game");
        }
    }
    // Mode lists without a mode, for the commands that select.
    for (const std::string& list : {std::string(), std::string("Modes\r\n")}) {
        const std::string empty = t.Write("empty.txt", list);
        for (const char* command : {"select", "summary"})
            expectOneLine(RunBatch({command, "--dat", dat, "--modes", empty, "--cfg", none}), 2, "holds no mode");
    }
    EXPECT_TRUE(Entries(ini).empty());

    // A folder as standard input, or as an input file: it says it is one.
#ifndef _WIN32
    // (Windows' command interpreter refuses a folder as standard input before the program starts.)
    expectOneLine(RunBatchRedirected({"import-modes"}, folder, ""), 2, "Is a directory");
#endif
    for (const Strings& args : {Strings{"natives", "--dat", folder}, Strings{"modes", "--modes", folder}})
        expectOneLine(RunBatch(args), 2, "Is a directory");

#ifndef _WIN32
    // A FIFO is read as the stream it is, a game list as a mode list.
    const std::string fifo = t.File("list.fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const auto streamed = [&](const std::string& bytes, const Strings& args) {
        std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << bytes; });
        const BatchResult result = RunBatch(args);
        // Frees the writer should the list not have been read.
        const int unblock = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
        writer.join();
        close(unblock);
        return result;
    };
    const BatchResult games = streamed(fixtures::GameList(), {"natives", "--dat", fifo});
    EXPECT_EQ(games.status, 0) << games.err;
    EXPECT_EQ(games.out, RunBatch({"natives", "--dat", dat}).out);
    const BatchResult modeList = streamed(TempDir::Read(modes), {"modes", "--modes", fifo});
    EXPECT_EQ(modeList.status, 0) << modeList.err;
    EXPECT_EQ(modeList.out, RunBatch({"modes", "--modes", modes}).out);

    // Output lost on a full disk is an output that could not be written.
    const Strings full[] = {{"natives", "--dat", dat},
                            {"modes", "--modes", modes},
                            {"select", "--dat", dat, "--modes", modes, "--cfg", none},
                            {"summary", "--dat", dat, "--modes", modes, "--cfg", none},
                            {"explain", "--dat", dat, "--modes", modes, "--cfg", none, "--game", "pacman"},
                            {"read", "--dat", dat, "--modes", modes, "--ini-dir", ini, "--cfg", none},
                            {"import-modes", modes},
                            {"select", "--help"}};
    for (const Strings& args : full) {
        SCOPED_TRACE(args[0]);
        expectOneLine(RunBatchRedirected(args, t.Write("in", ""), "/dev/full"), 1, "cannot write the output");
    }
#endif
}

TEST(BatchCheck, AGameGetsItsOptionsAsTheEmulatorHasThemAndWhereEachComesFrom) {
    TempDir t;
    const std::string ini = t.File("ini"), etc = t.File("etc");
    // The emulator's system mame.ini moves the INI path to the INI folder, where Kelvaro wrote
    // the parent's file only.
    t.Write("etc/mame.ini", "inipath " + ini + "\nswitchres 1\n");
    std::string game = "pacman", parent = "puckman";
#ifdef _WIN32
    // The program spells a game as the game list does.
    for (std::string* name : {&game, &parent})
        for (char& c : *name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
#endif
    t.Write("ini/" + parent + ".ini", "resolution 224x288@60\r\nror 1\r\n");
    const std::string puckman = JoinPath(ini, parent + ".ini");
    // Its own values first, then what the two mame.ini files make of them.
    const std::string script =
        "when -help say MAME v0.251 (test)\nwhen -help exit 0\n"
        "when -listsource say pacman   pacman/pacman.cpp\nwhen -listsource exit 0\n"
        "say readconfig 1\nsay resolution auto\nsay resolution0 auto\nsay aspect auto\nsay aspect0 auto\n"
        "say ror 0\nsay rol 0\nsay autoror 0\nsay autorol 0\nsay flipx 0\nsay flipy 0\nsay window 0\n"
        "say video auto\nsay keepaspect 1\nsay unevenstretch 1\nsay intscalex 0\nsay intscaley 0\n"
        "say autostretchxy 0\n"
        "when -noreadconfig say inipath " +
        etc + "\nwhen -noreadconfig say switchres 0\nwhen -noreadconfig exit 0\nsay inipath " + ini +
        "\nsay switchres 1\n";
    SetEnv("DISPLAY", nullptr); // no desktop to read: a 4:3 one is assumed
    const BatchResult r = RunBatch({"check", "--exe", Standin(t, "emu/mame", script), "--ini-dir", ini, "--dat",
                                    t.Write("mame.dat", fixtures::GameList()), "--game", "pacman", "--cfg",
                                    t.File("none.cfg"), "--set", "MonitorOrientation=1"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    const std::size_t at = r.out.find("Options of ");
    ASSERT_NE(at, std::string::npos) << r.out;
    EXPECT_EQ(r.out.substr(at),
              "Options of " + game +
                  " once M.A.M.E. 0.251 has read its INI files (it reads only the first file of a name along "
                  "inipath):\n"
                  "  resolution     224x288@60     " +
                  puckman +
                  " line 1\n"
                  "  ror            1              " +
                  puckman +
                  " line 2\n"
                  "  rol            0              default\n"
                  "  autoror        0              default\n"
                  "  autorol        0              default\n"
                  "  flipx          0              default\n"
                  "  flipy          0              default\n"
                  "  turn           a quarter turn clockwise: " +
                  game +
                  "'s tall picture comes out wide\n"
                  "  switchres      1              " +
                  JoinPath(etc, "mame.ini") +
                  " line 2\n"
                  "  window         0              default\n"
                  "  video          auto           default\n"
                  "  keepaspect     1              default\n"
                  "  unevenstretch  1              default\n"
                  "  intscalex      0              default\n"
                  "  intscaley      0              default\n"
                  "  autostretchxy  0              default\n"
                  "  aspect         auto           default\n"
                  // The options turn the tall picture into a tall mode, which a 4:3 monitor shows whole.
                  "Picture 288 x 224 (turned) in mode 224 x 288\n"
                  "Aspect kept: stretched to 224 x 288, 0.78 x 1.29, filling the mode\n"
                  "Progressive\n"
                  "Assumed: the game's picture 4:3 (3:4 standing), a 4:3 desktop when M.A.M.E. starts (it takes the "
                  "desktop's shape as the monitor's), and no command line of a front end that sets these.\n");
}

TEST(Batch, EveryCommandAnswersHelpWithItsOwnUsage) {
    for (const char* command : {"listinfo", "natives", "modes", "select", "read", "generate", "import-modes", "check",
                                "explain", "summary", "suggest", "test"}) {
        SCOPED_TRACE(command);
        const BatchResult r = RunBatch({command, "--help"});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out.rfind(std::string("usage: kelvaro-batch ") + command + " ", 0), 0u) << r.out;
        EXPECT_EQ(r.err, "");
    }
}

// A damaged settings file is used with the defaults in place of what it got wrong, each said on
// stderr; the file stays as it is.
TEST(Batch, ADamagedSettingsFileIsReportedLineByLine) {
    TempDir t;
    const std::string dat = t.Write("mame.dat", fixtures::GameList()),
                      modes = t.Write("modes.txt", fixtures::kModeList);
    std::string lines = FormatSettingsFile(Settings{});
    lines.replace(lines.find("\r\n 0 \r\n"), 5, "\r\n 3 "); // MonitorOrientation
    lines.replace(lines.find(" 16 "), 4, "-50 ");           // MatchResWithin
    lines.replace(lines.find(" 1.25 "), 6, "abc");          // MatchRefreshWithin
    const std::string cfg = t.Write("kelvaro.cfg", lines);
    const BatchResult r = RunBatch({"select", "--dat", dat, "--modes", modes, "--cfg", cfg});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, RunBatch({"select", "--dat", dat, "--modes", modes, "--cfg", t.File("none.cfg")}).out);
    EXPECT_EQ(r.err,
              "kelvaro-batch: " + cfg +
                  ": line 6, MonitorOrientation: \" 3 \" must be 0, 1 or 2; the default 0 is used\n"
                  "kelvaro-batch: " +
                  cfg +
                  ": line 9, MatchResWithin: \"-50 \" must be a number from 0 to 100; the default 16 is used\n"
                  "kelvaro-batch: " +
                  cfg +
                  ": line 10, MatchRefreshWithin: \"abc\" must be a number from 0 to 15; the default 1.25 is used\n");
    EXPECT_EQ(TempDir::Read(cfg), lines);
}
