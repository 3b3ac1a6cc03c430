#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "gamelist/ListInfoConverter.h"

using namespace kelvaro;

namespace {

// The head of the emulator's list: a DOCTYPE whose DTD is inline, with defaulted attributes.
const std::string kHead = R"xml(<?xml version="1.0"?>
<!DOCTYPE mame [
<!ELEMENT mame (machine+)>
	<!ATTLIST mame build CDATA #IMPLIED>
	<!ELEMENT machine (description, year?, manufacturer?, rom*, chip*, display*, sound?, input?, driver?)>
		<!ATTLIST machine name CDATA #REQUIRED>
		<!ATTLIST machine sourcefile CDATA #IMPLIED>
		<!ATTLIST machine isbios (yes|no) "no">
		<!ATTLIST machine isdevice (yes|no) "no">
		<!ATTLIST machine runnable (yes|no) "yes">
		<!ATTLIST machine cloneof CDATA #IMPLIED>
		<!ATTLIST machine romof CDATA #IMPLIED>
		<!ELEMENT description (#PCDATA)>
		<!ELEMENT year (#PCDATA)>
		<!ELEMENT manufacturer (#PCDATA)>
		<!ELEMENT display EMPTY>
			<!ATTLIST display type (raster|vector|lcd|svg|unknown) #REQUIRED>
			<!ATTLIST display rotate (0|90|180|270) #IMPLIED>
			<!ATTLIST display flipx (yes|no) "no">
			<!ATTLIST display width CDATA #IMPLIED>
			<!ATTLIST display height CDATA #IMPLIED>
			<!ATTLIST display refresh CDATA #REQUIRED>
]>

<mame build="0.251 (unknown)" debug="no" mameconfig="10">
)xml";

const std::string kMachines = R"xml(	<machine name="neogeo" sourcefile="neogeo/neogeo.cpp" isbios="yes">
		<description>Neo-Geo MV-6F</description>
		<year>1990</year>
		<manufacturer>SNK</manufacturer>
		<display tag="screen" type="raster" rotate="0" width="320" height="224" refresh="59.185606" />
	</machine>
	<machine name="puckman" sourcefile="pacman/pacman.cpp">
		<description>Puck Man (Japan set 1)</description>
		<year>1980</year>
		<manufacturer>Namco</manufacturer>
		<rom name="pm1_prg1.6e" size="2048" crc="f36e88ab" sha1="813cecf44bf5464b1aed64b36f5047e4c79ba176" region="maincpu" offset="0"/>
		<chip type="cpu" tag="maincpu" name="Zilog Z80" clock="3072000"/>
		<display tag="screen" type="raster" rotate="90" width="288" height="224" refresh="60.606061" pixclock="6144000" htotal="384" hbend="0" hbstart="288" vtotal="264" vbend="0" vbstart="224" />
		<sound channels="1"/>
		<input players="2" coins="2"><control type="joy" player="1" buttons="0" ways="4"/></input>
		<driver status="good" emulation="good" savestate="supported"/>
	</machine>
	<machine name="pacman" sourcefile="pacman/pacman.cpp" cloneof="puckman" romof="puckman">
		<description>Pac-Man (Midway)</description>
		<year>1980</year>
		<manufacturer>Namco (Midway license)</manufacturer>
		<display tag="screen" type="raster" rotate="270" width="288" height="224" refresh="60.606061" />
	</machine>
	<machine name="z80" sourcefile="src/devices/cpu/z80/z80.cpp" isdevice="yes" runnable="no">
		<description>Zilog Z80</description>
		<display tag="screen" type="raster" rotate="0" width="256" height="192" refresh="60.000000" />
	</machine>
	<machine name="awnetwork" sourcefile="naomi.cpp" runnable="no">
		<description>Atomiswave network board</description>
		<display tag="screen" type="raster" rotate="0" width="640" height="480" refresh="60.000000" />
	</machine>
	<machine name="sndboard" sourcefile="misc/snd.cpp">
		<description>Sound board with no screen</description>
		<year>1984</year>
		<sound channels="2"/>
	</machine>
	<machine name="asteroid" sourcefile="atari/asteroid.cpp">
		<description>Asteroids (rev 4)</description>
		<year>1979</year>
		<manufacturer>Atari</manufacturer>
		<display tag="screen" type="vector" rotate="0" width="400" height="300" refresh="61.523438" />
	</machine>
	<machine name="tempest" sourcefile="atari/tempest.cpp">
		<description>Tempest (rev 3)</description>
		<year>1980</year>
		<manufacturer>Atari</manufacturer>
		<display tag="screen" type="vector" rotate="270" refresh="60.000000" />
	</machine>
	<machine name="nofreq" sourcefile="misc/nofreq.cpp">
		<description>No refresh given</description>
		<display type="raster" rotate="180" width="256" height="240" />
	</machine>
	<machine name="nosize" sourcefile="misc/nosize.cpp">
		<description>Only a width</description>
		<year>19??</year>
		<display type="raster" rotate="90" width="256" refresh="57.500000" />
	</machine>
	<machine name="odd&amp;chars" sourcefile="misc/odd.cpp" cloneof="base&#9;set">
		<description>Tom &amp; Jerry &lt;proto&gt; &quot;Caf&#233;&quot;&#13;&#10;line	tab
next</description>
		<year>198&#10;2</year>
		<manufacturer>&lt;unknown&gt;</manufacturer>
		<display type="lcd" rotate="0" width="1024" height="768" refresh="100.000000" />
	</machine>
	<machine name="twoscr" sourcefile="misc/two.cpp">
		<description>Two screens</description>
		<display tag="lscreen" type="raster" rotate="0" width="256" height="224" refresh="59.922743" />
		<display tag="rscreen" type="raster" rotate="90" width="320" height="240" refresh="30.000000" />
	</machine>
	<machine name="emptyyear" sourcefile="misc/e.cpp">
		<description></description>
		<year></year>
		<display type="svg" width="64" height="32" refresh="50.000000" />
	</machine>
)xml";

const std::string kTail = "</mame>\n";

const std::string kExpected =
    "game (\r\n"
    "\tname puckman\r\n"
    "\tdescription \"Puck Man (Japan set 1)\"\r\n"
    "\tyear 1980\r\n"
    "\tmanufacturer \"Namco\"\r\n"
    "\tvideo ( screen raster orientation vertical x 224 y 288 aspectx 3 aspecty 4 freq 60.606061 )\r\n"
    ")\r\n\r\n"
    "game (\r\n"
    "\tname pacman\r\n"
    "\tdescription \"Pac-Man (Midway)\"\r\n"
    "\tyear 1980\r\n"
    "\tmanufacturer \"Namco (Midway license)\"\r\n"
    "\tcloneof puckman\r\n"
    "\tromof puckman\r\n"
    "\tvideo ( screen raster orientation vertical x 224 y 288 aspectx 3 aspecty 4 freq 60.606061 )\r\n"
    ")\r\n\r\n"
    "game (\r\n"
    "\tname asteroid\r\n"
    "\tdescription \"Asteroids (rev 4)\"\r\n"
    "\tyear 1979\r\n"
    "\tmanufacturer \"Atari\"\r\n"
    "\tvideo ( screen vector orientation horizontal aspectx 4 aspecty 3 freq 61.523438 )\r\n"
    ")\r\n\r\n"
    "game (\r\n"
    "\tname tempest\r\n"
    "\tdescription \"Tempest (rev 3)\"\r\n"
    "\tyear 1980\r\n"
    "\tmanufacturer \"Atari\"\r\n"
    "\tvideo ( screen vector orientation vertical aspectx 3 aspecty 4 freq 60.000000 )\r\n"
    ")\r\n\r\n"
    "game (\r\n"
    "\tname nofreq\r\n"
    "\tdescription \"No refresh given\"\r\n"
    "\tvideo ( screen raster orientation horizontal x 256 y 240 aspectx 4 aspecty 3 )\r\n"
    ")\r\n\r\n"
    "game (\r\n"
    "\tname nosize\r\n"
    "\tdescription \"Only a width\"\r\n"
    "\tyear 19??\r\n"
    "\tvideo ( screen raster orientation vertical aspectx 3 aspecty 4 freq 57.500000 )\r\n"
    ")\r\n\r\n"
    "game (\r\n"
    "\tname odd&chars\r\n"
    "\tdescription \"Tom & Jerry <proto> \"Caf\xC3\xA9\"  line tab next\"\r\n"
    "\tyear 198 2\r\n"
    "\tmanufacturer \"<unknown>\"\r\n"
    "\tcloneof base set\r\n"
    "\tvideo ( screen lcd orientation horizontal x 1024 y 768 aspectx 4 aspecty 3 freq 100.000000 )\r\n"
    ")\r\n\r\n"
    "game (\r\n"
    "\tname twoscr\r\n"
    "\tdescription \"Two screens\"\r\n"
    "\tvideo ( screen raster orientation horizontal x 256 y 224 aspectx 4 aspecty 3 freq 59.922743 )\r\n"
    ")\r\n\r\n"
    "game (\r\n"
    "\tname emptyyear\r\n"
    "\tdescription \"\"\r\n"
    "\tyear \r\n"
    "\tvideo ( screen svg orientation horizontal x 64 y 32 aspectx 4 aspecty 3 freq 50.000000 )\r\n"
    ")\r\n\r\n";

const std::string kList = kHead + kMachines + kTail;

struct Conversion {
    std::string text;
    std::vector<std::string> pieces; // what each sink call received
    bool ok = true;
    int written = 0;
};

// Feeds the input in pieces of the given size (0: all at once), then the end.
Conversion Convert(const std::string& xml, std::size_t piece = 0) {
    Conversion c;
    ListInfoConverter conv([&](std::string_view s) {
        c.text += s;
        c.pieces.emplace_back(s);
    });
    std::size_t step = piece == 0 ? xml.size() : piece;
    for (std::size_t at = 0; at < xml.size(); at += step)
        c.ok = conv.Feed(xml.data() + at, std::min(step, xml.size() - at), false) && c.ok;
    c.ok = conv.Feed(nullptr, 0, true) && c.ok;
    EXPECT_EQ(conv.Failed(), !c.ok);
    c.written = conv.MachinesWritten();
    return c;
}

// The first n blocks of the expected text.
std::string FirstBlocks(const std::string& text, int n) {
    std::size_t at = 0;
    for (int i = 0; i < n; ++i) at = text.find(")\r\n\r\n", at) + 5;
    return text.substr(0, at);
}

} // namespace

TEST(ListInfoConverter, WritesEveryKeptMachineInFileOrder) {
    Conversion c = Convert(kList);
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.text, kExpected);
    EXPECT_EQ(c.written, 9);
}

