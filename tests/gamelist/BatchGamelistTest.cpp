// kelvaro-batch run as the real program: the output of listinfo and natives, and the usage errors
// of every subcommand.
#include <gtest/gtest.h>

#include "BatchRun.h"
#include "GamelistFixtures.h"

using namespace gamelist_test;

namespace {

const std::string kXml =
    XmlList(Machine("puckman", "type=\"raster\" rotate=\"90\" width=\"288\" height=\"224\" refresh=\"60.606061\"") +
            Machine("asteroid", "type=\"vector\" refresh=\"61.523438\""));
const std::string kPuckman = Block("puckman", "puckman game", Raster("224", "288", "60.606061", true));
const std::string kConverted = kPuckman + Block("asteroid", "asteroid game", Vector("61.523438", false));

} // namespace

TEST(BatchListinfo, StandardStreamsOrFilesAndStatusOneForMalformedXml) {
    BatchResult r = RunBatch({"listinfo"}, kXml);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out + r.err, kConverted);
    TempDir dir;
    const std::string dat = dir.Write("mame.dat", "old text");
    r = RunBatch({"listinfo", "--xml", dir.Write("list.xml", kXml), "--out", dat});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out + TempDir::Read(dat), kConverted);
    // Cut inside the second machine: the first block is kept, one line says why.
    r = RunBatch({"listinfo", "--out", dat}, kXml.substr(0, kXml.find("<machine name=\"asteroid\"") + 20));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(TempDir::Read(dat), kPuckman);
    EXPECT_EQ(r.err.rfind("kelvaro-batch: malformed XML", 0), 0u) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
}

TEST(BatchNatives, ModesThenBothPanelsOrNothingWithoutGames) {
    TempDir dir;
    BatchResult r = RunBatch({"natives", "--dat", dir.Write("mame.dat", kConverted)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\tVector H\n2\t224 x 288 @ 60.61Hz V\nModes: 1 H + 1 V = 2\n"
                     "Total Games: 1 Horizontal + 1 Vertical = 2 (inc. 1 Vector)\n");
    // Garbage, and a list cut in its first game: no game, or one whose screen is unknown.
    r = RunBatch({"natives", "--dat", dir.Write("bad.dat", std::string("\0\xff)\r\ngame\r(\n\t", 10))});
    EXPECT_EQ(r.status + r.out.size() + r.err.size(), 0u) << r.out << r.err;
    r = RunBatch({"natives", "--dat", dir.Write("cut.dat", kConverted.substr(0, 40))});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Modes: 0 H + 0 V = 0\nTotal Games: 0 Horizontal + 0 Vertical = 0 (inc. 0 Vector)\n");
}

TEST(Batch, UsageErrorsGiveStatusTwoAndOneLineAndWriteNothing) {
    TempDir t;
    const std::string dat = t.Write("mame.dat", fixtures::GameList()), modes = t.Write("modes.txt", fixtures::kModeList);
    const std::string ini = t.File("ini"), none = t.File("none.cfg");
    std::filesystem::create_directory(ini);
    const std::vector<Strings> cases = {
        {"nosuch"},
        {"listinfo", "--xml", t.File("missing.xml")},
        {"listinfo", "--bogus", "x"},
        {"listinfo", "--xml"},
        {"natives"},
        {"natives", "--dat", t.Path()},
        {"modes", "--modes", t.File("missing.txt")},
        {"select", "--dat", dat, "--modes", modes, "--set", "NoSuchSetting=1"},
        {"select", "--dat", dat, "--modes", modes, "--set", "MonitorOrientation"},
        {"select", "--dat", dat, "--modes", modes, "--set", "MatchRefreshWithin=1.5Hz"},
        {"select", "--dat", dat, "--modes", modes, "--cfg", t.Path()},
        {"select", "--dat", dat, "--modes", modes, "--cfg", "/proc/self/mem"},  // there, but reading fails
        {"read", "--dat", dat, "--modes", modes, "--cfg", none},
        {"read", "--dat", dat, "--modes", modes, "--ini-dir", dat},
        {"generate", "--dat", dat, "--modes", modes, "--ini-dir", t.File("missing")},
        {"generate", "--dat", dat, "--modes", modes, "--ini-dir", ini, "--cfg", none, "--game", "nosuch"},
    };
    for (const Strings& args : cases) {
        std::string line;
        for (const std::string& a : args) line += a + " ";
        SCOPED_TRACE(line);
        const BatchResult r = RunBatch(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("kelvaro-batch: ", 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
    EXPECT_EQ(RunBatch({"select", "--dat", dat, "--modes", modes, "--set", "MonitorOrientation=5"}).err,
              "kelvaro-batch: --set MonitorOrientation=5: must be 0, 1 or 2\n");
    EXPECT_TRUE(Entries(ini).empty());
    EXPECT_EQ(Entries(t.Path()), (std::set<std::string>{"ini", "mame.dat", "modes.txt"}));
}
