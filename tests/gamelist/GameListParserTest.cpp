#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "gamelist/GameListParser.h"
#include "gamelist/ListInfoConverter.h"

using namespace kelvaro;

namespace {

// Records the progress calls of an operation.
struct RecordingProgress : ProgressSink {
    std::vector<std::string> calls;
    void Begin(const std::string& text, int count) override {
        calls.push_back("Begin " + text + " " + std::to_string(count));
    }
    void End() override { calls.push_back("End"); }
};

// A legacy emulator's listinfo text, as it wrote it itself: a header block, resources, games.
const char* const kListInfo =
    "clrmamepro (\r\n"
    "\tname \"MAME\"\r\n"
    "\tdescription \"MAME 0.78\"\r\n"
    ")\r\n"
    "\r\n"
    "game (\r\n"
    "\tname puckman\r\n"
    "\tdescription \"PuckMan (Japan set 1, Probably Bootleg)\"\r\n"
    "\tyear 1980\r\n"
    "\tmanufacturer \"Namco\"\r\n"
    "\trom ( name namcopac.6e size 4096 crc fee263b3 )\r\n"
    "\tchip ( type cpu name Z80 clock 3072000 )\r\n"
    "\tvideo ( screen raster orientation vertical x 224 y 288 aspectx 3 aspecty 4 freq 60.606061 )\r\n"
    "\tsound ( channels 1 )\r\n"
    "\tdriver ( status good color good sound good )\r\n"
    ")\r\n"
    "\r\n"
    "resource (\r\n"
    "\tname neogeo\r\n"
    "\tdescription \"Neo-Geo\"\r\n"
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
    "\tname asteroid\r\n"
    "\tdescription \"Asteroids (rev 4)\"\r\n"
    "\tvideo ( screen vector orientation horizontal aspectx 4 aspecty 3 freq 61.523438 )\r\n"
    ")\r\n";

ListRow Row(std::string rom, std::string clone, std::string desc, std::string screen, std::string orient,
            std::string w, std::string h, std::string r) {
    return {rom, clone, desc, screen, orient, w, h, r};
}

void ExpectRow(const ListRow& got, const ListRow& want, const std::string& where) {
    EXPECT_EQ(got.ListRomName, want.ListRomName) << where;
    EXPECT_EQ(got.ListCloneOf, want.ListCloneOf) << where;
    EXPECT_EQ(got.ListDescription, want.ListDescription) << where;
    EXPECT_EQ(got.ListScreen, want.ListScreen) << where;
    EXPECT_EQ(got.ListOrientation, want.ListOrientation) << where;
    EXPECT_EQ(got.ListWidth, want.ListWidth) << where;
    EXPECT_EQ(got.ListHeight, want.ListHeight) << where;
    EXPECT_EQ(got.ListRefresh, want.ListRefresh) << where;
}

// The one game of a text holding a single block.
ListRow ParseOne(const std::string& inner) {
    Model m;
    std::string end = inner.ends_with('\n') ? "" : "\r\n";
    ParseGameList("game (\r\n" + inner + end + ")\r\n", m);
    EXPECT_EQ(m.GameList.Count(), 1) << inner;
    return m.GameList.Count() >= 1 ? m.GameList[1] : ListRow{};
}

} // namespace

TEST(GameListParser, ReadsTheGamesOfALegacyList) {
    Model m;
    ParseGameList(kListInfo, m);
    ASSERT_EQ(m.GameList.Count(), 3);
    EXPECT_EQ(m.GameList[0].ListRomName, ""); // element 0 stays unused
    ExpectRow(m.GameList[1],
              Row("PUCKMAN", "", "PuckMan (Japan set 1, Probably Bootleg)", "Raster", "V", "224", "288", "60.606061"),
              "puckman");
    ExpectRow(m.GameList[2], Row("PACMAN", "PUCKMAN", "Pac-Man (Midway)", "Raster", "V", "224", "288", "60.606061"),
              "pacman");
    ExpectRow(m.GameList[3], Row("ASTEROID", "", "Asteroids (rev 4)", "Vector", "H", "", "", "61.523438"), "asteroid");
}