TEST(ListInfoConverter, SameTextWhateverTheSizeOfThePieces) {
    for (std::size_t piece : {1u, 2u, 7u, 64u, 1000u}) {
        Conversion c = Convert(kList, piece);
        EXPECT_TRUE(c.ok) << piece;
        EXPECT_EQ(c.text, kExpected) << piece;
        // The sink only ever sees whole blocks.
        for (const std::string& p : c.pieces) {
            EXPECT_EQ(p.rfind("game (\r\n", 0), 0u) << piece;
            EXPECT_TRUE(p.ends_with(")\r\n\r\n")) << piece;
        }
    }
}

TEST(ListInfoConverter, OlderListsWithGameElementsAndNoDoctype) {
    std::string xml = "<mame><game name=\"old\"><description>Old one</description>"
                      "<display type=\"raster\" rotate=\"0\" width=\"320\" height=\"240\" refresh=\"60\"/></game>"
                      "<game name=\"old2\" runnable=\"no\"><description>x</description><display type=\"raster\"/></game>"
                      "</mame>";
    Conversion c = Convert(xml);
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.text, "game (\r\n\tname old\r\n\tdescription \"Old one\"\r\n"
                      "\tvideo ( screen raster orientation horizontal x 320 y 240 aspectx 4 aspecty 3 freq 60 )\r\n"
                      ")\r\n\r\n");
}

