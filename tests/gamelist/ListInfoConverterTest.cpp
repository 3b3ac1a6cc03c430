#include <gtest/gtest.h>

#include "GamelistFixtures.h"
#include "gamelist/GameListParser.h"
#include "gamelist/ListInfoConverter.h"

using namespace kelvaro;
using namespace gamelist_test;

namespace {

const std::string kScreen = "type=\"raster\" rotate=\"0\" width=\"320\" height=\"240\" refresh=\"60\"";

// One machine each, and the block it gives (none for a machine that is left out).
struct Case {
    std::string xml, block;
};
const std::vector<Case> kCases = {
    {Machine("neogeo", kScreen, " isbios=\"yes\""), ""},
    {Machine("z80", kScreen, " isdevice=\"yes\""), ""},
    {Machine("awnet", kScreen, " runnable=\"no\""), ""},
    {Machine("sound", ""), ""},
    // A turned screen shows its height across; the optional lines in their order.
    {"<machine name=\"pacman\" cloneof=\"puckman\" romof=\"puckman\"><description>Pac-Man</description>"
     "<year>1980</year><manufacturer>Namco</manufacturer><rom name=\"a\" size=\"1\"/><display type=\"raster\" "
     "rotate=\"90\" width=\"288\" height=\"224\" refresh=\"60.606061\"/></machine>",
     Block("pacman", "Pac-Man", Raster("224", "288", "60.606061", true),
           "\tyear 1980\r\n\tmanufacturer \"Namco\"\r\n\tcloneof puckman\r\n\tromof puckman\r\n")},
    {Machine("r270", "type=\"raster\" rotate=\"270\" width=\"288\" height=\"224\" refresh=\"60\""),
     Block("r270", "r270 game", Raster("224", "288", "60", true))},
    {Machine("r180", "type=\"raster\" rotate=\"180\" width=\"256\" height=\"240\" refresh=\"60\""),
     Block("r180", "r180 game", Raster("256", "240", "60", false))},
    // Vector screens and screens without a whole size have no size; no refresh, no freq.
    {Machine("asteroid", "type=\"vector\" rotate=\"0\" width=\"400\" height=\"300\" refresh=\"61.523438\""),
     Block("asteroid", "asteroid game", Vector("61.523438", false))},
    {Machine("nosize", "type=\"raster\" rotate=\"90\" width=\"256\" refresh=\"57.5\""),
     Block("nosize", "nosize game", "screen raster orientation vertical aspectx 3 aspecty 4 freq 57.5")},
    {Machine("nofreq", "type=\"raster\" width=\"256\" height=\"240\""),
     Block("nofreq", "nofreq game", "screen raster orientation horizontal x 256 y 240 aspectx 4 aspecty 3")},
    // The first screen counts.
    {"<machine name=\"twoscr\"><description>Two</description><display type=\"raster\" width=\"256\" "
     "height=\"224\" refresh=\"59\"/><display type=\"raster\" rotate=\"90\" width=\"1\" height=\"2\" "
     "refresh=\"30\"/></machine>",
     Block("twoscr", "Two", Raster("256", "224", "59", false))},
    // Entities are expanded; line breaks and tabs inside a value become spaces.
    {"<machine name=\"odd&amp;chars\" cloneof=\"base&#9;set\"><description>Tom &amp; Jerry &lt;proto&gt; "
     "&quot;Caf&#233;&quot;&#13;&#10;line\ttab\nnext</description><year>198&#10;2</year>"
     "<display type=\"lcd\" width=\"1024\" height=\"768\" refresh=\"100\"/></machine>",
     Block("odd&chars", "Tom & Jerry <proto> \"Caf\xC3\xA9\"  line tab next",
           "screen lcd orientation horizontal x 1024 y 768 aspectx 4 aspecty 3 freq 100",
           "\tyear 198 2\r\n\tcloneof base set\r\n")},
    // A screen value that the reader would take apart goes in quotes (a quote inside becomes an
    // apostrophe); a plain word that the reader looks for, too.
    {Machine("quoted", "type=\"raster x 1 y 1 vertical\" width=\"3 2\" height=\"vertical\" refresh=\"6&quot;0 (\""),
     Block("quoted", "quoted game",
           "screen \"raster x 1 y 1 vertical\" orientation horizontal x \"3 2\" y \"vertical\" aspectx 4 aspecty 3 "
           "freq \"6'0 (\"")},
    {Machine("words", "type=\"x\" width=\"freq\" height=\"\" refresh=\"59.5e0\""),
     Block("words", "words game", "screen \"x\" orientation horizontal x \"freq\" y  aspectx 4 aspecty 3 freq 59.5e0")},
    // Empty texts keep their lines; older lists name their machines "game".
    {"<game name=\"old\"><description></description><year></year><display type=\"svg\" width=\"64\" height=\"32\" "
     "refresh=\"50\"/></game>",
     Block("old", "", "screen svg orientation horizontal x 64 y 32 aspectx 4 aspecty 3 freq 50", "\tyear \r\n")},
};

// Feeds the input in pieces of the given size, then the end; the sink must only ever receive
// whole blocks, and a failure stops the conversion for good. Returns the text, and whether the
// list was well formed; error receives the reason.
std::pair<std::string, bool> Convert(const std::string& xml, std::size_t piece = 1 << 20,
                                     std::string* error = nullptr) {
    std::string text;
    ListInfoConverter conv([&](std::string_view s) {
        EXPECT_TRUE(s.starts_with("game (\r\n") && s.ends_with(")\r\n\r\n")) << s;
        text += s;
    });
    bool ok = true;
    for (std::size_t at = 0; at < xml.size(); at += piece)
        ok = conv.Feed(xml.data() + at, std::min(piece, xml.size() - at), false) && ok;
    ok = conv.Feed(nullptr, 0, true) && ok;
    EXPECT_EQ(conv.Failed(), !ok);
    EXPECT_EQ(conv.ErrorText().empty(), ok);
    EXPECT_EQ(conv.Feed(xml.data(), xml.size(), true), ok);
    if (error) *error = conv.ErrorText();
    return {text, ok};
}

// All cases in one list; ends[i] is where case i's machine ends in it.
std::string AllCases(std::vector<std::size_t>* ends = nullptr, std::string* blocks = nullptr) {
    std::string xml = kXmlHead;
    for (const Case& c : kCases) {
        xml += c.xml;
        if (ends) ends->push_back(xml.rfind('>') + 1);
        xml += "\n";
        if (blocks) *blocks += c.block;
    }
    return xml + "</mame>\n";
}

// The blocks of the cases whose machine ended within the first `size` bytes.
std::string BlocksBefore(const std::vector<std::size_t>& ends, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < ends.size() && ends[i] <= size; ++i) text += kCases[i].block;
    return text;
}

} // namespace

