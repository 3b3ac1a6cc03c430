// Writing INI files: scopes, filters, file contents, and files that cannot be written.
#include <gtest/gtest.h>

#include <filesystem>

#include "IniFixtures.h"
#include "TempDir.h"
#include "ini/IniFiles.h"
#include "platform/Paths.h"

using namespace kelvaro;
using namespace inifixtures;
namespace fs = std::filesystem;

namespace {

// PACMAN is a clone; GALAGA shares the size of PUCKMAN at another refresh; MYSTERY shares it with
// no orientation and empty details; SF2 is horizontal; 1942 is vertical at another size.
Model SixGames(const std::string& iniFolder) {
    Model m;
    m.Games.Add(Game("PACMAN", "PUCKMAN", "224", "288", "60.606061", "V", "resolution 640x480|ror 1"));
    m.Games.Add(Game("PUCKMAN", "", "224", "288", "60.606061", "V", "resolution 640x480|ror 1"));
    m.Games.Add(Game("GALAGA", "", "224", "288", "60.606060", "V", "resolution 320x240|ror 1"));
    m.Games.Add(Game("SF2", "", "384", "224", "59.637405", "H", "resolution 384x224|  |# note"));
    m.Games.Add(Game("MYSTERY", "", "224", "288", "60", "", ""));
    m.Games.Add(Game("1942", "", "224", "256", "60.000000", "V"));
    m.S.MameINIPath = iniFolder;
    m.S.GenerateAvailableOnly = true;
    m.S.GenerateParentsOnly = false;
    m.S.GenerateNoINIOnly = false;
    return m;
}

const std::set<std::string> kAllSix = {"pacman.ini", "puckman.ini", "galaga.ini", "sf2.ini", "mystery.ini", "1942.ini"};

} // namespace

TEST(GenerateIniFiles, SelectedGameOnlyWritesOneFileInTheEmulatorsSpelling) {
    TempDir t;
    Model m = SixGames(t.Path());
    m.S.GenerateApplyTo = 0;
    m.S.GenerateParentsOnly = true;
    RecordingProgress p;
    GenerateResult r = GenerateINIFiles(m, 2, p);
    EXPECT_EQ(std::vector<int>({r.Written, r.Skipped, r.Failed}), std::vector<int>({1, 0, 0}));
    EXPECT_EQ(Entries(t.Path()), std::set<std::string>{"puckman.ini"});
    EXPECT_EQ(TempDir::Read(t.File("puckman.ini")), "resolution 640x480\r\nror 1\r\n");
    EXPECT_EQ(r.WrittenPaths, std::vector<std::string>{JoinPath(t.Path(), "puckman.ini")});
    EXPECT_EQ(p.texts, std::vector<std::string>{"Generating INI Files..."});
    EXPECT_EQ(p.counts, std::vector<int>{6});
    EXPECT_EQ(p.steps, OneTo(6));
    EXPECT_EQ(p.ends, 1);
    EXPECT_TRUE(m.INIsGenerated);

    // The selected clone is left out by "Parent Romsets Only"; the run still completes.
    TempDir t2;
    m = SixGames(t2.Path());
    m.S.GenerateParentsOnly = true;
    r = GenerateINIFiles(m, 1, p);
    EXPECT_EQ(std::vector<int>({r.Written, r.Skipped, r.Failed}), std::vector<int>({0, 1, 0}));
    EXPECT_TRUE(Entries(t2.Path()).empty());
    EXPECT_TRUE(m.INIsGenerated);
}

