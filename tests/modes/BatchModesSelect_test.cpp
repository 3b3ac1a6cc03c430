// kelvaro-batch modes and select, run as the real program on small files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BatchRun.h"
#include "Fixtures.h"
#include "TempDir.h"
#include "core/SettingsFile.h"

using namespace kelvaro;

TEST(BatchModes, PrintsRowsAndDistinctLists) {
    TempDir dir;
    const BatchResult r =
        RunBatch({"modes", "--modes", dir.Write("m.txt", "heading\r\n 640 240 60Hz\r\n 320 240 57Hz\n1024 768 72.5Hz\r\n\r\n")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "1\t640\t240\t60\tNo\t640 x 240 @ 60Hz\n"
              "2\t320\t240\t57\tNo\t320 x 240 @ 57Hz\n"
              "3\t1024\t768\t.5\tYes\t1024 x 768 @ 0.5Hz\n"
              "4\t\t\t00\tNo\t x  @ 0Hz\n"
              "widths\t\t320\t640\t1024\n"
              "heights\t\t240\t768\n");
    EXPECT_EQ(RunBatch({"modes", "--modes", dir.Write("h.txt", "heading\r\n")}).out, "widths\t\nheights\t\n");
}

TEST(BatchSelect, PrintsTheGameTableAndChangesNoFile) {
    TempDir dir;
    const std::string dat = dir.Write("mame.dat", fixtures::GameList());
    const std::string modes = dir.Write("modes.txt", fixtures::kModeList);
    auto select = [&](const std::string& cfg, const std::vector<std::string>& sets) {
        std::vector<std::string> args = {"select", "--dat", dat, "--modes", modes, "--cfg", cfg};
        for (const std::string& s : sets) args.insert(args.end(), {"--set", s});
        return RunBatch(args);
    };
    BatchResult r = select(dir.File("none.cfg"), {"MonitorOrientation=1", "PreferredRotation=1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "1\tPACMAN\tPUCKMAN\t224\t288\t60.606061\tV\t288\t224\t60\tresolution 288x224|rol 1\n"
              "2\tPUCKMAN\t\t224\t288\t60.606061\tV\t288\t224\t60\tresolution 288x224|rol 1\n"
              "3\tGALAGA\t\t224\t288\t60.606061\tV\t288\t224\t60\tresolution 288x224|rol 1\n"
              "4\t1942\t\t224\t256\t60.000000\tV\t288\t224\t60\tresolution 288x224|rol 1\n"
              "5\tSF2\t\t384\t224\t59.637405\tH\t???\t???\t??\tresolution auto|rol 1\n"
              "6\tASTEROID\t\t-\t-\t-\tH\t???\t???\t??\tresolution auto|rol 1\n"
              "NotFound\t???\t???\t??\tresolution auto\n");

    // A settings file asking for a not-found mode the list does not have: corrected, not written.
    Settings s;
    s.NotFoundWidth = "800";
    s.NotFoundHeight = "600";
    s.NotFoundINIText = "resolution 800x600|sound 0";
    const std::string cfg = dir.Write("kelvaro.cfg", FormatSettingsFile(s));
    r = select(cfg, {});  // a horizontal monitor: only the vector game is not found
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\n5\tSF2\t\t384\t224\t59.637405\tH\t384\t224\t60\tresolution 384x224\n"
                         "6\tASTEROID\t\t-\t-\t-\tH\t???\t???\t??\tresolution auto|sound 0\n"
                         "NotFound\t???\t???\t??\tresolution auto|sound 0\n"), std::string::npos) << r.out;
    EXPECT_EQ(TempDir::Read(cfg), FormatSettingsFile(s));
    EXPECT_EQ(fixtures::Entries(dir.Path()), (std::set<std::string>{"kelvaro.cfg", "mame.dat", "modes.txt"}));
}

TEST(BatchModesSelect, UsageErrorsGiveStatusTwoAndOneLine) {
    TempDir dir;
    const std::string dat = dir.Write("mame.dat", fixtures::GameList());
    const std::string modes = dir.Write("modes.txt", fixtures::kModeList);
    const std::vector<std::vector<std::string>> cases = {
        {"modes"},
        {"modes", "--modes"},
        {"modes", "--modes", dir.File("missing.txt")},
        {"modes", "--modes", dir.Path()},
        {"modes", "--dat", dat},
        {"select", "--dat", dat},
        {"select", "--modes", modes},
        {"select", "--dat", dir.File("nothing.dat"), "--modes", modes},
        {"select", "--dat", dat, "--modes", dir.File("nothing.txt")},
        {"select", "--dat", dat, "--modes", modes, "--bogus", "1"},
        {"select", "--dat", dat, "--modes", modes, "--set", "NoSuchSetting=1"},
        {"select", "--dat", dat, "--modes", modes, "--set", "MonitorOrientation"},
    };
    for (const auto& args : cases) {
        const BatchResult r = RunBatch(args);
        SCOPED_TRACE(args.front() + " ... " + args.back());
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("kelvaro-batch: ", 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
}