TEST(ListInfoConverter, WritesEachKeptMachineAsOneBlock) {
    std::string expected;
    const std::string xml = AllCases(nullptr, &expected);
    for (std::size_t piece : {1u, 7u, 4096u}) EXPECT_EQ(Convert(xml, piece), std::make_pair(expected, true)) << piece;

    // The reader takes each quoted value whole: the odd screen type is no raster and turns nothing.
    Model m;
    ParseGameList(expected, m);
    Strings read;
    for (int i = 1; i <= m.GameList.Count(); ++i)
        if (const ListRow& r = m.GameList[i]; r.ListRomName == "QUOTED" || r.ListRomName == "WORDS")
            read.push_back(r.ListScreen + "|" + r.ListOrientation + "|" + r.ListWidth + "|" + r.ListHeight + "|" +
                           r.ListRefresh);
    EXPECT_EQ(read, (Strings{"|H|3||6'0 (", "|H|||59.5e0 )"}));
}

TEST(ListInfoConverter, BrokenInputKeepsTheWholeBlocksBeforeTheFault) {
    std::vector<std::size_t> ends;
    const std::string xml = AllCases(&ends);
    // Cut at every byte: the blocks of the machines closed before the cut, and a fault.
    for (std::size_t cut = 0; cut + 1 < xml.size(); ++cut)
        ASSERT_EQ(Convert(xml.substr(0, cut), 97), std::make_pair(BlocksBefore(ends, cut), false)) << cut;

    // Garbage in the middle, and junk from the start.
    const std::string good = xml.substr(0, ends[5]), kept = BlocksBefore(ends, good.size());
    for (std::string garbage : {"<<>>", "&nosuchentity;", "</mame></mame>", "<machine name=\"x\" name=\"y\">",
                                "\x01\x02", "<machine name=\"x\"><display type=\"raster\"/></wrong>"})
        EXPECT_EQ(Convert(good + garbage + xml.substr(good.size())), std::make_pair(kept, false)) << garbage;
    for (std::string junk : {std::string(), std::string("\0\0\0\xff", 4), std::string("game (\r\n)\r\n")})
        EXPECT_EQ(Convert(junk), std::make_pair(std::string(), false));

    // 64 levels of elements are read; a 65th is refused where it opens.
    std::string deep, error;
    for (int i = 0; i < 64; ++i) deep = "<a>" + deep + "</a>";
    EXPECT_TRUE(Convert(deep).second);
    EXPECT_FALSE(Convert("<a>" + deep + "</a>", 1 << 20, &error).second);
    EXPECT_EQ(error, "line 1, column 192: elements nested more than 64 levels deep");
}

TEST(ListInfoConverter, NothingOutsideTheInputIsRead) {
    // An external DTD and an external entity are neither fetched nor expanded.
    std::string xml = "<!DOCTYPE mame SYSTEM \"/etc/hostname\" [<!ENTITY secret SYSTEM \"/etc/passwd\">\n"
                      "<!ENTITY maker \"Namco\">]>\n<mame><machine name=\"a\"><description>[&secret;]</description>"
                      "<manufacturer>&maker;</manufacturer><display type=\"raster\" width=\"1\" height=\"2\" "
                      "refresh=\"3\"/></machine></mame>";
    EXPECT_EQ(Convert(xml),
              std::make_pair(Block("a", "[]", Raster("1", "2", "3", false), "\tmanufacturer \"Namco\"\r\n"), true));
}