TEST(GenerateIniFiles, EachScopeWritesItsGames) {
    struct Case {
        int applyTo;
        int selected;
        std::set<std::string> files;
    };
    const std::vector<Case> cases = {
        // Native size only: another refresh and another (or no) orientation are in.
        {1, 2, {"pacman.ini", "puckman.ini", "galaga.ini", "mystery.ini"}},
        {2, 2, {"pacman.ini", "puckman.ini", "galaga.ini", "1942.ini"}},
        {2, 5, {"mystery.ini"}},
        {2, 4, {"sf2.ini"}},
        {3, 0, kAllSix},
        {-1, 2, {}},
        {4, 2, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("scope " + std::to_string(c.applyTo) + ", selected " + std::to_string(c.selected));
        TempDir t;
        Model m = SixGames(t.Path());
        m.S.GenerateApplyTo = c.applyTo;
        ProgressSink p;
        GenerateResult r = GenerateINIFiles(m, c.selected, p);
        EXPECT_EQ(Entries(t.Path()), c.files);
        EXPECT_EQ(r.Written, static_cast<int>(c.files.size()));
        EXPECT_EQ(r.Skipped, 0);
    }
}

TEST(GenerateIniFiles, FileBytesFollowTheDetails) {
    TempDir t;
    Model m = SixGames(t.Path());
    m.S.GenerateApplyTo = 3;
    t.Write("sf2.ini", "an older file that is longer than the new one\r\n\r\n\r\n");
    ProgressSink p;
    GenerateINIFiles(m, 0, p);

    EXPECT_EQ(TempDir::Read(t.File("sf2.ini")), "resolution 384x224\r\n  \r\n# note\r\n");
    EXPECT_EQ(TempDir::Read(t.File("1942.ini")), "resolution auto\r\n");
    EXPECT_TRUE(fs::exists(t.File("mystery.ini")));
    EXPECT_EQ(fs::file_size(t.File("mystery.ini")), 0u);
    // The safe write leaves nothing of its own behind.
    EXPECT_EQ(Entries(t.Path()), kAllSix);
}

TEST(GenerateIniFiles, AvailableMeansZipSevenZipOrFolder) {
    TempDir t;
    Model m = SixGames(t.File("ini"));
    fs::create_directory(t.File("ini"));
    t.Write("roms/puckman.zip", "zip");
    t.Write("roms/galaga.7z", "7z");
    fs::create_directories(t.File("roms/1942"));
    t.Write("roms/sf2", "a file, not a folder");
    t.Write("roms/pacman.rar", "not a form the emulator loads");
#ifndef _WIN32
    t.Write("roms/MYSTERY.zip", "the emulator looks for mystery.zip only");
#endif
    m.S.MameROMPath = t.File("roms");
    m.S.GenerateApplyTo = 3;
    ProgressSink p;
    GenerateResult r = GenerateINIFiles(m, 0, p);
    EXPECT_EQ(Entries(t.File("ini")), (std::set<std::string>{"puckman.ini", "galaga.ini", "1942.ini"}));
    EXPECT_EQ(r.Written, 3);
    EXPECT_EQ(r.Skipped, 3);
    EXPECT_TRUE(m.S.GenerateAvailableOnly);
}

TEST(GenerateIniFiles, AvailabilityFilterIsOffWithoutARomFolder) {
    TempDir t;
    for (const std::string& romPath : {std::string(), t.File("missing")}) {
        TempDir ini;
        Model m = SixGames(ini.Path());
        m.S.MameROMPath = romPath;
        m.S.GenerateApplyTo = 3;
        ProgressSink p;
        EXPECT_EQ(GenerateINIFiles(m, 0, p).Skipped, 0) << romPath;
        EXPECT_EQ(Entries(ini.Path()), kAllSix);
    }
}

TEST(GenerateIniFiles, RomPathNamingAFileKeepsTheFilterTheDialogOffers) {
    // The dialog enables "Available Games Only" for such a path, so the filter applies: no game
    // is found in it.
    TempDir t;
    t.Write("not-a-folder", "x");
    TempDir ini;
    Model m = SixGames(ini.Path());
    m.S.MameROMPath = t.File("not-a-folder");
    m.S.GenerateApplyTo = 3;
    ProgressSink p;
    GenerateResult r = GenerateINIFiles(m, 0, p);
    EXPECT_EQ(r.Written, 0);
    EXPECT_EQ(r.Skipped, 6);
}

TEST(GenerateIniFiles, NameThatIsNoFileNameFailsEvenWithTheAvailabilityFilter) {
    TempDir t;
    Model m = SixGames(t.File("ini"));
    fs::create_directory(t.File("ini"));
    t.Write("roms/puckman.zip", "zip");
    t.Write("roms/x.zip", "reachable as roms/../x.zip");
    m.Games.Add(Game("../X", "", "224", "288", "60", "V"));
    m.S.MameROMPath = t.File("roms/sub");
    fs::create_directory(t.File("roms/sub"));
    t.Write("roms/sub/puckman.zip", "zip");
    m.S.GenerateApplyTo = 3;
    ProgressSink p;
    GenerateResult r = GenerateINIFiles(m, 0, p);
    EXPECT_EQ(r.Written, 1);
    EXPECT_EQ(r.Failed, 1);
    EXPECT_EQ(r.FailedNames, (std::vector<std::string>{"../X"}));
    EXPECT_EQ(r.Skipped, 5);
}

TEST(GenerateIniFiles, NoExistingFileOnlyKeepsFilesThatAreThere) {
    TempDir t;
    Model m = SixGames(t.Path());
    m.S.GenerateApplyTo = 3;
    m.S.GenerateNoINIOnly = true;
    t.Write("galaga.ini", "mine\n");
    ProgressSink p;
    GenerateResult r = GenerateINIFiles(m, 0, p);
    EXPECT_EQ(r.Written, 5);
    EXPECT_EQ(r.Skipped, 1);
    EXPECT_EQ(TempDir::Read(t.File("galaga.ini")), "mine\n");
    EXPECT_EQ(Entries(t.Path()), kAllSix);
}

TEST(GenerateIniFiles, FilesThatCannotBeWrittenAreCountedAndTheRunGoesOn) {
    TempDir t;
    Model m = SixGames(t.File("ini"));
    fs::create_directories(t.File("ini/galaga.ini"));  // a folder where the file would go
    m.Games.Add(Game("../X", "", "224", "288", "60", "V"));
    m.Games.Add(Game("A*", "", "224", "288", "60", "V"));
    m.S.GenerateApplyTo = 3;
    RecordingProgress p;
    GenerateResult r = GenerateINIFiles(m, 0, p);

    EXPECT_EQ(r.Written, 5);
    EXPECT_EQ(r.Failed, 3);
    EXPECT_EQ(r.FailedNames, (std::vector<std::string>{"GALAGA", "../X", "A*"}));
    EXPECT_TRUE(fs::is_directory(t.File("ini/galaga.ini")));
    EXPECT_FALSE(fs::exists(t.File("x.ini")));
    EXPECT_EQ(Entries(t.File("ini")), kAllSix);
    EXPECT_EQ(p.steps, OneTo(8));
    EXPECT_EQ(p.ends, 1);
    EXPECT_TRUE(m.INIsGenerated);
}

TEST(GenerateIniFiles, RunThatWroteNothingButFailuresKeepsTheExitQuestion) {
    TempDir t;
    t.Write("file", "a regular file");
    for (const std::string& folder : {t.File("file/ini"), std::string()}) {
        SCOPED_TRACE("INI folder '" + folder + "'");
        Model m = SixGames(folder);
        m.S.GenerateApplyTo = 3;
        RecordingProgress p;
        GenerateResult r = GenerateINIFiles(m, 0, p);
        EXPECT_EQ(r.Written, 0);
        EXPECT_EQ(r.Failed, 6);
        EXPECT_EQ(p.ends, 1);
        EXPECT_FALSE(m.INIsGenerated);
    }
    EXPECT_FALSE(fs::exists("puckman.ini"));  // nothing lands in the current folder
}

TEST(IniFilePath, UsesTheEmulatorsSpellingAndRefusesNamesThatAreNoFileNames) {
    Model m;
    m.S.MameINIPath = "ini";
#ifndef _WIN32
    EXPECT_EQ(IniFilePath(m, "PACMAN"), "ini/pacman.ini");
#endif
    for (const char* bad : {"../X", "A/B", "A\\B", "C:X", "..", "", "A*", "A?", "A\tB"})
        EXPECT_EQ(IniFilePath(m, bad), "") << bad;
    m.S.MameINIPath.clear();
    EXPECT_EQ(IniFilePath(m, "PACMAN"), "");
}
