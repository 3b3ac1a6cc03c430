// kelvaro-batch read and generate, run as the real program on small files.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "IniFixtures.h"
#include "TempDir.h"

using namespace inifixtures;
namespace fs = std::filesystem;

namespace {

const char kGameList[] =
    "game (\r\n\tname pacman\r\n\tdescription \"Pac-Man (Midway)\"\r\n\tyear 1980\r\n\tcloneof puckman\r\n"
    "\tromof puckman\r\n"
    "\tvideo ( screen raster orientation vertical x 224 y 288 aspectx 3 aspecty 4 freq 60.606061 )\r\n)\r\n\r\n"
    "game (\r\n\tname puckman\r\n\tdescription \"Puck Man (Japan set 1)\"\r\n"
    "\tvideo ( screen raster orientation vertical x 224 y 288 aspectx 3 aspecty 4 freq 60.606061 )\r\n)\r\n\r\n"
    "game (\r\n\tname galaga\r\n\tdescription \"Galaga (Namco rev. B)\"\r\n"
    "\tvideo ( screen raster orientation vertical x 224 y 288 aspectx 3 aspecty 4 freq 60.606061 )\r\n)\r\n\r\n"
    "game (\r\n\tname 1942\r\n\tdescription \"1942 (Revision B)\"\r\n"
    "\tvideo ( screen raster orientation vertical x 224 y 256 aspectx 3 aspecty 4 freq 60.000000 )\r\n)\r\n\r\n"
    "game (\r\n\tname sf2\r\n\tdescription \"Street Fighter II\"\r\n"
    "\tvideo ( screen raster orientation horizontal x 384 y 224 aspectx 4 aspecty 3 freq 59.637405 )\r\n)\r\n\r\n";

const char kModeList[] = "Mode list\r\n640 480 60Hz\r\n320 240 60Hz\r\n384 224 60Hz\r\n640 480 57Hz\r\n";

struct Result {
    int status = -1;
    std::string out, err;
};

// A fixture with the game list, the mode list, an INI folder "ini" and no settings file, so the
// defaults hold unless a test sets something.
class BatchIniTest : public ::testing::Test {
protected:
    void SetUp() override {
        dat = t.Write("mame.dat", kGameList);
        modes = t.Write("modes.txt", kModeList);
        ini = t.File("ini");
        fs::create_directory(ini);
    }

    Result Run(const std::string& command, const std::vector<std::string>& more = {}) const {
        std::vector<std::string> args = {command, "--dat", dat, "--modes", modes, "--ini-dir", ini,
                                         "--cfg", t.File("none.cfg")};
        args.insert(args.end(), more.begin(), more.end());
        return RunArgs(args);
    }

    Result RunArgs(const std::vector<std::string>& args) const {
        std::string line = std::string("'") + KELVARO_BATCH_EXE + "'";
        for (const std::string& a : args) line += " '" + a + "'";
        line += " > '" + t.File("out") + "' 2> '" + t.File("err") + "'";
        Result r;
        const int raw = std::system(line.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = TempDir::Read(t.File("out"));
        r.err = TempDir::Read(t.File("err"));
        return r;
    }

    std::string IniFile(const std::string& name) const { return TempDir::Read(ini + "/" + name); }

    TempDir t;
    std::string dat, modes, ini;
};

} // namespace

TEST_F(BatchIniTest, ReadPrintsTheTableWithTheFilesReadBackAndChangesNothing) {
    t.Write("ini/pacman.ini", "ror 1\nresolution 640x480@60\n");
    t.Write("ini/sf2.ini", "resolution 1024x768\r\n");
    fs::create_directory(ini + "/galaga.ini");
    Result r = Run("read");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "1\tPACMAN\tPUCKMAN\t224\t288\t60.606061\tV\t640\t480\t57\tror 1|resolution 640x480\n"
              "2\tPUCKMAN\t\t224\t288\t60.606061\tV\t???\t???\t??\tresolution auto\n"
              "3\tGALAGA\t\t224\t288\t60.606061\tV\t???\t???\t??\tresolution auto\n"
              "4\t1942\t\t224\t256\t60.000000\tV\t???\t???\t??\tresolution auto\n"
              "5\tSF2\t\t384\t224\t59.637405\tH\t1024\t768\t??\tresolution 1024x768\n"
              "NotFound\t???\t???\t??\tresolution auto\n");
    EXPECT_EQ(IniFile("pacman.ini"), "ror 1\nresolution 640x480@60\n");
    EXPECT_EQ(Entries(ini), (std::set<std::string>{"pacman.ini", "sf2.ini", "galaga.ini"}));
    EXPECT_FALSE(fs::exists(t.File("none.cfg")));
}

