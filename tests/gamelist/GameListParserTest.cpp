#include <gtest/gtest.h>

#include "GamelistFixtures.h"
#include "gamelist/GameListParser.h"

using namespace kelvaro;
using namespace gamelist_test;

namespace {

// A legacy emulator's own listinfo text: a header block, a resource, games with other lines.
const std::string kListInfo =
    "clrmamepro (\r\n\tname \"MAME\"\r\n)\r\n\r\n"
    "game (\r\n\tname puckman\r\n\tdescription \"PuckMan (Japan set 1)\"\r\n\tyear 1980\r\n"
    "\trom ( name namcopac.6e size 4096 crc fee263b3 )\r\n"
    "\tvideo ( screen raster orientation vertical x 224 y 288 aspectx 3 aspecty 4 freq 60.606061 )\r\n)\r\n\r\n"
    "resource (\r\n\tname neogeo\r\n\tdescription \"Neo-Geo\"\r\n)\r\n\r\n"
    "game (\r\n\tname pacman\r\n\tdescription \"Pac-Man (Midway)\"\r\n\tcloneof puckman\r\n\tromof puckman\r\n"
    "\tvideo ( screen vector orientation horizontal aspectx 4 aspecty 3 freq 61.523438 )\r\n)\r\n";

// The cells of each row: rom|clone|description|screen|orientation|width|height|refresh.
Strings AllCells(const Model& m) {
    Strings cells;
    for (int i = 1; i <= m.GameList.Count(); ++i) {
        const ListRow& r = m.GameList[i];
        cells.push_back(r.ListRomName + "|" + r.ListCloneOf + "|" + r.ListDescription + "|" + r.ListScreen + "|" +
                        r.ListOrientation + "|" + r.ListWidth + "|" + r.ListHeight + "|" + r.ListRefresh);
    }
    return cells;
}

const Strings kListCells = {"PUCKMAN||PuckMan (Japan set 1)|Raster|V|224|288|60.606061",
                            "PACMAN|PUCKMAN|Pac-Man (Midway)|Vector|H|||61.523438"};

} // namespace

TEST(GameListParser, ReadsTheLinesOfABlock) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\tname Mixed_Case9", "MIXED_CASE9|||||||"},
        {"name untabbed", "UNTABBED|||||||"},
        {"\tnamex1", "1|||||||"},
        {"\t\tname twotabs", "|||||||"},
        {"\tname", "|||||||"},
        {"\tcloneof puckman\r\n\tromof other", "|PUCKMAN||||||"},
        {"\tdescription \"Say \"Hi\"\"", "||Say \"Hi\"|||||"},
        {"\tdescription", "|||||||"},
        {"\tdescription \"xy", "||x|||||"},
        // Sizes are whole digit runs; the refresh keeps nine characters, or what the line holds.
        {"\tvideo ( screen raster orientation horizontal x 1024 y 768 aspectx 4 aspecty 3 freq 100.000000 )",
         "|||Raster|H|1024|768|100.00000"},
        {"\tvideo ( screen lcd orientation horizontal x 96 y 64 freq 60 )", "||||H|96|64|60 )"},
        {"\tvideo ( screen raster freq 59.9", "|||Raster||||59.9"},
        {"\tvideo ( screen raster freq", "|||Raster||||"},
        // A later word wins; the first " x " and " y " count, a digit must follow at once.
        {"\tvideo ( screen raster vector orientation horizontal vertical )", "|||Vector|V|||"},
        {"\tvideo ( x 12a y  34 x 56 y 78 )", "|||||12||"},
        // A quoted value is one value: nothing in it is taken for a word of the line.
        {"\tvideo ( screen \"raster x 1 y 1 vertical\" orientation horizontal x \"320 (a)\" y 240 freq \"60 ( )\" )",
         "||||H|320|240|60 ( )"},
        {"\tvideo ( screen vector x \"12 freq 3", "|||Vector||12||"},
        // Only lines that begin with "video" after one tab are searched.
        {"\tdisplay ( screen raster orientation vertical x 224 y 288 freq 60 )", "|||||||"},
        {"\t\tvideo ( screen raster orientation vertical x 224 )", "|||||||"},
    };
    for (const auto& [inner, cells] : cases) {
        Model m;
        ParseGameList("game (\r\n" + inner + "\r\n)\r\n", m);
        EXPECT_EQ(AllCells(m), Strings{cells}) << inner;
    }
}

