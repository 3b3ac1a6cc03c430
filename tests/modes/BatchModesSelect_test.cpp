#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "TempDir.h"
#include "core/SettingsFile.h"

using namespace kelvaro;

namespace {

struct Result {
    int status = -1;
    std::string out, err;
};

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

Result RunBatch(const TempDir& dir, const std::vector<std::string>& args) {
    std::string cmd = Quote(KELVARO_BATCH_EXE);
    for (const std::string& a : args) cmd += " " + Quote(a);
    const std::string out = dir.File("stdout.txt"), err = dir.File("stderr.txt");
    cmd += " >" + Quote(out) + " 2>" + Quote(err);
    const int raw = std::system(cmd.c_str());
    Result r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = TempDir::Read(out);
    r.err = TempDir::Read(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return r;
}

const char* kListinfo =
    "game (\r\n"
    "\tname puckman\r\n"
    "\tdescription \"PuckMan (Japan set 1)\"\r\n"
    "\tyear 1980\r\n"
    "\tvideo ( screen raster orientation vertical x 224 y 288 aspectx 3 aspecty 4 freq 60.606061 )\r\n"
    ")\r\n"
    "\r\n"
    "game (\r\n"
    "\tname pacman\r\n"
    "\tdescription \"Pac-Man (Midway)\"\r\n"
    "\tcloneof puckman\r\n"
    "\tromof puckman\r\n"
    "\tvideo ( screen raster orientation vertical x 224 y 288 aspectx 3 aspecty 4 freq 60.606061 )\r\n"
    ")\r\n"
    "\r\n"
    "game (\r\n"
    "\tname sf2\r\n"
    "\tdescription \"Street Fighter II\"\r\n"
    "\tvideo ( screen raster orientation horizontal x 384 y 224 aspectx 4 aspecty 3 freq 59.637405 )\r\n"
    ")\r\n"
    "\r\n"
    "game (\r\n"
    "\tname asteroid\r\n"
    "\tdescription \"Asteroids\"\r\n"
    "\tvideo ( screen vector orientation horizontal aspectx 4 aspecty 3 freq 60.000000 )\r\n"
    ")\r\n"
    "\r\n";

const char* kModes = "Test modes\r\n 288 224 60Hz\r\n 384 224 60Hz\r\n 400 300 60Hz\r\n";

class BatchSelect : public ::testing::Test {
protected:
    void SetUp() override {
        dat = dir.Write("mame.dat", kListinfo);
        modes = dir.Write("modes.txt", kModes);
        cfg = dir.File("none.cfg");  // missing: the defaults
    }
    Result Select(std::vector<std::string> extra) {
        std::vector<std::string> args = {"select", "--dat", dat, "--modes", modes, "--cfg", cfg};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunBatch(dir, args);
    }
    TempDir dir;
    std::string dat, modes, cfg;
};

} // namespace

TEST(BatchModes, PrintsRowsAndDistinctLists) {
    TempDir dir;
    const std::string file = dir.Write("m.txt", "heading\r\n 640 240 60Hz\r\n 320 240 57Hz\n1024 768 72.5Hz\r\n\r\n");
    const Result r = RunBatch(dir, {"modes", "--modes", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "1\t640\t240\t60\tNo\t640 x 240 @ 60Hz\n"
              "2\t320\t240\t57\tNo\t320 x 240 @ 57Hz\n"
              "3\t1024\t768\t.5\tYes\t1024 x 768 @ 0.5Hz\n"
              "4\t\t\t00\tNo\t x  @ 0Hz\n"
              "widths\t\t320\t640\t1024\n"
              "heights\t\t240\t768\n");

    const std::string headingOnly = dir.Write("h.txt", "heading\r\n");
    EXPECT_EQ(RunBatch(dir, {"modes", "--modes", headingOnly}).out, "widths\t\nheights\t\n");
}

TEST(BatchModes, UsageErrors) {
    TempDir dir;
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"modes"}, {"modes", "--modes", dir.File("missing.txt")}, {"modes", "--modes", dir.Path()},
             {"modes", "--modes"}, {"modes", "--dat", "x"}}) {
        const Result r = RunBatch(dir, args);
        EXPECT_EQ(r.status, 2) << args.size();
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(r.err.rfind("kelvaro-batch: ", 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
}

TEST_F(BatchSelect, HorizontalMonitor) {
    const Result r = Select({"--set", "MonitorOrientation=0"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "1\tPUCKMAN\t\t224\t288\t60.606061\tV\t400\t300\t60\tresolution 400x300\n"
              "2\tPACMAN\tPUCKMAN\t224\t288\t60.606061\tV\t400\t300\t60\tresolution 400x300\n"
              "3\tSF2\t\t384\t224\t59.637405\tH\t384\t224\t60\tresolution 384x224\n"
              "4\tASTEROID\t\t-\t-\t-\tH\t???\t???\t??\tresolution auto\n"
              "NotFound\t???\t???\t??\tresolution auto\n");
}

TEST_F(BatchSelect, VerticalAndRotatingMonitors) {
    Result r = Select({"--set", "MonitorOrientation=1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "1\tPUCKMAN\t\t224\t288\t60.606061\tV\t288\t224\t60\tresolution 288x224|ror 1\n"
              "2\tPACMAN\tPUCKMAN\t224\t288\t60.606061\tV\t288\t224\t60\tresolution 288x224|ror 1\n"
              "3\tSF2\t\t384\t224\t59.637405\tH\t???\t???\t??\tresolution auto|ror 1\n"
              "4\tASTEROID\t\t-\t-\t-\tH\t???\t???\t??\tresolution auto|ror 1\n"
              "NotFound\t???\t???\t??\tresolution auto\n");

    r = Select({"--set", "MonitorOrientation=2", "--set", "PreferredRotation=1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "1\tPUCKMAN\t\t224\t288\t60.606061\tV\t288\t224\t60\tresolution 288x224|rol 1\n"
              "2\tPACMAN\tPUCKMAN\t224\t288\t60.606061\tV\t288\t224\t60\tresolution 288x224|rol 1\n"
              "3\tSF2\t\t384\t224\t59.637405\tH\t384\t224\t60\tresolution 384x224\n"
              "4\tASTEROID\t\t-\t-\t-\tH\t???\t???\t??\tresolution auto\n"
              "NotFound\t???\t???\t??\tresolution auto\n");
}

TEST_F(BatchSelect, SettingsFileAndNotFoundCorrectionChangeNoFile) {
    // A settings file that asks for a not-found mode the list does not have.
    Settings s;
    s.NotFoundWidth = "800";
    s.NotFoundHeight = "600";
    s.NotFoundRefresh = "60";
    s.NotFoundINIText = "resolution 800x600|sound 0";
    const std::string bytes = FormatSettingsFile(s);
    cfg = dir.Write("kelvaro.cfg", bytes);
    const Result r = Select({});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("4\tASTEROID\t\t-\t-\t-\tH\t???\t???\t??\tresolution auto|sound 0\n"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\nNotFound\t???\t???\t??\tresolution auto|sound 0\n"), std::string::npos) << r.out;
    EXPECT_EQ(TempDir::Read(cfg), bytes);

    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"kelvaro.cfg", "mame.dat", "modes.txt"}));
}

TEST_F(BatchSelect, UsageErrors) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"select", "--dat", dat},
             {"select", "--modes", modes},
             {"select", "--dat", dir.File("nothing.dat"), "--modes", modes},
             {"select", "--dat", dat, "--modes", dir.File("nothing.txt")},
             {"select", "--dat", dat, "--modes", modes, "--bogus", "1"},
             {"select", "--dat", dat, "--modes", modes, "--set", "NoSuchSetting=1"},
             {"select", "--dat", dat, "--modes", modes, "--set", "MonitorOrientation"}}) {
        const Result r = RunBatch(dir, args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_TRUE(r.out.empty()) << args.back();
        EXPECT_FALSE(r.err.empty()) << args.back();
    }
}
