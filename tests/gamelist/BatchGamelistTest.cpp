#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "GamelistFixtures.h"

using namespace gamelist_test;

namespace {

struct Result {
    int status = -1;
    std::string out, err;
};

// Runs kelvaro-batch with the arguments (already quoted for the shell) and standard input from
// a file (none: empty input).
Result RunBatch(const TempDir& dir, const std::string& args, const std::string& input = "") {
    std::string in = dir.Write("stdin.txt", input);
    std::string cmd = std::string("'") + KELVARO_BATCH_EXE + "' " + args + " < '" + in + "' > '" +
                      dir.File("stdout.txt") + "' 2> '" + dir.File("stderr.txt") + "'";
    int raw = std::system(cmd.c_str());
    Result r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = TempDir::Read(dir.File("stdout.txt"));
    r.err = TempDir::Read(dir.File("stderr.txt"));
    return r;
}

std::string Quote(const std::string& path) { return "'" + path + "'"; }

int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

const std::string kXml = XmlList(
    Machine("puckman", "Puck Man", "type=\"raster\" rotate=\"90\" width=\"288\" height=\"224\" refresh=\"60.606061\"") +
    Machine("bios", "A BIOS", "type=\"raster\" width=\"640\" height=\"480\" refresh=\"60\"", " isbios=\"yes\"") +
    Machine("asteroid", "Asteroids", "type=\"vector\" rotate=\"0\" refresh=\"61.523438\""));

const std::string kConverted =
    "game (\r\n\tname puckman\r\n\tdescription \"Puck Man\"\r\n\tyear 1981\r\n\tmanufacturer \"Maker\"\r\n"
    "\tvideo ( screen raster orientation vertical x 224 y 288 aspectx 3 aspecty 4 freq 60.606061 )\r\n)\r\n\r\n"
    "game (\r\n\tname asteroid\r\n\tdescription \"Asteroids\"\r\n\tyear 1981\r\n\tmanufacturer \"Maker\"\r\n"
    "\tvideo ( screen vector orientation horizontal aspectx 4 aspecty 3 freq 61.523438 )\r\n)\r\n\r\n";

} // namespace

TEST(BatchListinfo, StandardInputToStandardOutput) {
    TempDir dir;
    Result r = RunBatch(dir, "listinfo", kXml);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kConverted);
    EXPECT_EQ(r.err, "");
}

TEST(BatchListinfo, FilesGivenByOption) {
    TempDir dir;
    std::string xml = dir.Write("list.xml", kXml);
    dir.Write("out/mame.dat", "old text");
    Result r = RunBatch(dir, "listinfo --xml " + Quote(xml) + " --out " + Quote(dir.File("out/mame.dat")));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(TempDir::Read(dir.File("out/mame.dat")), kConverted);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("out")), {}), 1);
}

TEST(BatchListinfo, MalformedListGivesWhatCameBeforeAndStatusOne) {
    TempDir dir;
    std::string cut = kXml.substr(0, kXml.find("<machine name=\"asteroid\"") + 20);
    Result r = RunBatch(dir, "listinfo", cut);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kConverted.substr(0, kConverted.find("game (", 10)));
    EXPECT_EQ(Lines(r.err), 1);
    EXPECT_NE(r.err.find("malformed XML"), std::string::npos) << r.err;

    std::string garbage = dir.Write("garbage.xml", "\x89PNG\r\n\x1a\n binary");
    r = RunBatch(dir, "listinfo --xml " + Quote(garbage) + " --out " + Quote(dir.File("g.dat")));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(TempDir::Read(dir.File("g.dat")), "");
    EXPECT_EQ(Lines(r.err), 1);
}

TEST(BatchListinfo, UsageErrors) {
    TempDir dir;
    for (const std::string& args : {std::string("listinfo --xml ") + Quote(dir.File("missing.xml")),
                                    std::string("listinfo --bogus x"), std::string("listinfo --xml")}) {
        Result r = RunBatch(dir, args, kXml);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_EQ(Lines(r.err), 1) << args << ": " << r.err;
    }
}

TEST(BatchNatives, PrintsModesAndPanels) {
    TempDir dir;
    std::string dat = dir.Write("mame.dat", kConverted + Block("mspacman", "Ms. Pac-Man", Raster("224", "288",
                                                                                               "60.606061", true)) +
                                                Block("galaga", "Galaga", Raster("224", "288", "60.606060", true)) +
                                                Block("tempest", "Tempest", Vector("60", true)) +
                                                Block("nosize", "No size", "screen raster orientation horizontal"));
    Result r = RunBatch(dir, "natives --dat " + Quote(dat));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\t x  @ Hz H\n"
                     "2\tVector H\n"
                     "3\tVector V\n"
                     "4\t224 x 288 @ 60.61Hz V\n"
                     "5\t224 x 288 @ 60.61Hz V\n"
                     "Modes: 2 H + 3 V = 5\n"
                     "Total Games: 2 Horizontal + 4 Vertical = 6 (inc. 2 Vector)\n");
}

TEST(BatchNatives, NothingForAListWithoutGames) {
    TempDir dir;
    for (const std::string& text : {std::string(), std::string("clrmamepro (\r\n)\r\n")}) {
        Result r = RunBatch(dir, "natives --dat " + Quote(dir.Write("mame.dat", text)));
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "");
    }
}

TEST(BatchNatives, UsageErrors) {
    TempDir dir;
    for (const std::string& args : {std::string("natives"), std::string("natives --dat ") + Quote(dir.File("no.dat")),
                                    std::string("natives --dat ") + Quote(dir.Path()),
                                    std::string("natives --dat x --xml y")}) {
        Result r = RunBatch(dir, args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_EQ(Lines(r.err), 1) << args << ": " << r.err;
    }
}