TEST_F(BatchIniTest, GenerateWithoutAGameCoversAllGamesThroughTheFilters) {
    t.Write("ini/pacman.ini", "ror 1\nresolution 640x480@60\n");
    t.Write("ini/sf2.ini", "resolution 1024x768\r\n# mine\r\n");
    Result r = Run("generate", {"--no-select"});
    EXPECT_EQ(r.status, 0) << r.err;
    // The clone is left out by "Parent Romsets Only"; without a ROM folder all are available.
    EXPECT_EQ(r.out, "written\t" + ini + "/puckman.ini\n" + "written\t" + ini + "/galaga.ini\n" + "written\t" + ini +
                         "/1942.ini\n" + "written\t" + ini + "/sf2.ini\n" + "written 4, skipped 1, failed 0\n");
    EXPECT_EQ(IniFile("puckman.ini"), "resolution auto\r\n");
    EXPECT_EQ(IniFile("sf2.ini"), "resolution 1024x768\r\n# mine\r\n");
    EXPECT_EQ(IniFile("pacman.ini"), "ror 1\nresolution 640x480@60\n");
}

TEST_F(BatchIniTest, GenerateForOneGameUsesTheStoredScope) {
    t.Write("ini/pacman.ini", "ror 1\nresolution 640x480@60\n");
    // Scope 2: the orientation of the named game; names match whatever their case.
    Result r = Run("generate", {"--no-select", "--game", "puckman", "--set", "GenerateApplyTo=2", "--set",
                                "GenerateParentsOnly=False"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(r.out.rfind("written ")), "written 4, skipped 0, failed 0\n");
    EXPECT_EQ(Entries(ini), (std::set<std::string>{"pacman.ini", "puckman.ini", "galaga.ini", "1942.ini"}));
    EXPECT_EQ(IniFile("pacman.ini"), "ror 1\r\nresolution 640x480\r\n");

    r = Run("generate", {"--no-select", "--game", "SF2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "written\t" + ini + "/sf2.ini\nwritten 1, skipped 0, failed 0\n");

    t.Write("roms/galaga.zip", "zip");
    r = Run("generate", {"--no-select", "--rom-dir", t.File("roms"), "--set", "GenerateParentsOnly=False", "--set",
                         "GenerateApplyTo=3", "--game", "galaga"});
    EXPECT_EQ(r.out, "written\t" + ini + "/galaga.ini\nwritten 1, skipped 4, failed 0\n");
}

TEST_F(BatchIniTest, GenerateSelectsModesFirstUnlessToldNot) {
    Result r = Run("generate", {"--set", "MonitorOrientation=1"});
    EXPECT_EQ(r.status, 0) << r.err;
    for (const std::string name : {"puckman.ini", "galaga.ini", "1942.ini", "sf2.ini"}) {
        const std::string bytes = IniFile(name);
        EXPECT_EQ(bytes.rfind("resolution ", 0), 0u) << name << ": " << bytes;
        EXPECT_NE(bytes.find("\r\nror 1\r\n"), std::string::npos) << name << ": " << bytes;
    }
}

TEST_F(BatchIniTest, FilesThatCannotBeWrittenGiveStatusOne) {
    fs::create_directory(ini + "/1942.ini");
    Result r = Run("generate", {"--no-select"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.substr(r.out.rfind("written ")), "written 3, skipped 1, failed 1\n");
    EXPECT_NE(r.err.find("1942"), std::string::npos);
    EXPECT_TRUE(fs::exists(ini + "/sf2.ini"));
}

TEST_F(BatchIniTest, UsageErrorsWriteNothing) {
    std::vector<Result> results;
    results.push_back(Run("generate", {"--no-select", "--game", "nosuch"}));
    results.push_back(RunArgs({"generate", "--dat", t.File("missing.dat"), "--modes", modes, "--ini-dir", ini}));
    results.push_back(RunArgs({"generate", "--dat", dat, "--modes", t.File("missing.txt"), "--ini-dir", ini}));
    results.push_back(RunArgs({"read", "--dat", dat, "--modes", modes, "--ini-dir", t.File("missing")}));
    results.push_back(RunArgs({"read", "--dat", dat, "--modes", modes, "--ini-dir", dat}));
    results.push_back(RunArgs({"read", "--dat", dat, "--ini-dir", ini}));
    for (const Result& r : results) {
        EXPECT_EQ(r.status, 2) << r.out;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_TRUE(Entries(ini).empty());
}

#endif // _WIN32
