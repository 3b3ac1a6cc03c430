// kelvaro-batch read and generate, run as the real program on small files.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <filesystem>

#include "BatchRun.h"
#include "Fixtures.h"
#include "TempDir.h"

using fixtures::Entries;
namespace fs = std::filesystem;

namespace {

// The game list, the mode list, an INI folder "ini" and no settings file, so the defaults hold
// unless a test sets something.
class BatchIniTest : public ::testing::Test {
protected:
    void SetUp() override {
        dat = t.Write("mame.dat", fixtures::GameList());
        modes = t.Write("modes.txt", fixtures::kModeList);
        ini = t.File("ini");
        t.Write("ini/pacman.ini", "ror 1\nresolution 640x480@60\n");
        t.Write("ini/sf2.ini", "resolution 1024x768\r\n# mine\r\n");
    }

    BatchResult Run(const std::string& command, const std::vector<std::string>& more = {}) const {
        std::vector<std::string> args = {command, "--dat", dat, "--modes", modes, "--ini-dir", ini, "--cfg", t.File("none.cfg")};
        args.insert(args.end(), more.begin(), more.end());
        return RunBatch(args);
    }

    std::string IniFile(const std::string& name) const { return TempDir::Read(ini + "/" + name); }

    TempDir t;
    std::string dat, modes, ini;
};

} // namespace

TEST_F(BatchIniTest, ReadPrintsTheTableWithTheFilesReadBackAndChangesNothing) {
    fs::create_directory(ini + "/galaga.ini");
    const BatchResult r = Run("read");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "1\tPACMAN\tPUCKMAN\t224\t288\t60.606061\tV\t640\t480\t57\tror 1|resolution 640x480\n"
              "2\tPUCKMAN\t\t224\t288\t60.606061\tV\t???\t???\t??\tresolution auto\n"
              "3\tGALAGA\t\t224\t288\t60.606061\tV\t???\t???\t??\tresolution auto\n"
              "4\t1942\t\t224\t256\t60.000000\tV\t???\t???\t??\tresolution auto\n"
              "5\tSF2\t\t384\t224\t59.637405\tH\t1024\t768\t??\tresolution 1024x768|# mine\n"
              "6\tASTEROID\t\t-\t-\t-\tH\t???\t???\t??\tresolution auto\n"
              "NotFound\t???\t???\t??\tresolution auto\n");
    EXPECT_EQ(IniFile("pacman.ini"), "ror 1\nresolution 640x480@60\n");
    EXPECT_EQ(Entries(ini), (std::set<std::string>{"pacman.ini", "sf2.ini", "galaga.ini"}));
    EXPECT_FALSE(fs::exists(t.File("none.cfg")));
}

TEST_F(BatchIniTest, GenerateWritesTheScopeThroughTheFilters) {
    // All games; the clone is left out by "Parent Romsets Only"; without a ROM folder all are
    // available. The files read back are written again as read.
    BatchResult r = Run("generate", {"--no-select"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::string expected;
    for (const char* name : {"puckman", "galaga", "1942", "sf2", "asteroid"}) expected += "written\t" + ini + "/" + name + ".ini\n";
    EXPECT_EQ(r.out, expected + "written 5, skipped 1, failed 0\n");
    EXPECT_EQ(IniFile("sf2.ini"), "resolution 1024x768\r\n# mine\r\n");
    EXPECT_EQ(IniFile("pacman.ini"), "ror 1\nresolution 640x480@60\n");

    // With a game, the stored scope; names match whatever their case.
    t.Write("roms/galaga.zip", "zip");
    r = Run("generate", {"--no-select", "--rom-dir", t.File("roms"), "--set", "GenerateParentsOnly=False", "--set",
                         "GenerateApplyTo=3", "--game", "galaga"});
    EXPECT_EQ(r.out, "written\t" + ini + "/galaga.ini\nwritten 1, skipped 5, failed 0\n");

    // The selection runs first; a file that cannot be written gives status 1 and the run goes on.
    fs::remove(ini + "/1942.ini");
    fs::create_directory(ini + "/1942.ini");
    r = Run("generate", {"--set", "MonitorOrientation=1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.substr(r.out.rfind("written ")), "written 4, skipped 1, failed 1\n");
    EXPECT_NE(r.err.find("1942"), std::string::npos);
    EXPECT_EQ(IniFile("puckman.ini"), "resolution 288x224\r\nror 1\r\n");
}

TEST_F(BatchIniTest, UsageErrorsWriteNothing) {
    const std::vector<std::vector<std::string>> cases = {
        {"generate", "--dat", dat, "--modes", modes, "--ini-dir", ini, "--no-select", "--game", "nosuch"},
        {"generate", "--dat", t.File("missing.dat"), "--modes", modes, "--ini-dir", ini},
        {"generate", "--dat", dat, "--modes", modes},
        {"read", "--dat", dat, "--modes", modes, "--ini-dir", t.File("missing")},
        {"read", "--dat", dat, "--modes", modes, "--ini-dir", dat},
        {"read", "--dat", dat, "--ini-dir", ini},
    };
    for (const auto& args : cases) {
        const BatchResult r = RunBatch(args);
        SCOPED_TRACE(args.front() + " ... " + args.back());
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("kelvaro-batch: ", 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
    EXPECT_EQ(Entries(ini), (std::set<std::string>{"pacman.ini", "sf2.ini"}));
    EXPECT_EQ(IniFile("pacman.ini"), "ror 1\nresolution 640x480@60\n");
}

#endif // _WIN32
