// Reading INI files back into the game table.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "Fixtures.h"
#include "TempDir.h"
#include "ini/IniFiles.h"

using namespace kelvaro;
namespace fs = std::filesystem;

namespace {

// Two modes of 640 by 480, so that the last one's refresh can be told from the first one's.
Model ReadyModel(const std::string& iniFolder, const std::vector<std::string>& roms) {
    Model m;
    m.NativeModes.Add(NativeModeRow{"224", "288", "60.606061", "V"});
    for (const AvailModeRow& mode : {fixtures::Mode("640", "480", "60"), fixtures::Mode("320", "240", "60"),
                                     fixtures::Mode("640", "480", "57")})
        m.AvailModes.Add(mode);
    for (const std::string& rom : roms) {
        // Something other than the defaults, so that an untouched row is seen to be untouched.
        GameRow& g = m.Games.Add(fixtures::Game(rom, "224", "288", "60.606061", "V", "resolution 320x240|kept"));
        g.GameModeWidth = "320";
        g.GameModeHeight = "240";
        g.GameModeRefresh = "60";
    }
    m.S.MameINIPath = iniFolder;
    return m;
}

// "[details] W H R"
std::string RowOf(const GameRow& g) {
    return "[" + g.GameINIText + "] " + g.GameModeWidth + " " + g.GameModeHeight + " " + g.GameModeRefresh;
}

const std::string kUntouched = "[resolution 320x240|kept] 320 240 60";

} // namespace

TEST(ReadExistingIniFiles, EachFileGivesItsGameDetailsAndMode) {
    struct Case {
        std::string rom;
        const char* bytes;  // nullptr: no file of that name is written here
        std::string row;
    };
    const std::vector<Case> cases = {
        {"EMPTY", "", "[resolution auto] ??? ??? ??"},
        {"RORONLY", "ror 1\r\n", "[resolution auto|ror 1] ??? ??? ??"},
        // The last 640 x 480 mode gives the refresh; the suffix goes; any line end reads alike.
        {"SECOND", "ror 1\r\nresolution 640x480@60\r\n", "[ror 1|resolution 640x480] 640 480 57"},
        {"LFONLY", "ror 1\nresolution 640x480@60\n", "[ror 1|resolution 640x480] 640 480 57"},
        {"CRONLY", "ror 1\rresolution 640x480@60", "[ror 1|resolution 640x480] 640 480 57"},
        {"NOEND", "# mine\r\nresolution 640x480", "[# mine|resolution 640x480] 640 480 57"},
        {"NOSIZE", "resolution 1024x768\r\n", "[resolution 1024x768] 1024 768 ??"},
        {"SPACED", "resolution 640 x 480\r\n", "[resolution 640 x] 640   ??"},
        {"BLANKS", "\r\n\r\nresolution 320x240\r\n\r\n  \r\nrol 1\r\n", "[resolution 320x240|  |rol 1] 320 240 60"},
        {"PIPE", "resolution 320x240|ror 1\n", "[resolution 320x240|ror 1] 320 240 60"},
        // No file, a file that cannot be read, a folder by the file's name, a name that is no
        // file name, the wrong case.
        {"NOFILE", nullptr, kUntouched},
        {"UNREADABLE", nullptr, kUntouched},
        {"GALAGA", nullptr, kUntouched},
        {"../X", nullptr, kUntouched},
        {"SF2", nullptr, kUntouched},
    };
    TempDir t;
    fs::create_directories(t.File("ini/galaga.ini"));
#ifdef __linux__
    // A file whose reading fails even for the superuser: this process's memory from address 0.
    fs::create_symlink("/proc/self/mem", t.File("ini/unreadable.ini"));
#endif
    t.Write("x.ini", "resolution 640x480\r\n");  // where "../X" would lead
#ifndef _WIN32
    t.Write("ini/SF2.ini", "resolution 640x480\r\n");  // the emulator would not find it either
#endif
    std::vector<std::string> roms;
    for (const Case& c : cases) {
        roms.push_back(c.rom);
        std::string name = c.rom;
        for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (c.bytes) t.Write("ini/" + name + ".ini", c.bytes);
    }
    Model m = ReadyModel(t.File("ini"), roms);
    fixtures::RecordingProgress p;
    EXPECT_EQ(ReadExistingINIFiles(m, p), ReadIniOutcome::Read);
    for (size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(RowOf(m.Games[static_cast<int>(i) + 1]), cases[i].row) << cases[i].rom;
    EXPECT_EQ(p.log, fixtures::ProgressOver("Reading Existing INI Files...", static_cast<int>(cases.size())));
    EXPECT_EQ(TempDir::Read(t.File("ini/second.ini")), cases[2].bytes);  // reading changes no file
}

TEST(ReadExistingIniFiles, MissingFolderOrEmptyListsReadNothingAndShowNothing) {
    TempDir t;
    t.Write("ini-is-a-file", "x");
    t.Write("pacman.ini", "resolution 640x480\r\n");
    struct Case {
        std::string folder;
        bool emptyNative, emptyAvailable;
        ReadIniOutcome outcome;
    };
    const std::vector<Case> cases = {
        {"", false, false, ReadIniOutcome::NoFolder},
        {t.File("missing"), false, false, ReadIniOutcome::NoFolder},
        {t.Path(), true, false, ReadIniOutcome::ListsEmpty},
        {t.Path(), false, true, ReadIniOutcome::ListsEmpty},
        // A path naming a file passes the same test as the menu that offers the command; no game
        // file is found under it.
        {t.File("ini-is-a-file"), false, false, ReadIniOutcome::Read},
    };
    for (const Case& c : cases) {
        Model m = ReadyModel(c.folder, {"PACMAN"});
        if (c.emptyNative) m.NativeModes.Clear();
        if (c.emptyAvailable) m.AvailModes.Clear();
        fixtures::RecordingProgress p;
        EXPECT_EQ(ReadExistingINIFiles(m, p), c.outcome) << c.folder;
        EXPECT_EQ(p.log.empty(), c.outcome != ReadIniOutcome::Read) << c.folder;
        EXPECT_EQ(RowOf(m.Games[1]), kUntouched) << c.folder;
    }
}
