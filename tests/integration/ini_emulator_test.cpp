// INI files that the real emulator reads, and a test run with the real emulator.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "TempDir.h"
#include "core/Model.h"
#include "gamelist/NativeModes.h"
#include "ini/IniFiles.h"
#include "ini/TestRun.h"
#include "modes/AutoSelect.h"
#include "modes/AvailableModes.h"
#include "platform/Paths.h"

using namespace kelvaro;
namespace fs = std::filesystem;

namespace {

// Real games of the emulator: two vertical ones of one size, a clone, another vertical size and
// a horizontal one.
const char kGameList[] =
    "game (\r\n\tname pacman\r\n\tdescription \"Pac-Man (Midway)\"\r\n\tcloneof puckman\r\n"
    "\tvideo ( screen raster orientation vertical x 224 y 288 aspectx 3 aspecty 4 freq 60.606061 )\r\n)\r\n\r\n"
    "game (\r\n\tname puckman\r\n\tdescription \"Puck Man (Japan set 1)\"\r\n"
    "\tvideo ( screen raster orientation vertical x 224 y 288 aspectx 3 aspecty 4 freq 60.606061 )\r\n)\r\n\r\n"
    "game (\r\n\tname galaga\r\n\tdescription \"Galaga (Namco rev. B)\"\r\n"
    "\tvideo ( screen raster orientation vertical x 224 y 288 aspectx 3 aspecty 4 freq 60.606061 )\r\n)\r\n\r\n"
    "game (\r\n\tname 1942\r\n\tdescription \"1942 (Revision B)\"\r\n"
    "\tvideo ( screen raster orientation vertical x 224 y 256 aspectx 3 aspecty 4 freq 60.000000 )\r\n)\r\n\r\n"
    "game (\r\n\tname sf2\r\n\tdescription \"Street Fighter II: The World Warrior (World 910522)\"\r\n"
    "\tvideo ( screen raster orientation horizontal x 384 y 224 aspectx 4 aspecty 3 freq 59.637405 )\r\n)\r\n\r\n";

const char kModeList[] = "Modes of a vertical arcade monitor\r\n"
                         "320 240 60Hz\r\n"
                         "240 320 60Hz\r\n"
                         "288 224 60Hz\r\n"
                         "224 288 60Hz\r\n"
                         "256 224 60Hz\r\n"
                         "224 256 60Hz\r\n"
                         "384 224 60Hz\r\n"
                         "224 384 60Hz\r\n"
                         "640 480 60Hz\r\n"
                         "480 640 60Hz\r\n";

int GameNumber(const Model& m, const std::string& rom) {
    for (int i = 1; i <= m.Games.Count(); ++i)
        if (m.Games[i].GameRomName == rom) return i;
    return 0;
}

// The emulator on one game with the INI folder given, never opening a window or playing sound;
// without ROMs it stops after reading its INI files. Returns its standard output and error.
std::string RunEmulatorVerbose(const TempDir& t, const std::string& game, const std::string& iniFolder) {
    const std::string out = t.File("emulator-" + game + ".txt");
    const std::string line = "cd '" + t.Path() + "' && timeout 120 '" KELVARO_MAME_EXE "' " + game + " -inipath '" +
                             iniFolder + "' -verbose -video none -sound none -nothrottle -seconds_to_run 1 > '" +
                             out + "' 2>&1";
    std::system(line.c_str());
    return TempDir::Read(out);
}

std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

class IniEmulatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(KELVARO_MAME_EXE)) GTEST_SKIP() << "the emulator is not installed";
        fs::create_directory(t.File("ini"));
        m.S.MameExePath = KELVARO_MAME_EXE;
        m.MameFolder = FolderOfFile(m.S.MameExePath);
        m.S.MameINIPath = t.File("ini");
        m.S.ModeListFile = t.Write("modes.txt", kModeList);
        ReadAvailableModes(m);
        ProgressSink quiet;
        ASSERT_TRUE(BuildNativeModeListFromFile(m, t.Write("mame.dat", kGameList), quiet));
        ASSERT_EQ(m.Games.Count(), 5);
    }

    TempDir t;
    Model m;
};

} // namespace

TEST_F(IniEmulatorTest, EmulatorParsesTheGeneratedFilesOfAVerticalMonitor) {
    m.S.MonitorOrientation = 1;
    m.S.PreferredRotation = 0;
    ProgressSink quiet;
    AutoSelectVideoModes(m, quiet);
    m.S.GenerateApplyTo = 3;
    m.S.GenerateParentsOnly = false;
    m.S.GenerateAvailableOnly = true;  // no ROM folder: every game counts as available
    GenerateResult r = GenerateINIFiles(m, 0, quiet);
    ASSERT_EQ(r.Written, 5);
    EXPECT_EQ(Entries(t.File("ini")),
              (std::set<std::string>{"pacman.ini", "puckman.ini", "galaga.ini", "1942.ini", "sf2.ini"}));

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
    m.Games[GameNumber(m, "PACMAN")].GameINIText = "resolution 224x288|ror 1";
    EXPECT_EQ(TestRunGame(m, GameNumber(m, "PACMAN")), TestRunOutcome::Ran);
    EXPECT_EQ(TempDir::Read(t.File("ini/pacman.ini")), original);
    EXPECT_EQ(Entries(t.File("ini")), std::set<std::string>{"pacman.ini"});

    EXPECT_EQ(TestRunGame(m, GameNumber(m, "GALAGA")), TestRunOutcome::Ran);
    EXPECT_EQ(Entries(t.File("ini")), std::set<std::string>{"pacman.ini"});
}

#endif // _WIN32
