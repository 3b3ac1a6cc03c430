#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/FileNames.h"
#include "core/Text.h"

using namespace kelvaro;

TEST(Text, LinesOfEveryEnd) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\r\n\r"), (Lines{"a", "", ""})); // nothing after the last end
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(TrimSpaces("  a \t b  "), "a \t b");
    EXPECT_EQ(TrimSpaces("   "), "");
}

TEST(Text, CaseFolding) {
    EXPECT_EQ(UpperCase("abc 0-9 Caf\xC3\xA9 \xC3\xB7 \xC3\xBF \xC4\x80\xC4\x81"),
              "ABC 0-9 CAF\xC3\x89 \xC3\xB7 \xC5\xB8 \xC4\x80\xC4\x80");
    EXPECT_EQ(UpperCase("\xC5\x82\xC3\xB3"
                        "d\xC5\xBA \xCE\xB1\xCF\x82 \xD0\xB6\xD1\x91"), // łódź ας жё
              "\xC5\x81\xC3\x93"
              "D\xC5\xB9 \xCE\x91\xCE\xA3 \xD0\x96\xD0\x81");
    EXPECT_EQ(UpperCase("a\xC3 \xFF\xE2\x82\xAC"), "A\xC3 \xFF\xE2\x82\xAC"); // broken bytes and the euro sign stay
    EXPECT_TRUE(EqualsIgnoringAsciiCase("Sf2CE", "sF2ce"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("\xC3\xA9", "\xC3\x89"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("sf2", "sf2ce"));
#ifdef _WIN32
    EXPECT_EQ(EmulatorFileName("Sf2ce", ".ZIP"), "Sf2ce.ZIP"); // the file system finds it in any case
#else
    EXPECT_EQ(EmulatorFileName("Sf2ce", ".ZIP"), "sf2ce.zip");
#endif
    EXPECT_EQ(EmulatorFileName("a\xc9", ".ini"), "a\xc9.ini"); // only ASCII letters change
}

TEST(PrintableText, ControlCharactersAndBrokenUtf8BecomeTheReplacementCharacter) {
    const auto r = [](int n) {
        std::string s;
        while (n-- > 0) s += "\xEF\xBF\xBD";
        return s;
    };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"PUCKMAN ?!~ ", "PUCKMAN ?!~ "},
        {"Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xAE \xC2\xA0", "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xAE \xC2\xA0"},
        {std::string("A\tB\r\nC\x1b[2J\x7f\0", 12), std::string("A") + r(1) + "B" + r(2) + "C" + r(1) + "[2J" + r(2)},
        {"\xC2\x9B"
         "1m\xC2\x80",
         r(1) + "1m" + r(1)}, // C1 controls
        // A broken sequence, overlong ones, a surrogate, beyond U+10FFFF, stray bytes, a cut sequence.
        {"\xC3(\xC0\x80\xE0\x80\x80\xED\xA0\x80\xF4\x90\x80\x80\xF5\x80\x80\x80\xFF\xE2\x82",
         r(1) + "(" + r(2 + 3 + 3 + 4 + 4 + 1 + 2)},
    };
    for (const auto& [text, shown] : cases) EXPECT_EQ(PrintableText(text), shown) << text;
}
