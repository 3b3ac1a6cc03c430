// kelvaro-batch read and generate run as the real program: what they print and how they end.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <filesystem>
#include <map>

#include "BatchRun.h"
#include "Fixtures.h"
#include "TempDir.h"

using fixtures::Entries;
namespace fs = std::filesystem;

namespace {

// The game list, the mode list, an INI folder "ini" holding PACMAN's file, and no settings file.
class BatchIniTest : public ::testing::Test {
protected:
    void SetUp() override { t.Write("ini/pacman.ini", "ror 1\nresolution 640x480@60\n"); }

    BatchResult Run(const std::string& command, const std::vector<std::string>& more = {}) const {
        std::vector<std::string> args = {command, "--dat", t.Write("mame.dat", fixtures::GameList()), "--modes",
                                         t.Write("modes.txt", fixtures::kModeList), "--ini-dir", ini, "--cfg",
                                         t.File("none.cfg")};
        args.insert(args.end(), more.begin(), more.end());
        return RunBatch(args);
    }

    TempDir t;
    const std::string ini = t.File("ini");
};

} // namespace

TEST_F(BatchIniTest, ReadPrintsTheTableWithTheFilesReadBackAndChangesNothing) {
    const BatchResult r = Run("read");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "1\tPACMAN\tPUCKMAN\t224\t288\t60.606061\tV\t640\t480\t60\tror 1|resolution 640x480@60\n"
              "2\tPUCKMAN\t\t224\t288\t60.606061\tV\t???\t???\t??\tresolution auto\n"
              "3\tGALAGA\t\t224\t288\t60.606061\tV\t???\t???\t??\tresolution auto\n"
              "4\t1942\t\t224\t256\t60.000000\tV\t???\t???\t??\tresolution auto\n"
              "5\tSF2\t\t384\t224\t59.637405\tH\t???\t???\t??\tresolution auto\n"
              "6\tASTEROID\t\t-\t-\t-\tH\t???\t???\t??\tresolution auto\n"
              "NotFound\t???\t???\t??\tresolution auto\n");
    EXPECT_EQ(TempDir::Read(ini + "/pacman.ini"), "ror 1\nresolution 640x480@60\n");
    EXPECT_EQ(Entries(t.Path()), (std::set<std::string>{"ini", "mame.dat", "modes.txt"}));
    EXPECT_EQ(Entries(ini), std::set<std::string>{"pacman.ini"});
}

TEST_F(BatchIniTest, GenerateListsTheFilesWrittenAndEndsWithStatusOneOnAFailure) {
    // The selection runs first (a vertical monitor's rotation line shows it); the clone is left
    // out; a file that cannot be written is named and the run goes on.
    fs::create_directory(ini + "/1942.ini");
    BatchResult r = Run("generate", {"--set", "MonitorOrientation=1"});
    EXPECT_EQ(r.status, 1);
    std::string expected;
    for (const char* name : {"puckman", "galaga", "sf2", "asteroid"}) expected += "written\t" + ini + "/" + name + ".ini\n";
    EXPECT_EQ(r.out, expected + "written 4, skipped 1, failed 1\n");
    EXPECT_EQ(r.err, "kelvaro-batch: the INI file of 1942 could not be written (cannot write " + ini +
                         "/1942.ini: Is a directory)\n");
    EXPECT_EQ(TempDir::Read(ini + "/puckman.ini"), "resolution 288x224\r\nror 1\r\n");
    EXPECT_EQ(TempDir::Read(ini + "/pacman.ini"), "ror 1\nresolution 640x480@60\n");

    // With a game: the stored scope, its name in any case; no selection when asked.
    fs::remove(ini + "/galaga.ini");
    t.Write("roms/galaga.zip", "zip");
    r = Run("generate", {"--no-select", "--rom-dir", t.File("roms"), "--set", "GenerateParentsOnly=False", "--set",
                         "GenerateApplyTo=3", "--game", "galaga"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "written\t" + ini + "/galaga.ini\nwritten 1, skipped 5, failed 0\n");
    EXPECT_EQ(TempDir::Read(ini + "/galaga.ini"), "resolution auto\r\n");
}

TEST_F(BatchIniTest, FilesWrittenWithARateReadBackToTheSameModeAndAreWrittenBackAsTheyWere) {
    // Pac-Man's size at two rates on a vertical monitor: its line names the rate.
    fs::remove(ini + "/pacman.ini");
    const std::vector<std::string> all = {"--modes", t.Write("rates.txt", std::string(fixtures::kModeList) + " 288 224 57Hz\r\n"),
                                          "--set", "MonitorOrientation=1", "--set", "GenerateParentsOnly=False"};
    ASSERT_EQ(Run("generate", all).status, 0);
    std::map<std::string, std::string> first;
    for (const std::string& name : Entries(ini)) first[name] = TempDir::Read(ini + "/" + name);
    EXPECT_EQ(first["pacman.ini"], "resolution 288x224@60\r\nror 1\r\n");
    std::vector<std::string> again = all;
    again.push_back("--no-select");
    ASSERT_EQ(Run("generate", again).status, 0);
    for (const auto& [name, bytes] : first) EXPECT_EQ(TempDir::Read(ini + "/" + name), bytes) << name;
}

#endif // _WIN32
