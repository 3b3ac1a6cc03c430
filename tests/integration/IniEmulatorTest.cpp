// INI files that the real emulator reads, and a test run with the real emulator.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <cstdlib>
#include <filesystem>
#include <set>

#include "Fixtures.h"
#include "TempDir.h"
#include "core/Model.h"
#include "emulator/VerboseRun.h"
#include "gamelist/NativeModes.h"
#include "ini/IniFiles.h"
#include "ini/TestRun.h"
#include "modes/AutoSelect.h"
#include "modes/AvailableModes.h"
#include "platform/Paths.h"

using namespace kelvaro;
using fixtures::Entries;
namespace fs = std::filesystem;

namespace {

// The emulator on one game with the INI folder given, never opening a window or playing sound;
// without ROMs it stops after reading its INI files. Returns its standard output and error.
std::string RunEmulatorVerbose(const TempDir& t, const std::string& game, const std::string& iniFolder) {
    const std::string out = t.File("emulator-" + game + ".txt");
    const std::string line = "cd '" + t.Path() + "' && timeout 120 '" KELVARO_MAME_EXE "' " + game + " -inipath '" +
                             iniFolder + "' -verbose -video none -sound none -nothrottle -seconds_to_run 1 > '" + out +
                             "' 2>&1";
    std::system(line.c_str());
    return TempDir::Read(out);
}

class IniEmulatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(KELVARO_MAME_EXE)) GTEST_SKIP() << "the emulator is not installed";
        // The emulator reads its own files from a home folder of the test's, where the INI
        // folder is its INI path.
        if (const char* h = std::getenv("HOME")) home_ = h;
        setenv("HOME", t.File("home").c_str(), 1);
        t.Write("home/.mame/mame.ini", "inipath " + t.File("ini") + "\n");
        fs::create_directory(t.File("ini"));
        m.Config.MameExePath = KELVARO_MAME_EXE;
        m.Config.MameINIPath = t.File("ini");
        m.Config.ModeListFile = t.Write("modes.txt", fixtures::kModeList);
        ASSERT_TRUE(ReadAvailableModes(m));
        ProgressSink quiet;
        ASSERT_TRUE(BuildNativeModeListFromFile(m, t.Write("mame.dat", fixtures::GameList()), quiet));
        ASSERT_EQ(m.Games.Count(), 6);
    }

    void TearDown() override {
        if (!IsSkipped()) setenv("HOME", home_.c_str(), 1);
    }

    TempDir t;
    Model m;
    std::string home_;
};

} // namespace

TEST_F(IniEmulatorTest, EmulatorParsesTheGeneratedFilesOfAVerticalMonitor) {
    m.Config.MonitorOrientation = MonitorOrientation::Vertical;
    m.Config.PreferredRotation = PreferredRotation::Clockwise;
    ProgressSink quiet;
    AutoSelectVideoModes(m, quiet);
    GenerateRequest request;
    request.Scope = GenerateScope::AllGames;
    request.AvailableOnly = true; // no ROM folder: every game counts as available
    const Result<GenerateResult> r = GenerateINIFiles(m, request, quiet);
    ASSERT_TRUE(r) << r.Reason();
    ASSERT_EQ(r->Written, 6);

    for (const std::string game : {"pacman", "sf2", "1942"}) {
        SCOPED_TRACE(game);
        const std::string bytes = TempDir::Read(t.File("ini/" + game + ".ini"));
        EXPECT_EQ(bytes.rfind("resolution ", 0), 0u) << bytes;
        EXPECT_NE(bytes.find("\r\nror 1\r\n"), std::string::npos) << bytes;

        const std::string output = RunEmulatorVerbose(t, game, t.File("ini"));
        EXPECT_NE(output.find("Parsing " + game + ".ini\n"), std::string::npos) << output;
        // The emulator names any line of an INI file it did not take.
        EXPECT_EQ(output.find("While parsing"), std::string::npos) << output;
        EXPECT_EQ(output.find("unknown option"), std::string::npos) << output;
    }
}

TEST_F(IniEmulatorTest, TestRunWithTheRealEmulatorRestoresTheIniFolder) {
    const std::string original = "resolution 800x600\r\n# the user's own\nrol 1";
    t.Write("ini/pacman.ini", original);
    const TestRunResult result = TestRunGame(m, 1); // PACMAN, whose ROMs the emulator will not find
    EXPECT_EQ(result.Status, TestRunOutcome::Ran);
    EXPECT_TRUE(result.Why) << result.Why.Reason(); // without the game's ROMs the emulator fails, which does not count
    // It read the game's file from the INI folder, and says so as it tells that the ROMs are missing.
    const Result<EmulatorOptions> options = AskEmulatorOptions(m.Config.MameExePath, m.MameFolder());
    ASSERT_TRUE(options) << options.Reason();
    EXPECT_EQ(TestRunMessage(ReadVerboseRun(result.Output, result.Errors), result.Exit,
                             {m.Config.MameExePath, "pacman", t.File("ini"), &*options, ""}),
              "M.A.M.E. found no ROMs for pacman. It looks in: " + t.File("home") +
                  "/mame/roms, /usr/local/share/games/mame/roms, /usr/share/games/mame/roms. It did read pacman.ini "
                  "from " +
                  t.File("ini") + ".");
    EXPECT_EQ(TempDir::Read(t.File("ini/pacman.ini")), original);
    EXPECT_EQ(Entries(t.File("ini")), std::set<std::string>{"pacman.ini"});
}

#endif // _WIN32
