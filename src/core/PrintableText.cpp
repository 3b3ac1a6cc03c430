#include "core/PrintableText.h"

#include <algorithm>

namespace kelvaro {

namespace {

// U+FFFD rather than '?': it cannot be mistaken for a character of the name (a '?' can be one,
// and the tables use "???" for an unknown size), and it is what the window already shows for
// bytes that are no UTF-8.
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool InRange(std::string_view text, std::size_t i, unsigned lo, unsigned hi) {
    if (i >= text.size()) return false;
    const unsigned b = static_cast<unsigned char>(text[i]);
    return b >= lo && b <= hi;
}

// The length of the well-formed UTF-8 sequence that starts at i with a byte of 0x80 or more;
// 0 when there is none.
std::size_t SequenceLength(std::string_view text, std::size_t i) {
    const unsigned b = static_cast<unsigned char>(text[i]);
    std::size_t length;
    unsigned lo = 0x80, hi = 0xBF;  // the second byte's range
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0) lo = 0xA0;  // no overlong forms
        if (b == 0xED) hi = 0x9F;  // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0) lo = 0x90;
        if (b == 0xF4) hi = 0x8F;  // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (!InRange(text, i + 1, lo, hi)) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (!InRange(text, i + k, 0x80, 0xBF)) return 0;
    return length;
}

} // namespace

std::string PrintableText(std::string_view text) {
    const auto plain = [](char c) { return c >= 0x20 && c < 0x7F; };
    if (std::all_of(text.begin(), text.end(), plain)) return std::string(text);
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            if (plain(text[i]))
                out += text[i];
            else
                out += kReplacement;
            ++i;
            continue;
        }
        const std::size_t length = SequenceLength(text, i);
        // C1 controls are U+0080 to U+009F: 0xC2 followed by 0x80 to 0x9F.
        const bool c1 = length == 2 && b == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0;
        if (length == 0 || c1) {
            out += kReplacement;
            i += c1 ? 2 : 1;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

} // namespace kelvaro