TEST(ListInfoConverter, NothingOutsideTheInputIsRead) {
    // An external DTD and an external entity are neither fetched nor expanded.
    std::string xml = "<?xml version=\"1.0\"?>\n"
                      "<!DOCTYPE mame SYSTEM \"/etc/hostname\" [\n"
                      "<!ENTITY secret SYSTEM \"/etc/passwd\">\n"
                      "<!ENTITY maker \"Namco\">\n]>\n"
                      "<mame><machine name=\"a\"><description>[&secret;]</description>"
                      "<manufacturer>&maker;</manufacturer>"
                      "<display type=\"raster\" width=\"1\" height=\"2\" refresh=\"3\"/></machine></mame>";
    Conversion c = Convert(xml);
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.text, "game (\r\n\tname a\r\n\tdescription \"[]\"\r\n\tmanufacturer \"Namco\"\r\n"
                      "\tvideo ( screen raster orientation horizontal x 1 y 2 aspectx 4 aspecty 3 freq 3 )\r\n"
                      ")\r\n\r\n");
}

TEST(ListInfoConverter, TruncatedListKeepsTheWholeBlocksBeforeTheCut) {
    // Cut the list at every byte: the text is always the blocks of the machines closed before
    // the cut, and the conversion reports the fault.
    const std::size_t machinesStart = kHead.size();
    for (std::size_t cut = 0; cut < kList.size() - kTail.size(); ++cut) {
        std::string xml = kList.substr(0, cut);
        Conversion c = Convert(xml, 97);
        ASSERT_FALSE(c.ok) << cut;
        int closed = 0;
        if (cut > machinesStart) {
            std::string seen = kList.substr(machinesStart, cut - machinesStart);
            // Machines that are written: those of the expected text closed within `seen`.
            for (std::size_t at = 0; (at = seen.find("</machine>", at)) != std::string::npos; at += 10) {
                std::string before = seen.substr(0, at);
                std::size_t open = before.rfind("<machine name=\"");
                std::string name = before.substr(open + 15, before.find('"', open + 15) - open - 15);
                if (name == "odd&amp;chars") name = "odd&chars";
                if (kExpected.find("\tname " + name + "\r\n") != std::string::npos) ++closed;
            }
        }
        ASSERT_EQ(c.text, FirstBlocks(kExpected, closed)) << "cut at " << cut;
        ASSERT_EQ(c.written, closed) << cut;
    }
}

