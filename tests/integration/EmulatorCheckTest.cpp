// The setup check against the real emulator, each case in a fresh home folder; the system's
// /etc/mame stays byte for byte as it was.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "BatchRun.h"
#include "Fixtures.h"
#include "TempDir.h"
#include "emulator/SetupCheck.h"

using namespace kelvaro;
namespace fs = std::filesystem;

namespace {

// Every file under the folder with its bytes.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file()) files[it->path().string()] = TempDir::Read(it->path().string());
    return files;
}

class EmulatorCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(KELVARO_MAME_EXE)) GTEST_SKIP() << "the emulator is not installed";
        if (const char* h = std::getenv("HOME")) oldHome_ = h;
        setenv("HOME", home.c_str(), 1);
        fs::create_directories(ini);
        etc_ = Snapshot("/etc/mame");
    }
    void TearDown() override {
        if (IsSkipped()) return;
        setenv("HOME", oldHome_.c_str(), 1);
        EXPECT_EQ(Snapshot("/etc/mame"), etc_);
    }

    TempDir t;
    const std::string home = t.File("home"), ini = t.File("ini");

private:
    std::string oldHome_;
    std::map<std::string, std::string> etc_;
};

} // namespace

TEST_F(EmulatorCheckTest, BatchCheckSaysWhatKeepsTheEmulatorFromUsingTheFiles) {
    const std::string dat = t.Write("mame.dat", fixtures::GameList());
    const std::string own = home + "/.mame";
    struct Row {
        std::string mameIni; // none: no ~/.mame/mame.ini at all
        std::vector<std::string> args;
        int status;
        std::vector<std::string> said;
    };
    const Row rows[] = {
        {"none",
         {},
         1,
         {"problem: M.A.M.E. does not read INI files from the INI folder " + ini + ": its inipath holds only " + own +
              ", /etc/mame. Fix: Add the line \"inipath " + ini + ";$HOME/.mame;/etc/mame\" to " + own + "/mame.ini.",
          "problem: M.A.M.E. keeps the desktop's video mode: its switchres option is 0",
          "Fix: Add the line \"switchres 1\" to " + own + "/mame.ini."}},
        {"inipath " + ini + "\nswitchres 0\n",
         {},
         1,
         {"ok: M.A.M.E. reads INI files from the INI folder " + ini, "its switchres option is 0",
          "Fix: Change the line \"switchres 0\" in " + own + "/mame.ini to \"switchres 1\"."}},
        {"inipath " + ini + "\nswitchres 1\n", {}, 0, {"ok: M.A.M.E. switches video modes (switchres 1)."}},
        {"switchres 1\nwindow 1\nreadconfig 0\n",
         {},
         1,
         {"problem: M.A.M.E. reads no INI file of a game: its readconfig option is 0.",
          "problem: M.A.M.E. runs in a window (its window option is 1)"}},
        // Files of ours hidden by an earlier folder; a vertical.ini whose ror 1 is the one Kelvaro
        // writes, so that it changes nothing.
        {"inipath $HOME/.mame;" + ini + "\nswitchres 1\n",
         {"--set", "MonitorOrientation=1", "--dat", dat, "--game", "pacman"},
         1,
         {"warning: 1 INI file in " + ini +
              " is hidden by a file of the same name in an earlier INI folder, which "
              "M.A.M.E. reads instead: " +
              own + "/pacman.ini.",
          "ok: No mame.ini, vertical.ini or horizont.ini of M.A.M.E. changes the turn of the pictures",
          "warning: For pacman M.A.M.E. reads, in this order: /etc/mame/mame.ini, " + own + "/mame.ini, " + own +
              "/vertical.ini (ror 1), " + own +
              "/pacman.ini (resolution 640x480). It does not read the pacman.ini of the INI folder",
          "problem: M.A.M.E. sets pacman's resolution to 640x480, not the 224x288 of Kelvaro's " + ini +
              "/pacman.ini: line 1 of " + own +
              "/pacman.ini sets resolution 640x480, the pacman.ini that M.A.M.E. "
              "reads instead",
          "  ror            1              " + own + "/vertical.ini line 1\n"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.mameIni);
        fs::remove_all(home);
        if (r.mameIni != "none") t.Write("home/.mame/mame.ini", r.mameIni);
        t.Write("home/.mame/pacman.ini", "resolution 640x480\n");
        t.Write("home/.mame/vertical.ini", "ror 1\n");
        t.Write("ini/pacman.ini", "resolution 224x288\r\nror 1\r\n");
        std::vector<std::string> args = {"check", "--exe", KELVARO_MAME_EXE,  "--ini-dir",
                                         ini,     "--cfg", t.File("none.cfg")};
        args.insert(args.end(), r.args.begin(), r.args.end());
        const BatchResult result = RunBatch(args);
        EXPECT_EQ(result.status, r.status) << result.out << result.err;
        for (const std::string& said : r.said)
            EXPECT_NE(result.out.find(said), std::string::npos) << said << "\n" << result.out;
    }
    const BatchResult broken = RunBatch({"check", "--exe", t.Write("not-mame", "not a program\n"), "--ini-dir", ini});
    EXPECT_EQ(broken.status, 2);
}

// A new user's setup after the check's fixes and a generation for a vertical monitor: every game
// of the Pac-Man family is turned once, its parent's ror 1 and its own being one switch. A rol 1
// added to the parent's file by hand cancels the clone's turn, and the check names that line.
TEST_F(EmulatorCheckTest, AfterTheFixesAndAGenerationTheTurnIsTheOneKelvaroMeans) {
    const std::string dat =
        t.Write("mame.dat", fixtures::GameList() + fixtures::Block("mspacman", "Ms. Pac-Man",
                                                                   fixtures::Raster("224", "288", "60.606061", true)));
    const std::string exe = KELVARO_MAME_EXE, folder = fs::path(exe).parent_path().string();
    const Result<EmulatorOptions> before = AskEmulatorOptions(exe, folder);
    ASSERT_TRUE(before) << before.Reason();
    // The check's advice for the INI folder, and its one-line fix for switchres.
    const OptionPlace inipath = PlaceOptionLine(*before, "inipath", ini + ";" + before->Value("inipath"), home);
    ASSERT_TRUE(inipath.Fix && ApplyOptionFix(*inipath.Fix, home));
    SetupCheckInput in;
    in.Exe = exe;
    in.WorkingFolder = folder;
    in.IniFolder = ini;
    in.Home = home;
    for (const Finding& f : CheckSetup(in, AskEmulatorOptions(exe, folder)).Findings)
        if (f.OneLineFix) {
            ASSERT_TRUE(ApplyOptionFix(*f.OneLineFix, home));
        }

    const std::vector<std::string> vertical = {"--cfg", t.File("none.cfg"), "--set", "MonitorOrientation=1"};
    auto run = [&](std::vector<std::string> args) {
        args.insert(args.end(), vertical.begin(), vertical.end());
        return RunBatch(args);
    };
    const BatchResult generated = run({"generate", "--dat", dat, "--modes", t.Write("modes.txt", fixtures::kModeList),
                                       "--ini-dir", ini, "--set", "GenerateParentsOnly=0"});
    ASSERT_EQ(generated.status, 0) << generated.out << generated.err;
    auto check = [&](const std::string& game) {
        return run({"check", "--exe", exe, "--ini-dir", ini, "--dat", dat, "--game", game});
    };
    for (const std::string game : {"pacman", "puckman", "mspacman"}) {
        const BatchResult r = check(game);
        EXPECT_EQ(r.status, 0) << r.out << r.err;
        EXPECT_EQ(r.out.find("problem:"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("  turn           a quarter turn clockwise: " + game + "'s tall picture comes out wide\n"),
                  std::string::npos)
            << r.out;
    }

    const std::string puckman = ini + "/puckman.ini", text = TempDir::Read(puckman);
    ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
    const std::string line = std::to_string(std::count(text.begin(), text.end(), '\n') + 1);
    t.Write("ini/puckman.ini", text + "rol 1\r\n");
    const BatchResult cancelled = check("pacman");
    EXPECT_EQ(cancelled.status, 1) << cancelled.out;
    EXPECT_NE(cancelled.out.find("problem: M.A.M.E. shows pacman's picture not turned, not a quarter turn clockwise as "
                                 "Kelvaro's \"ror 1\" means: line " +
                                 line + " of " + puckman + " sets rol 1, which cancels the ror 1"),
              std::string::npos)
        << cancelled.out;
    EXPECT_NE(cancelled.out.find("Fix: Change line " + line + " of " + puckman + " to \"rol 0\"."), std::string::npos);
    // The fix as it says: that line alone changed.
    t.Write("ini/puckman.ini", text + "rol 0\r\n");
    EXPECT_EQ(check("pacman").status, 0);
}

TEST_F(EmulatorCheckTest, TheOneLineFixesWriteTheUsersMameIniAndChangeNothingElse) {
    SetupCheckInput in;
    in.Exe = KELVARO_MAME_EXE;
    in.WorkingFolder = fs::path(KELVARO_MAME_EXE).parent_path().string();
    in.IniFolder = ini;
    in.Home = home;
    EmulatorOptionsCache cache;
    const Result<EmulatorOptions> before = cache.Get(in.Exe, in.WorkingFolder, false);
    ASSERT_TRUE(before) << before.Reason();
    auto fixOf = [&](const Result<EmulatorOptions>& options, const std::string& option) {
        std::optional<OptionFix> fix;
        for (const Finding& f : CheckSetup(in, options).Findings)
            if (f.OneLineFix && f.OneLineFix->Option == option) fix = f.OneLineFix;
        return fix;
    };
    std::optional<OptionFix> fix = fixOf(before, "switchres");
    ASSERT_TRUE(fix);
    EXPECT_EQ(fix->File + fix->Option + fix->Value + std::to_string(fix->Create), home + "/.mame/mame.iniswitchres11");
    ASSERT_TRUE(ApplyOptionFix(*fix, home));
    EXPECT_EQ(TempDir::Read(home + "/.mame/mame.ini"), "switchres 1\n");

    // Asked again, as the file is new: switchres is on, every other option as it was.
    const Result<EmulatorOptions> after = cache.Get(in.Exe, in.WorkingFolder, false);
    ASSERT_TRUE(after && cache.Asked());
    OptionValues expected = before->Values;
    expected["switchres"] = "1";
    EXPECT_EQ(after->Values, expected);

    // The INI folder first on inipath, in the same file, the file before kept beside it.
    fix = fixOf(after, "inipath");
    ASSERT_TRUE(fix && !fix->Create);
    ASSERT_TRUE(ApplyOptionFix(*fix, home));
    EXPECT_EQ(TempDir::Read(home + "/.mame/mame.ini"), "switchres 1\ninipath " + ini + ";$HOME/.mame;/etc/mame\n");
    EXPECT_EQ(TempDir::Read(home + "/.mame/mame.ini.bak"), "switchres 1\n");
    const Result<EmulatorOptions> read = cache.Get(in.Exe, in.WorkingFolder, false);
    ASSERT_TRUE(read && cache.Asked());
    EXPECT_EQ(read->IniFolders, (std::vector<std::string>{ini, home + "/.mame", "/etc/mame"}));
    expected["inipath"] = ini + ";$HOME/.mame;/etc/mame";
    EXPECT_EQ(read->Values, expected);
    EXPECT_FALSE(CheckSetup(in, read).HasProblem()) << CheckSetup(in, read).Text();
}

#endif // _WIN32