TEST(GameListParser, LineEndsOfEveryKindAndUnclosedLastBlock) {
    std::string crlf = kListInfo;
    auto replaced = [&](const std::string& with) {
        std::string s;
        for (std::size_t i = 0; i < crlf.size(); ++i) {
            if (crlf.compare(i, 2, "\r\n") == 0) {
                s += with;
                ++i;
            } else {
                s += crlf[i];
            }
        }
        return s;
    };
    for (const std::string& end : {std::string("\n"), std::string("\r")}) {
        Model m;
        ParseGameList(replaced(end), m);
        ASSERT_EQ(m.GameList.Count(), 3) << (end == "\n" ? "LF" : "CR");
        ExpectRow(m.GameList[2], Row("PACMAN", "PUCKMAN", "Pac-Man (Midway)", "Raster", "V", "224", "288", "60.606061"),
                  "pacman");
    }
    // The file ends inside a block, with and without a last line end: the block counts.
    for (const std::string& tail : {std::string("\tname lastone\r\n"), std::string("\tname lastone")}) {
        Model m;
        ParseGameList(std::string(kListInfo) + "game (\n" + tail, m);
        ASSERT_EQ(m.GameList.Count(), 4);
        EXPECT_EQ(m.GameList[4].ListRomName, "LASTONE");
    }
    // A "game (" as the very last line opens an empty block.
    Model m;
    ParseGameList("game (", m);
    ASSERT_EQ(m.GameList.Count(), 1);
    ExpectRow(m.GameList[1], ListRow{}, "empty block");
}

TEST(GameListParser, BlocksOpenAndCloseOnExactLinesOnly) {
    Model m;
    ParseGameList("game ( \r\n\tname a\r\n)\r\n"   // trailing space: no block
                  " game (\r\n\tname b\r\n)\r\n"   // leading space: no block
                  "Game (\r\n\tname c\r\n)\r\n"    // other case: no block
                  "\tgame (\r\n\tname d\r\n)\r\n"  // a tab outside a block is not taken off
                  "game (\r\n\tname e\r\n) \r\n\tname f\r\n\t)\r\n" // ") " does not close, "\t)" does
                  "game (\r\n\tname g\r\n\tgame (\r\n\tname h\r\n)\r\n",
                  m);
    ASSERT_EQ(m.GameList.Count(), 2);
    EXPECT_EQ(m.GameList[1].ListRomName, "F");
    EXPECT_EQ(m.GameList[2].ListRomName, "H");
}

TEST(GameListParser, NameCloneAndDescriptionLines) {
    EXPECT_EQ(ParseOne("\tname pacman\r\n").ListRomName, "PACMAN");
    EXPECT_EQ(ParseOne("\tname Mixed_Case9\r\n").ListRomName, "MIXED_CASE9");
    EXPECT_EQ(ParseOne("name untabbed\r\n").ListRomName, "UNTABBED");
    EXPECT_EQ(ParseOne("\tnamex1\r\n").ListRomName, "1"); // a prefix test
    EXPECT_EQ(ParseOne("\t\tname twotabs\r\n").ListRomName, "");
    EXPECT_EQ(ParseOne("\tname\r\n").ListRomName, "");
    EXPECT_EQ(ParseOne("\tname \r\n").ListRomName, "");
    EXPECT_EQ(ParseOne("\tname a\r\n\tname b\r\n").ListRomName, "B");

    EXPECT_EQ(ParseOne("\tcloneof puckman\r\n").ListCloneOf, "PUCKMAN");
    EXPECT_EQ(ParseOne("\tcloneof\r\n").ListCloneOf, "");
    EXPECT_EQ(ParseOne("\tromof puckman\r\n").ListCloneOf, "");

    EXPECT_EQ(ParseOne("\tdescription \"Ms. Pac-Man\"\r\n").ListDescription, "Ms. Pac-Man");
    EXPECT_EQ(ParseOne("\tdescription \"Say \"Hi\"\"\r\n").ListDescription, "Say \"Hi\"");
    EXPECT_EQ(ParseOne("\tdescription \"\"\r\n").ListDescription, "");
    EXPECT_EQ(ParseOne("\tdescription \"\r\n").ListDescription, "");
    EXPECT_EQ(ParseOne("\tdescription\r\n").ListDescription, "");
    EXPECT_EQ(ParseOne("\tdescription \"x\r\n").ListDescription, "");
    EXPECT_EQ(ParseOne("\tdescription \"xy\r\n").ListDescription, "x");
}

