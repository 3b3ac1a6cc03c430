#include <gtest/gtest.h>

#include "core/PrintableText.h"

using kelvaro::PrintableText;

TEST(PrintableText, ControlCharactersAndBrokenUtf8BecomeTheReplacementCharacter) {
    const auto r = [](int n) {
        std::string s;
        while (n-- > 0) s += "\xEF\xBF\xBD";
        return s;
    };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"PUCKMAN ?!~ ", "PUCKMAN ?!~ "},
        {"Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xAE \xC2\xA0", "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xAE \xC2\xA0"},
        {std::string("A\tB\r\nC\x1b[2J\x7f\0", 12), "A" + r(1) + "B" + r(2) + "C" + r(1) + "[2J" + r(2)},
        {"\xC2\x9B" "1m\xC2\x80", r(1) + "1m" + r(1)},  // C1 controls
        // A broken sequence, overlong, a surrogate, beyond U+10FFFF, a stray byte, a cut sequence.
        {"\xC3(\xE0\x80\x80\xED\xA0\x80\xF4\x90\x80\x80\xFF\xE2\x82", r(1) + "(" + r(3 + 3 + 4 + 1 + 2)},
    };
    for (const auto& [text, shown] : cases) EXPECT_EQ(PrintableText(text), shown) << text;
}