TEST(GameListParser, BlocksOpenAndCloseOnExactLinesOnly) {
    Model m;
    ParseGameList("game ( \t\r\n\tname a\r\n)\r\n"                  // trailing blanks: a block all the same
                  " game (\r\n\tname b\r\n)\r\n"                    // leading space: no block
                  "Game (\r\n\tname c\r\n)\r\n"                     // other case: no block
                  "\tgame (\r\n\tname d\r\n)\r\n"                   // a tab outside a block is not taken off
                  "game (\r\n\tname e\r\n) \r\n\tname f\r\n\t)\r\n" // ") " does not close, "\t)" does
                  "game (\r\n\tname g\r\n\tgame (\r\n\tname h\r\n)\r\n"
                  "game (\r\n\tname i\r\ngame (\r\n\tname j\r\n", // a block left open ends at the next
                  m);
    EXPECT_EQ(AllCells(m), (Strings{"A|||||||", "F|||||||", "H|||||||", "I|||||||", "J|||||||"}));
    // A byte order mark in front of the first game, as a text editor saves it.
    ParseGameList("\xEF\xBB\xBFgame (\r\n\tname a\r\n)\r\n\xEF\xBB\xBFgame (\r\n\tname b\r\n)\r\n", m);
    EXPECT_EQ(AllCells(m), (Strings{"A|||||||"}));
}

TEST(GameListParser, LineEndsOfEveryKindAndAnUnclosedLastBlock) {
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        std::string text;
        for (char c : kListInfo)
            if (c != '\r') text += c == '\n' ? end : std::string(1, c);
        Model m;
        ParseGameList(text, m);
        EXPECT_EQ(AllCells(m), kListCells) << end.size() << (end == "\n" ? " LF" : " CR");
    }
    // The text ends inside a block, with or without a last line end: the block counts.
    for (const std::string tail : {"game (\n\tname lastone\r\n", "game (\n\tname lastone", "game ("}) {
        Model m;
        ParseGameList(kListInfo + tail, m);
        ASSERT_EQ(m.GameList.Count(), 3) << tail;
        EXPECT_EQ(m.GameList[3].ListRomName, tail == "game (" ? "" : "LASTONE");
    }
}

// The count made while the list streams in agrees with the reader, wherever the stream was cut.
TEST(GameCounter, CountsWhatTheReaderReadsWhereverTheChunksEnd) {
    const std::string text = "\xEF\xBB\xBFgame ( \r\n)\r\n game (\r\n)\r\nGame (\r\n\tgame (\r\ngame (x\r\n)\r\n"
                             "game ( x\r\n\xEF\xBB\xBFgame (\r\ngame (\r\n\tname a\r\ngame (\n)\ngame (\r)\r"
                             "game (\r\n\tgame (\r\n)\r\ngame (\t";
    Model m;
    ParseGameList(text, m);
    ASSERT_EQ(m.GameList.Count(), 6);
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        GameCounter counter;
        counter.Feed(std::string_view(text).substr(0, cut));
        counter.Feed(std::string_view(text).substr(cut));
        EXPECT_EQ(counter.Count(), 6) << cut;
    }
    GameCounter partMark; // the start of a mark, then something else: no game
    partMark.Feed("\xEF\xBBgame (\n");
    EXPECT_EQ(partMark.Count(), 0);
    TempDir dir;
    EXPECT_EQ(CountGamesInFile(dir.Write("mame.dat", text)), 6);
    EXPECT_EQ(CountGamesInFile(dir.File("none.dat")), std::nullopt);
}

TEST(ReadGameList, NoFileGivesAnEmptyOutputSilently) {
    TempDir dir;
    Model m;
    RecordingProgress progress;
    for (const std::string& nothing : {dir.File("nothere.dat"), std::string(), dir.Path()}) {
        ParseGameList(kListInfo, m);
        EXPECT_FALSE(ReadGameList(nothing, m, progress)) << nothing;
        EXPECT_EQ(m.GameList.Count(), 0) << nothing;
    }
    EXPECT_TRUE(progress.log.empty());
}