TEST(GameListParser, VideoLines) {
    // Four-digit and two-digit sizes are read whole; the refresh keeps nine characters.
    ExpectRow(ParseOne("\tvideo ( screen raster orientation horizontal x 1024 y 768 aspectx 4 aspecty 3 freq "
                       "100.000000 )\r\n"),
              Row("", "", "", "Raster", "H", "1024", "768", "100.00000"), "big");
    ExpectRow(ParseOne("\tvideo ( screen lcd orientation horizontal x 96 y 64 aspectx 4 aspecty 3 freq 60 )\r\n"),
              Row("", "", "", "", "H", "96", "64", "60 )"), "lcd");
    ExpectRow(ParseOne("\tvideo ( screen raster orientation vertical x 224 y 288 freq 60.6060606 )\r\n"),
              Row("", "", "", "Raster", "V", "224", "288", "60.606060"), "long refresh");
    // Neither orientation; no size; the refresh slice stops at the end of the line.
    ExpectRow(ParseOne("\tvideo ( screen raster freq 59.9"), Row("", "", "", "Raster", "", "", "", "59.9"), "short");
    // A later word overwrites an earlier one in the same cell.
    ExpectRow(ParseOne("\tvideo ( screen raster vector orientation horizontal vertical )\r\n"),
              Row("", "", "", "Vector", "V", "", "", ""), "both");
    // The first " x " counts; " x " followed by no digit gives an empty width.
    ExpectRow(ParseOne("\tvideo ( x 12a y  34 x 56 y 78 )\r\n"), Row("", "", "", "", "", "12", "", ""), "first");
    ExpectRow(ParseOne("\tvideo ( screen raster x 320"), Row("", "", "", "Raster", "", "320", "", ""), "end of line");
    ExpectRow(ParseOne("\tvideo ( screen raster freq"), Row("", "", "", "Raster", "", "", "", ""), "bare freq");
    // Only lines that begin with "video" are searched.
    ExpectRow(ParseOne("\tdisplay ( screen raster orientation vertical x 224 y 288 freq 60 )\r\n"), ListRow{},
              "other line");
    ExpectRow(ParseOne("\t\tvideo ( screen raster orientation vertical x 224 )\r\n"), ListRow{}, "two tabs");
}

TEST(GameListParser, ReadsConverterOutput) {
    std::string xml = "<mame><machine name=\"dkong\"><description>Donkey Kong (US set 1)</description>"
                      "<display type=\"raster\" rotate=\"90\" width=\"256\" height=\"224\" refresh=\"60.606061\"/>"
                      "</machine><machine name=\"dkongj\" cloneof=\"dkong\"><description>Donkey Kong (Japan)"
                      "</description><display type=\"raster\" rotate=\"0\" width=\"1280\" height=\"1024\" "
                      "refresh=\"120.123456\"/></machine></mame>";
    std::string text;
    ListInfoConverter conv([&](std::string_view s) { text += s; });
    ASSERT_TRUE(conv.Feed(xml.data(), xml.size(), true));
    Model m;
    ParseGameList(text, m);
    ASSERT_EQ(m.GameList.Count(), 2);
    ExpectRow(m.GameList[1], Row("DKONG", "", "Donkey Kong (US set 1)", "Raster", "V", "224", "256", "60.606061"),
              "dkong");
    ExpectRow(m.GameList[2], Row("DKONGJ", "DKONG", "Donkey Kong (Japan)", "Raster", "H", "1280", "1024", "120.12345"),
              "dkongj");
}

TEST(ReadGameList, MissingFileGivesAnEmptyOutputSilently) {
    TempDir dir;
    Model m;
    ParseGameList(kListInfo, m);
    ASSERT_EQ(m.GameList.Count(), 3);
    RecordingProgress progress;
    ReadGameList(dir.File("nothere.dat"), m, progress);
    EXPECT_EQ(m.GameList.Count(), 0);
    ParseGameList(kListInfo, m);
    ReadGameList("", m, progress);
    EXPECT_EQ(m.GameList.Count(), 0);
    ParseGameList(kListInfo, m);
    ReadGameList(dir.Path(), m, progress); // a folder is no list
    EXPECT_EQ(m.GameList.Count(), 0);
    EXPECT_TRUE(progress.calls.empty());
}

TEST(ReadGameList, ReadsAFileWithItsProgressText) {
    TempDir dir;
    Model m;
    RecordingProgress progress;
    ReadGameList(dir.Write("mame.dat", kListInfo), m, progress);
    EXPECT_EQ(m.GameList.Count(), 3);
    EXPECT_EQ(progress.calls, (std::vector<std::string>{"Begin Reading Game Info from M.A.M.E.... -1", "End"}));

    ReadGameList(dir.Write("empty.dat", ""), m, progress);
    EXPECT_EQ(m.GameList.Count(), 0);
}
