// Which INI files the emulator reads for one game, and what a test run of it is said to have done.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>

#include "Fixtures.h"
#include "TempDir.h"
#include "emulator/IniSearch.h"
#include "emulator/VerboseRun.h"
#include "gamelist/GameListParser.h"
#include "platform/Paths.h"

using namespace kelvaro;
using fixtures::Block;
using fixtures::Raster;

namespace {

// A machine's name as the program spells it: the game list's own on Windows (upper case in these
// tests), the emulator's lower case elsewhere.
std::string Listed(std::string name) {
#ifdef _WIN32
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
#endif
    return name;
}

} // namespace

TEST(GameIniFiles, TheGameListGivesTheChainAndTheFirstFolderHoldingEachNameCounts) {
    Model m;
    const std::string neo = Raster("304", "224", "59.185606", false);
    ParseGameList(Block("kof98", "KOF 98", neo, "\tromof neogeo\r\n") +
                      Block("kof98a", "KOF 98 (alt)", neo, "\tcloneof kof98\r\n\tromof kof98\r\n") +
                      Block("mslug", "Metal Slug", neo, "\tromof neogeo\r\n") +
                      Block("lcdgame", "LCD", "screen lcd orientation vertical x 96 y 64"),
                  m);
    ASSERT_FALSE(FactsOfGame(m, "neogeo"));
    auto chain = [&](const std::string& game) {
        const GameFacts f = *FactsOfGame(m, game);
        return f.Name + (f.Vertical ? " V " : " H ") + f.Screen + "|" + f.Grandparent +
               (f.GrandparentIsBios ? "*" : "") + "|" + f.Parent + (f.ParentIsBios ? "*" : "");
    };
    EXPECT_EQ(chain("KOF98A"), Listed("kof98a") + " H raster|" + Listed("neogeo") + "*|" + Listed("kof98"));
    EXPECT_EQ(chain("mslug"), Listed("mslug") + " H raster||" + Listed("neogeo") + "*");
    EXPECT_EQ(chain("lcdgame"), Listed("lcdgame") + " V ||");

    TempDir t;
    const std::string home = t.File("home"), etc = t.File("etc"), ini = t.File("ini");
    t.Write("etc/mame.ini", "inipath home;ini;etc\n");
    t.Write("home/mame.ini", "switchres 1\n");
    t.Write("home/horizont.ini", "ror 1\nrol 0\n");
    t.Write("home/arcade.ini", "autoror 1\n");
    t.Write("ini/raster.ini", "resolution 640x480\n");
    t.Write("etc/raster.ini", "hidden by the one in ini\n");
    t.Write("home/source/neogeo.ini", "rol 1\n");
    t.Write("ini/neogeo.ini", "");
    t.Write("ini/kof98a.ini", "resolution 320x224\nror 1\n");
    std::filesystem::create_directory(t.File("home/kof98.ini")); // a folder is no INI file
    EmulatorOptions options;
    options.IniFolders = options.MameIniFolders = {home, ini, etc};
    options.BuiltInIniFolders = {etc};
    GameFacts kof98a = *FactsOfGame(m, "kof98a");
    kof98a.Source = "neogeo";
    std::vector<std::string> read;
    for (const IniFileRead& f : IniFilesForGame(options, kof98a))
        read.push_back(f.Path.substr(t.Path().size()) + (f.MayApply ? "?" : "") + " " + f.Why + " (" + f.Sets + ")");
    const std::string bios = Listed("neogeo"), game = Listed("kof98a");
    std::vector<std::string> expected = {"/etc/mame.ini the emulator's settings ()",
                                         "/home/mame.ini the emulator's settings ()",
                                         "/home/horizont.ini horizontal games (ror 1)",
                                         "/home/arcade.ini? machines of this type (autoror 1)",
                                         "/ini/raster.ini raster screens (resolution 640x480)",
                                         "/home/source/neogeo.ini the source file neogeo (rol 1)",
                                         "/ini/" + bios + ".ini the BIOS " + bios + " ()",
                                         "/ini/" + game + ".ini the game itself (resolution 320x224, ror 1)"};
    for (std::string& line : expected) std::replace(line.begin(), line.end(), '/', kelvaro::PathSeparator());
    EXPECT_EQ(read, expected);
}

