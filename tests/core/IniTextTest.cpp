#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ChosenMode.h"
#include "core/IniText.h"
#include "core/Model.h"

using namespace kelvaro;

TEST(SetResolutionLine, ReplacesOrInsertsTheLineInNormalForm) {
    struct Case {
        const char* newLine;
        std::string text;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"resolution auto", "", "resolution auto"},
        {"resolution 640x480", "resolution auto|ror 1", "resolution 640x480|ror 1"},
        {"resolution auto", "ror 1", "resolution auto|ror 1"},
        {"resolution 640x480", "\r\nror 1\r\n\r\nresolution 800x600\r\n", "ror 1|resolution 640x480"},
        // Only a line whose first word is "resolution" counts; comments stay as they are.
        {"resolution auto", "# resolution 320x240|#resolution 1x1|ror 1",
         "resolution auto|# resolution 320x240|#resolution 1x1|ror 1"},
        {"resolution auto", "sound 0 # resolution below|resolution\t320x240 # my cab",
         "sound 0 # resolution below|resolution auto # my cab"},
        {"resolution 1x2", "  resolution 3x4  \t# a # b", "  resolution 1x2  \t# a # b"},
        {"resolution auto", "Resolution 640x480|resolution", "resolution auto|Resolution 640x480|resolution"},
        // The refresh suffix belongs to the line and goes with it.
        {"resolution 320x240", "resolution 640x480@60|rol 1", "resolution 320x240|rol 1"},
        // The emulator takes the last of several.
        {"resolution auto", "resolution 640x480|resolution 800x600", "resolution 640x480|resolution auto"},
        {"resolution auto", "ror 1|resolution ", "ror 1|resolution auto"},
        // Nothing but separators and line breaks leaves only the new line.
        {"resolution auto", "||", "resolution auto"},
        {"resolution auto", "\r\n\r\n", "resolution auto"},
        // Lone CR and lone LF end lines; doubled separators go; a line of spaces stays.
        {"resolution auto", "a\rb\nc", "resolution auto|a|b|c"},
        {"resolution auto", "|||a||  ||b|||", "resolution auto|a|  |b"},
        // The separator right in front of the resolution line survives the replacement.
        {"resolution 1x2", "||a||resolution 3x4||b||", "a|resolution 1x2|b"},
    };
    for (const Case& c : cases) EXPECT_EQ(SetResolutionLine(c.newLine, c.text), c.expected) << "text: " << c.text;
    EXPECT_EQ(INITextToFileText("a|b"), "a\r\nb");
    EXPECT_EQ(INITextToFileText("|x||"), "\r\nx\r\n\r\n");
}

TEST(ResolutionSize, ReadsWidthAndHeightOfTheLastResolutionLine) {
    struct Size {
        std::string text, width, height;
    };
    const std::vector<Size> cases = {
        {"resolution 640x480", "640", "480"},
        {"ror 1|resolution 640x480|rol 1", "640", "480"},
        {"resolution 640x480x32", "640", "480"},
        {"resolution auto", "???", "???"},
        {"", "???", "???"},
        {"resolution 640 x 480", "640 ", ""},
        {"resolution x480", "", "480"},
        // At the very end of the text the last character is not part of the width's value.
        {"resolution 640x", "???", "???"},
        {"resolution 640x|ror 1", "640", ""},
        {"resolution 640x#c|ror 1", "640", ""},
        {"resolution 640x # c", "640", ""},
        // Leading spaces of the value go; the height skips an "x" that no digit follows.
        {"resolution   320x240 ", "320", "240"},
        {"resolution 320xx240|a", "320", "240"},
        {"resolution auto|resolution 640x480", "640", "480"},
        {"resolution 640x480|resolution auto", "???", "???"},
        // Comments, and "resolution" that is not a line's first word, count for nothing.
        {"#resolution 640x480|terror 1 # resolution 1x2", "???", "???"},
        {"resolution\t320x240\t# was 640x480", "320", "240"},
        {" resolution auto # 640x480|ror 1", "???", "???"},
    };
    for (const Size& c : cases) {
        EXPECT_EQ(ResolutionWidth(c.text), c.width) << "text: " << c.text;
        EXPECT_EQ(ResolutionHeight(c.text), c.height) << "text: " << c.text;
    }
}

TEST(ResolutionRate, DigitsRightAfterTheHeightsAt) {
    const std::vector<std::pair<std::string, long long>> cases = {
        {"resolution 256x224@57", 57},
        {"ror 1|resolution 640x480@060|rol 1", 60},
        {"resolution 640x480@59.94", 59},
        {"resolution 640x480", -1},
        {"resolution 640x480 @60", -1},
        {"resolution 640x480@", -1},
        {"resolution auto@60", -1},
        {"resolution 640x480@12345678901", -1},
        {"resolution 640x480@1234567890", -1},
        {"resolution 640x480x60", -1},
        {"resolution 320xx240@60", 60}, // the height skips an "x" that no digit follows
        {"resolution 640x480@57|# resolution 640x480@60", 57},
        {"resolution 640x480@60 # @57", 60},
    };
    for (const auto& [text, rate] : cases) EXPECT_EQ(ResolutionRate(text).value_or(-1), rate) << text;
}

TEST(ResolutionLineFor, NamesTheRateOnlyWhereTheListHasTheSizeAtSeveral) {
    Model m;
    for (const AvailModeRow& mode : {AvailModeRow{"256", "224", "57", "No"}, AvailModeRow{"256", "224", "60", "No"},
                                     AvailModeRow{"320", "240", "60", "No"}, AvailModeRow{"320", "240", "60", "No"},
                                     AvailModeRow{"640", "480", "00", "No"}, AvailModeRow{"640", "480", "60", "No"},
                                     AvailModeRow{"512", "448", "5.5", "No"}, AvailModeRow{"512", "448", "60", "No"},
                                     AvailModeRow{"400", "240", "57", "No"}}) // 240 lines at another width and rate
        m.AvailModes.Add(mode);
    const std::vector<std::vector<std::string>> cases = {
        {"256", "224", "57", "resolution 256x224@57"}, {"256", "224", "60", "resolution 256x224@60"},
        {"256", "224", "59", "resolution 256x224"},    {"256", "224", "??", "resolution 256x224"},
        {"320", "240", "60", "resolution 320x240"},    {"640", "480", "00", "resolution 640x480"},
        {"640", "480", "60", "resolution 640x480@60"}, {"512", "448", "5.5", "resolution 512x448"},
        {"800", "600", "60", "resolution 800x600"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolutionLineFor(m, c[0], c[1], c[2]), c[3]) << c[0] << "x" << c[1] << "@" << c[2];
}