TEST(ListInfoConverter, GarbageStopsTheConversionForGood) {
    std::string good = kHead + kMachines.substr(0, kMachines.find("\t<machine name=\"z80\""));
    for (std::string garbage : {std::string("<<>>"), std::string("&nosuchentity;"), std::string("</mame></mame>"),
                                std::string("<machine name=\"x\" name=\"y\">"), std::string("\x01\x02", 2),
                                std::string("<machine name=\"x\"><display type=\"raster\"/></wrong>")}) {
        std::string out;
        ListInfoConverter conv2([&](std::string_view s) { out += s; });
        std::string xml = good + garbage + kMachines + kTail;
        EXPECT_FALSE(conv2.Feed(xml.data(), xml.size(), true)) << garbage;
        EXPECT_TRUE(conv2.Failed());
        EXPECT_FALSE(conv2.ErrorText().empty());
        EXPECT_EQ(out, FirstBlocks(kExpected, 2)) << garbage;
        // Later input is refused and adds nothing.
        EXPECT_FALSE(conv2.Feed(kList.data(), kList.size(), true));
        EXPECT_EQ(out, FirstBlocks(kExpected, 2));
    }
}

TEST(ListInfoConverter, EmptyOrBinaryInputGivesNoText) {
    for (std::string xml : {std::string(), std::string("\0\0\0\xff", 4), std::string("game (\r\n)\r\n")}) {
        Conversion c = Convert(xml);
        EXPECT_FALSE(c.ok);
        EXPECT_EQ(c.text, "");
    }
}

TEST(ListInfoConverter, ConvertListXmlOverStreams) {
    std::istringstream in(kList);
    std::ostringstream out;
    EXPECT_TRUE(ConvertListXml(in, out));
    EXPECT_EQ(out.str(), kExpected);

    std::istringstream cut(kList.substr(0, kList.find("<machine name=\"asteroid\"") + 30));
    std::ostringstream partial;
    EXPECT_FALSE(ConvertListXml(cut, partial));
    EXPECT_EQ(partial.str(), FirstBlocks(kExpected, 2));
}
