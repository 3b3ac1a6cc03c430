#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "ini/IniText.h"

using namespace kelvaro;

namespace {

struct Case {
    const char* newLine;
    std::string text;
    const char* expected;
};

} // namespace

TEST(SetResolutionLine, ReplacesOrInsertsTheResolutionLine) {
    const std::vector<Case> cases = {
        {"resolution auto", "", "resolution auto"},
        {"resolution 640x480", "resolution auto|ror 1", "resolution 640x480|ror 1"},
        {"resolution auto", "ror 1", "resolution auto|ror 1"},
        {"resolution 640x480", "\r\nror 1\r\n\r\nresolution 800x600\r\n", "ror 1|resolution 640x480"},
        {"resolution auto", "# resolution 320x240|ror 1", "# resolution auto|ror 1"},
        {"resolution auto", "Resolution 640x480", "resolution auto|Resolution 640x480"},
        // "resolution" without its space is an ordinary line.
        {"resolution auto", "resolution|ror 1", "resolution auto|resolution|ror 1"},
        // The refresh suffix belongs to the line and goes with it.
        {"resolution 320x240", "resolution 640x480@60|rol 1", "resolution 320x240|rol 1"},
        // Only the first of two resolution lines is replaced.
        {"resolution auto", "resolution 640x480|resolution 800x600", "resolution auto|resolution 800x600"},
        // A line that ends right after "resolution " is the last line.
        {"resolution auto", "ror 1|resolution ", "ror 1|resolution auto"},
        {"resolution auto", "ror 1|# resolution ", "ror 1|# resolution auto"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SetResolutionLine(c.newLine, c.text), c.expected) << "text: " << c.text;
}

TEST(SetResolutionLine, NormalisesSeparatorsAndLineBreaks) {
    // Nothing but separators and line breaks leaves only the new line.
    EXPECT_EQ(SetResolutionLine("resolution auto", "||"), "resolution auto");
    EXPECT_EQ(SetResolutionLine("resolution auto", "\r\n\r\n"), "resolution auto");
    EXPECT_EQ(SetResolutionLine("resolution auto", "\r|\n|"), "resolution auto");
    // Lone CR and lone LF end lines as CR LF does.
    EXPECT_EQ(SetResolutionLine("resolution auto", "a\rb\nc"), "resolution auto|a|b|c");
    // Leading, trailing and doubled separators go; a line of spaces stays, unchanged.
    EXPECT_EQ(SetResolutionLine("resolution auto", "|||a||  ||b|||"), "resolution auto|a|  |b");
    EXPECT_EQ(SetResolutionLine("resolution auto", "a\r\n\r\n\r\nb"), "resolution auto|a|b");
    EXPECT_EQ(SetResolutionLine("resolution auto", " a "), "resolution auto| a ");
    // The separator right in front of the resolution line survives the replacement.
    EXPECT_EQ(SetResolutionLine("resolution 1x2", "||a||resolution 3x4||b||"), "a|resolution 1x2|b");
}

TEST(INITextToFileText, TurnsSeparatorsIntoLineEnds) {
    EXPECT_EQ(INITextToFileText("a|b"), "a\r\nb");
    EXPECT_EQ(INITextToFileText(""), "");
    EXPECT_EQ(INITextToFileText("resolution auto"), "resolution auto");
    EXPECT_EQ(INITextToFileText("|x||"), "\r\nx\r\n\r\n");
}

TEST(ResolutionSize, ReadsWidthAndHeightOfTheFirstResolutionLine) {
    struct Size {
        std::string text, width, height;
    };
    const std::vector<Size> cases = {
        {"resolution 640x480", "640", "480"},
        {"ror 1|resolution 640x480|rol 1", "640", "480"},
        {"resolution 640x480x32", "640", "480"},
        {"resolution auto", "???", "???"},
        {"ror 1", "???", "???"},
        {"", "???", "???"},
        {"Resolution 640x480", "???", "???"},
        {"resolution 640 x 480", "640 ", ""},
        {"resolution x480", "", "480"},
        // At the very end of the text the last character is not part of the width's value.
        {"resolution 640x", "???", "???"},
        {"resolution 640x|ror 1", "640", ""},
        {"resolution 640x480|ror 1", "640", "480"},
        // Leading spaces of the value go; the height skips an "x" that no digit follows.
        {"resolution   320x240 ", "320", "240"},
        {"resolution 320xx240|a", "320", "240"},
        {"resolution ", "???", "???"},
        {"a|resolution 1x", "???", "???"},
        // Only the first resolution line counts.
        {"resolution auto|resolution 640x480", "???", "???"},
    };
    for (const Size& c : cases) {
        EXPECT_EQ(ResolutionWidth(c.text), c.width) << "text: " << c.text;
        EXPECT_EQ(ResolutionHeight(c.text), c.height) << "text: " << c.text;
    }
}

TEST(SetResolutionLine, FileTextOfNormalDetailsGivesTheSameResult) {
    // INI details in normal form built from pieces that meet at every tricky place: separators,
    // spaces, "resolution " inside a line, sizes with and without "x".
    const std::vector<std::string> alphabet = {"resolution ", "|", " ", "x", "0", "1", "6", "4", "8",
                                               "ror 1", "a", "#", "Resolution ", "resolution", "@60"};
    std::mt19937 gen(20240611);
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 14);
    const std::vector<std::string> newLines = {"resolution auto", "resolution 640x480", "", "ror 1"};

    for (int round = 0; round < 4000; ++round) {
        std::string raw;
        const int n = length(gen);
        for (int k = 0; k < n; ++k) raw += alphabet[pick(gen)];
        // Normal form: no "|" at either end, never two in a row.
        std::string details;
        for (char c : raw) {
            if (c == '|' && (details.empty() || details.back() == '|')) continue;
            details.push_back(c);
        }
        if (!details.empty() && details.back() == '|') details.pop_back();

        for (const std::string& line : newLines) {
            const std::string direct = SetResolutionLine(line, details);
            ASSERT_EQ(SetResolutionLine(line, INITextToFileText(details)), direct)
                << "details: " << details << " line: " << line;
            // Normal form of the result when the new line is a real line.
            if (!line.empty()) {
                ASSERT_EQ(direct.find("||"), std::string::npos) << details;
                ASSERT_NE(direct.front(), '|') << details;
                ASSERT_NE(direct.back(), '|') << details;
            }
        }
    }
}
