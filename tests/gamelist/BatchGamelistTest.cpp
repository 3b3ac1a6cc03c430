#include <gtest/gtest.h>

#include <algorithm>

#include "BatchRun.h"
#include "GamelistFixtures.h"

using namespace gamelist_test;

namespace {

long Lines(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

const std::string kXml =
    XmlList(Machine("puckman", "type=\"raster\" rotate=\"90\" width=\"288\" height=\"224\" refresh=\"60.606061\"") +
            Machine("bios", "type=\"raster\" width=\"640\" height=\"480\" refresh=\"60\"", " isbios=\"yes\"") +
            Machine("asteroid", "type=\"vector\" rotate=\"0\" refresh=\"61.523438\""));
const std::string kPuckman = Block("puckman", "puckman game", Raster("224", "288", "60.606061", true));
const std::string kConverted = kPuckman + Block("asteroid", "asteroid game", Vector("61.523438", false));

} // namespace

TEST(BatchGamelist, ListinfoConvertsAndNativesListsTheModes) {
    TempDir dir;
    BatchResult r = RunBatch({"listinfo"}, kXml);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kConverted);
    EXPECT_EQ(r.err, "");

    const std::string dat = dir.Write("out/mame.dat", "old text");
    r = RunBatch({"listinfo", "--xml", dir.Write("list.xml", kXml), "--out", dat});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(TempDir::Read(dat), kConverted);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("out")), {}), 1);

    r = RunBatch({"natives", "--dat", dat});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\tVector H\n2\t224 x 288 @ 60.61Hz V\nModes: 1 H + 1 V = 2\n"
                     "Total Games: 1 Horizontal + 1 Vertical = 2 (inc. 1 Vector)\n");
    // A list without games prints nothing.
    r = RunBatch({"natives", "--dat", dir.Write("empty.dat", "clrmamepro (\r\n)\r\n")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out + r.err, "");
}

TEST(BatchGamelist, MalformedListKeepsTheBlocksBeforeTheFaultWithStatusOne) {
    TempDir dir;
    const std::string cut = dir.Write("cut.xml", kXml.substr(0, kXml.find("<machine name=\"asteroid\"") + 20));
    BatchResult r = RunBatch({"listinfo", "--xml", cut, "--out", dir.Write("mame.dat", "old text")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(TempDir::Read(dir.File("mame.dat")), kPuckman);
    EXPECT_EQ(Lines(r.err), 1);
    EXPECT_NE(r.err.find("malformed XML"), std::string::npos) << r.err;
}

TEST(BatchGamelist, UsageErrorsEndWithStatusTwo) {
    TempDir dir;
    const std::vector<Strings> cases = {
        {"listinfo", "--xml", dir.File("missing.xml")}, {"listinfo", "--bogus", "x"}, {"listinfo", "--xml"},
        {"natives"}, {"natives", "--dat", dir.File("no.dat")}, {"natives", "--dat", dir.Path()},
        {"natives", "--dat", "x", "--xml", "y"},
    };
    for (const Strings& args : cases) {
        std::string line;
        for (const std::string& a : args) line += a + " ";
        SCOPED_TRACE(line);
        BatchResult r = RunBatch(args, kXml);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(Lines(r.err), 1) << r.err;
    }
}
