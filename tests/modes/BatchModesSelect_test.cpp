// kelvaro-batch modes and select run as the real program: what they print and how they end.
#include <gtest/gtest.h>

#include "BatchRun.h"
#include "Fixtures.h"
#include "TempDir.h"
#include "core/SettingsFile.h"

using namespace kelvaro;

TEST(BatchModes, PrintsRowsAndDistinctLists) {
    TempDir dir;
    BatchResult r = RunBatch({"modes", "--modes", dir.Write("m.txt", "heading\r\n 640 240 60Hz\r\n1024 768 72.5Hz\r\n\r\n")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "1\t640\t240\t60\tNo\t640 x 240 @ 60Hz\n"
              "2\t1024\t768\t.5\tYes\t1024 x 768 @ 0.5Hz\n"
              "3\t\t\t00\tNo\t x  @ 0Hz\n"
              "widths\t\t640\t1024\n"
              "heights\t\t240\t768\n");
    EXPECT_EQ(RunBatch({"modes", "--modes", dir.Write("h.txt", "heading\r\n")}).out, "widths\t\nheights\t\n");
}

TEST(BatchSelect, SettingsFromTheFileThenEachSetAndNoFileChanged) {
    TempDir dir;
    Settings s;
    s.MonitorOrientation = 1;
    const std::string cfg = dir.Write("kelvaro.cfg", FormatSettingsFile(s));
    // The last game's name would retitle a terminal: its control characters are not printed.
    const std::string list = fixtures::GameList() + fixtures::Block("bad\x1b]0;x\x07", "x", "");
    const BatchResult r = RunBatch({"select", "--dat", dir.Write("mame.dat", list), "--modes",
                                    dir.Write("modes.txt", fixtures::kModeList), "--cfg", cfg, "--set",
                                    "PreferredRotation=1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "1\tPACMAN\tPUCKMAN\t224\t288\t60.606061\tV\t288\t224\t60\tresolution 288x224|rol 1\n"
              "2\tPUCKMAN\t\t224\t288\t60.606061\tV\t288\t224\t60\tresolution 288x224|rol 1\n"
              "3\tGALAGA\t\t224\t288\t60.606061\tV\t288\t224\t60\tresolution 288x224|rol 1\n"
              "4\t1942\t\t224\t256\t60.000000\tV\t288\t224\t60\tresolution 288x224|rol 1\n"
              "5\tSF2\t\t384\t224\t59.637405\tH\t???\t???\t??\tresolution auto|rol 1\n"
              "6\tASTEROID\t\t-\t-\t-\tH\t???\t???\t??\tresolution auto|rol 1\n"
              "7\tBAD\uFFFD]0;X\uFFFD\t\tVECTOR\tVECTOR\t\t\t???\t???\t??\tresolution auto|rol 1\n"
              "NotFound\t???\t???\t??\tresolution auto\n");
    EXPECT_EQ(TempDir::Read(cfg), FormatSettingsFile(s));
    EXPECT_EQ(fixtures::Entries(dir.Path()), (std::set<std::string>{"kelvaro.cfg", "mame.dat", "modes.txt"}));
}
