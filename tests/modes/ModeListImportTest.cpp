#include <gtest/gtest.h>

#include <cstdio>

#include "TempDir.h"
#include "modes/AvailableModes.h"
#include "modes/ModeListImport.h"

using namespace kelvaro;

namespace {

using V = std::vector<std::string>;

std::string SamplePath(const char* name) { return std::string(KELVARO_SOURCE_DIR) + "/tests/modes/samples/" + name; }

// "640x480@60", with an "i" for an interlaced mode.
std::string Mode(const std::string& w, const std::string& h, const std::string& rate, bool interlaced) {
    return w + "x" + h + "@" + rate + (interlaced ? "i" : "");
}

V Modes(const ModeImport& in) {
    V out;
    for (const ImportedMode& m : in.Modes) {
        char rate[8];
        std::snprintf(rate, sizeof rate, "%02d", m.Rate);
        out.push_back(Mode(std::to_string(m.Width), std::to_string(m.Height), rate, m.Interlaced));
    }
    return out;
}

V Notes(const ModeImport& in) {
    V out;
    for (const ImportNote& n : in.Notes) out.push_back(NoteText(n));
    return out;
}

std::vector<int> NoteLines(const ModeImport& in) {
    std::vector<int> out;
    for (const ImportNote& n : in.Notes) out.push_back(n.Line);
    return out;
}

} // namespace

TEST(ModeListImport, XrandrVerboseOfTwoOutputsReadsTheTimingsAndRoundTrips) {
    const std::string text = TempDir::Read(SamplePath("xrandr-verbose.txt"));
    const ModeImport all = ImportModeList(text);
    EXPECT_EQ(all.Kind, "xrandr --verbose output");
    // The sizes and rates of the h: and v: lines, whatever the names say; the disconnected
    // output's mode is left out, and so is the DoubleScan 320x240 that rounds to the first mode.
    EXPECT_EQ(Modes(all), (V{"320x240@60", "256x224@60", "384x224@59", "640x480@60i", "640x480@60", "1920x1080@60",
                             "1920x1080@60i", "1280x720@60"}));
    EXPECT_EQ(Notes(all), (V{"line 31: 320x240 ('dead') has a refresh rate of 0.00 Hz; left out",
                             "line 63: 1920x1080 at 120.00 Hz: the mode list holds rates below 100 Hz "
                             "only; left out",
                             "2 mode(s) found more than once (after rounding the rate) were written once"}));

    // One output by name, connected or not.
    EXPECT_EQ(Modes(ImportModeList(text, {"HDMI-1"})),
              (V{"1920x1080@60", "1920x1080@60i", "1280x720@60", "640x480@60"}));
    EXPECT_EQ(Modes(ImportModeList(text, {"DP-1"})), (V{"800x600@60"}));
    const ModeImport none = ImportModeList(text, {"VGA-2"});
    EXPECT_EQ(Notes(none),
              (V{"there is no output named VGA-2 (the outputs: VGA-1, HDMI-1, DP-1)", "no mode could be read"}));

    // The written list reads back as the same modes, each with its marker.
    Model m;
    ParseAvailableModes(FormatModeList(all, "this display"), m);
    V read;
    for (int j = 1; j <= m.AvailModes.Count(); ++j) {
        const AvailModeRow& r = m.AvailModes[j];
        read.push_back(Mode(r.AvailWidth, r.AvailHeight, r.AvailRefresh, r.AvailInterlaced == "Yes"));
    }
    EXPECT_EQ(read, Modes(all));
}

TEST(ModeListImport, ModelinesGiveTheFieldRate) {
    const ModeImport in = ImportModeList(TempDir::Read(SamplePath("modelines.txt")));
    EXPECT_EQ(in.Kind, "Modeline lines, xrandr --newmode lines");
    // Interlace doubles the rate of clock / (htotal x vtotal), DoubleScan halves it.
    EXPECT_EQ(Modes(in), (V{"640x480@59", "320x240@60", "720x480@60i", "256x224@60", "384x224@59", "512x384@50"}));
    EXPECT_EQ(NoteLines(in), (std::vector<int>{9, 10, 11}));
}

TEST(ModeListImport, NamesNumbersAndListsOfOurOwn) {
    struct Case {
        const char* text;
        double rate;
        V modes;
        std::vector<int> noteLines; // 0: a note on the whole input
    };
    const Case cases[] = {
        // The kernel's names carry no rate: the one given is used.
        {"1920x1080\n1920x1080\n1920x1080i\n720x576\n720x480i\n",
         50,
         {"1920x1080@50", "1920x1080@50i", "720x576@50", "720x480@50i"},
         {0, 0}},
        {"640x480@60\n720x480i@59.94\n720x576@50i\n320x240@60Hz\n800x600@120\n640x480@\n",
         60,
         {"640x480@60", "720x480@60i", "720x576@50i", "320x240@60"},
         {5, 6}},
        {"640 480 60\n320 240 59.5 i\n 320  240  9Hz progressive\n640 480 60 maybe\n0 480 60\n640 480\n",
         60,
         {"640x480@60", "320x240@60i", "320x240@09"},
         {4, 5, 6}},
        // A first line that is a mode makes no heading, even when the next line is in our columns.
        {"Modeline x 25.175 640 656 752 800 480 490 492 525 Interlace DoubleScan\n10241024 60Hz\n",
         60,
         {"640x480@60i"},
         {2}},
        // A list of our own keeps what the program reads in it: no marker above 304 lines is interlaced.
        {"My card\r\n 640 480 60Hz\r\n 640 480 60Hz progressive\r\n1024 768 72.5Hz\r\n\r\n 320 240 57Hz i\r\n",
         60,
         {"640x480@60i", "640x480@60", "320x240@57i"},
         {4}},
        // Plain xrandr: sizes from the names; a mode given to no output is listed after the table.
        {"Screen 0: minimum 8 x 8, current 640 x 480, maximum 4096 x 4096\n"
         "VGA-1 connected 640x480+0+0 (normal left inverted right x axis y axis) 0mm x 0mm\n"
         "   640x480       59.94*+  60.00  \n   1920x1080i    60.00 +  50.00  \n   arcade        60.00  \n"
         "  320x240 (0x1e6)  6.700MHz -HSync -VSync\n"
         "        h: width   320 start  336 end  367 total  426 skew    0 clock  15.73KHz\n"
         "        v: height  240 start  244 end  247 total  262           clock  60.03Hz\n"
         "HDMI-1 disconnected (normal left inverted right x axis y axis)\n   800x600       60.32  \n",
         60,
         {"640x480@60", "1920x1080@60i", "1920x1080@50i"},
         {5, 6, 0}},
    };
    for (const Case& c : cases) {
        const ModeImport in = ImportModeList(c.text, {"", c.rate});
        EXPECT_EQ(Modes(in), c.modes) << c.text;
        EXPECT_EQ(NoteLines(in), c.noteLines) << c.text;
    }

    // The preview says what the program makes of a rate that is not two digits right before "Hz".
    const ModeImport odd = ImportModeList("My card\r\n 640 480 59.94Hz\r\n 320 240 60 Hz\r\n 320 240 60Hz\r\n");
    EXPECT_EQ(Modes(odd), (V{"640x480@94i", "320x240@60"}));
    const std::string note = "\": the rate is not two digits right before \"Hz\"; read as ";
    EXPECT_EQ(Notes(odd), (V{"line 2: \" 640 480 59.94Hz" + note + "640 x 480 @ 94Hz",
                             "line 3: \" 320 240 60 Hz" + note + "320 x 240 @ 0Hz; left out"}));
}