TEST(GameIniFiles, TheTestRunSaysWhatWentWrongAndNothingElse) {
    TempDir t;
    const std::string home = t.File("home"), ini = t.File("ini");
    std::filesystem::create_directories(ini);
    t.Write("home/galaga.ini", "resolution 640x480\n");
    EmulatorOptions options;
    options.IniFolders = {home, ini};
    options.RomFolders = {"/roms", "/more"};
    options.Values = {{"readconfig", "1"}};
    const std::string parsed =
        "Attempting load of mame.ini\nParsing mame.ini\nAttempting load of pacman.ini\nParsing pacman.ini\n";
    const std::string notFound = "ALSA lib: cannot find card '0'\r\npacman.6e NOT FOUND (tried in pacman puckman)\n";
    struct Row {
        std::string game, out, err;
        ProcessExit exit;
        bool withOptions;
        std::string message;
    };
    const std::string notRead = "M.A.M.E. did not read pacman.ini from " + ini + ".";
    const Row rows[] = {
        {"pacman", parsed, "", {0, 0, {}}, true, ""},
        {"pacman", "", "", {0, 0, {}}, true, ""}, // an emulator that says nothing of its INI files
        {"pacman",
         "Attempting load of mame.ini\n",
         "",
         {0, 0, {}},
         true,
         notRead + " It reads INI files from: " + home + ", " + ini + "."},
        {"pacman", "Attempting load of pacman.ini\n", "", {0, 0, {}}, false, notRead},
        {"galaga",
         "Attempting load of galaga.ini\nParsing galaga.ini\n",
         "",
         {0, 0, {}},
         true,
         "M.A.M.E. did not read galaga.ini from " + ini + ": it read the one in " + home +
             " instead. It reads INI files from: " + home + ", " + ini + "."},
        {"pacman",
         parsed,
         notFound,
         {2, 0, {}},
         true,
         "M.A.M.E. found no ROMs for pacman. It looks in: /roms, /more. It did read pacman.ini from " + ini + "."},
        {"pacman", parsed, notFound, {2, 0, {}}, false, "M.A.M.E. found no ROMs for pacman."},
        {"nosuch", "", "Unknown system 'nosuch'\n", {5, 0, {}}, true, "M.A.M.E. does not know a game named nosuch."},
        {"pacman",
         parsed,
         "Fatal error: no screen\n\n",
         {3, 0, {}},
         true,
         "M.A.M.E. ended with exit status 3: Fatal error: no screen"},
        {"pacman", parsed, "", {-1, 11, {}}, true, "M.A.M.E. was ended by signal 11."},
        {"pacman",
         "",
         "",
         {-1, 0, std::make_error_code(std::errc::permission_denied)},
         true,
         "M.A.M.E. could not be started: /emu/mame: Permission denied."},
    };
    for (const Row& r : rows) {
        const TestRunSetting setting{"/emu/mame", r.game, ini, r.withOptions ? &options : nullptr, ""};
        EXPECT_EQ(TestRunMessage(ReadVerboseRun(r.out, r.err), r.exit, setting), r.message) << r.out << r.err;
    }
}

// The score lines are those of Debian's emulator 0.251 full screen with switchres 1 on a display
// of three modes: asked for 320x240@60 it set that mode; asked for 400x240, which the display
// lacks, it set 640 x 480 and scored the modes again, all alike, when the picture changed size.
TEST(GameIniFiles, TheTestRunReadsTheModeSetFromTheScoreLines) {
    const std::string head = "Attempting load of pong.ini\nParsing pong.ini\nLeave sdlwindow_init\n";
    const std::string asked320 = "1024x 768@ 0 -> 0.000133\n 640x 480@60 -> 0.002469\n 320x 240@60 -> 2.000000\n";
    const std::string asked400 = "1024x 768@ 0 -> 0.000929\n 640x 480@60 -> 0.002469\n 320x 240@60 -> 0.000006\n";
    const std::string resized = "1024x 768@ 0 -> 0.000001\n 640x 480@60 -> 0.000001\n 320x 240@60 -> 0.000001\n";
    const std::string between = "Enter sdl_info::create\nOpenGL: VBO supported\n";
    struct Row {
        std::string out, details;
        std::optional<DisplayMode> set;
        bool passed;
        std::string message;
    };
    const Row rows[] = {
        {head + asked320 + between + asked320, "resolution 320x240@60", DisplayMode{320, 240, 60}, true, ""},
        {head + asked320, "resolution 320x240", DisplayMode{320, 240, 60}, true, ""},
        {head + asked400 + between + asked400 + between + resized, "ror 1|resolution 400x240",
         DisplayMode{640, 480, 60}, false,
         "M.A.M.E. set the display to 640 x 480 @ 60 Hz instead of 400 x 240: the display has no mode 400 x 240."},
        {head + asked320, "resolution 320x240@57", DisplayMode{320, 240, 60}, false,
         "M.A.M.E. set the display to 320 x 240 @ 60 Hz instead of 320 x 240 @ 57 Hz: the display has no mode "
         "320 x 240 @ 57 Hz."},
        {head + asked400, "resolution auto", DisplayMode{640, 480, 60}, true, ""},
        // A window, or switchres 0: no score, nothing said, and the mode asked for not known to be set.
        {head, "resolution 320x240@60", std::nullopt, false, ""},
        {head + "   0x   0@ 0 -> 0.000000\n", "resolution auto", std::nullopt, true, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.out + r.details);
        const VerboseRun run = ReadVerboseRun(r.out, "");
        EXPECT_EQ(run.ModeSet, r.set);
        const TestRunSetting setting{"/emu/mame", "pong", "/ini", nullptr, r.details};
        EXPECT_EQ(TestRunMessage(run, {0, 0, {}}, setting), r.message);
        EXPECT_EQ(TestRunPassed(run, {0, 0, {}}, setting), r.passed);
    }
}
