#include "core/Text.h"

#include <algorithm>

namespace kelvaro {

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The upper case of a letter of the alphabets the game list's titles use (Latin with its
// accented letters, Greek, Cyrillic); any other code point is its own upper case.
char32_t UpperCodePoint(char32_t c) {
    if (c >= 0xE0 && c <= 0xFE) return c == 0xF7 ? c : c - 0x20; // Latin-1, but the division sign
    if (c == 0xFF) return 0x178;
    if (c == 0x131) return U'I'; // dotless i
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c & ~char32_t{1};
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : c - 1;
    if (c == 0x3C2) return 0x3A3; // final sigma
    if ((c >= 0x3B1 && c <= 0x3CB)) return c - 0x20;
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (c & 0x3F));
}

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
    unsigned lo = 0x80, hi = 0xBF; // the second byte's range
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0) lo = 0xA0; // no overlong forms
        if (b == 0xED) hi = 0x9F; // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0) lo = 0x90;
        if (b == 0xF4) hi = 0x8F; // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (!InRange(text, i + 1, lo, hi)) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (!InRange(text, i + k, 0x80, 0xBF)) return 0;
    return length;
}

} // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    LineReader reader(text);
    std::string_view line;
    while (reader.Next(line)) lines.push_back(line);
    return lines;
}

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string AsciiLowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = AsciiLower(c);
    return out;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

std::string UpperCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            out += AsciiUpper(static_cast<char>(b));
            continue;
        }
        // Two- and three-byte sequences hold every letter that has a case here; anything else,
        // and bytes that are no valid UTF-8, pass through as they are.
        const bool two = (b & 0xE0) == 0xC0 && i + 1 < text.size() && (text[i + 1] & 0xC0) == 0x80;
        const bool three =
            (b & 0xF0) == 0xE0 && i + 2 < text.size() && (text[i + 1] & 0xC0) == 0x80 && (text[i + 2] & 0xC0) == 0x80;
        if (!two && !three) {
            out += static_cast<char>(b);
            continue;
        }
        const char32_t c =
            static_cast<char32_t>(two ? ((b & 0x1F) << 6) | (text[i + 1] & 0x3F)
                                      : ((b & 0x0F) << 12) | ((text[i + 1] & 0x3F) << 6) | (text[i + 2] & 0x3F));
        const std::size_t length = two ? 2 : 3;
        const char32_t upper = UpperCodePoint(c);
        if (upper == c)
            out.append(text.substr(i, length));
        else
            AppendUtf8(out, upper);
        i += length - 1;
    }
    return out;
}

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
