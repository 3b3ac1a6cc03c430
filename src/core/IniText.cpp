#include "core/IniText.h"

#include "core/ChosenMode.h"
#include "core/Text.h"

namespace kelvaro {

namespace {

constexpr std::string_view kResolution = "resolution ";

// The text between the first "resolution " and the end of its line, as both readers take it:
// the end is the first "|" at or after the start of the value, or else the last character of the
// whole text. withEnd says whether that end character belongs to the value. Nothing when the text
// has no resolution line.
bool ResolutionValue(std::string_view text, bool withEnd, std::string_view& value) {
    const size_t p = text.find(kResolution);
    if (p == std::string_view::npos) return false;
    const size_t start = p + kResolution.size();
    size_t end = start;
    // When the text ends right after "resolution " there is nothing to scan and the value is
    // empty.
    while (end < text.size() && text[end] != '|' && end != text.size() - 1) ++end;
    if (end >= text.size()) {
        value = std::string_view{};
        return true;
    }
    value = TrimSpaces(text.substr(start, end - start + (withEnd ? 1 : 0)));
    return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::string SetResolutionLine(std::string_view newLine, std::string_view text) {
    // Line breaks become separators, then the separators at either end go and runs collapse to
    // one, so that empty lines vanish. Lines made of spaces are real lines and stay.
    std::string collapsed;
    collapsed.reserve(text.size());
    for (char c : text) {
        const char d = (c == '\r' || c == '\n') ? '|' : c;
        if (d == '|') {
            if (collapsed.empty() || collapsed.back() == '|') continue;
        }
        collapsed.push_back(d);
    }
    if (!collapsed.empty() && collapsed.back() == '|') collapsed.pop_back();

    const size_t p = collapsed.find(kResolution);
    if (p == std::string::npos) {
        if (collapsed.empty()) return std::string(newLine);
        std::string result(newLine);
        result += '|';
        result += collapsed;
        return result;
    }

    const size_t lineEnd = collapsed.find('|', p + kResolution.size());
    std::string result = collapsed.substr(0, p);
    result += newLine;
    if (lineEnd != std::string::npos) result.append(collapsed, lineEnd, std::string::npos);
    return result;
}

std::string INITextToFileText(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 16);
    for (char c : text) {
        if (c == '|')
            result += "\r\n";
        else
            result.push_back(c);
    }
    return result;
}

std::string ResolutionWidth(std::string_view text) {
    std::string_view value;
    if (!ResolutionValue(text, false, value)) return kNoModeWidth;
    const size_t x = value.find('x');
    if (x == std::string_view::npos) return kNoModeWidth;
    return std::string(value.substr(0, x));
}

std::string ResolutionHeight(std::string_view text) {
    std::string_view value;
    if (!ResolutionValue(text, true, value)) return kNoModeHeight;
    std::string result = kNoModeHeight;
    for (size_t i = 0; i + 1 < value.size(); ++i) {
        if (value[i] != 'x') continue;
        size_t j = i + 1;
        while (j < value.size() && IsDigit(value[j])) ++j;
        result.assign(value.substr(i + 1, j - i - 1));
        if (!result.empty()) return result;
    }
    return result;
}

std::optional<long long> ResolutionRate(std::string_view text) {
    std::string_view value;
    if (!ResolutionValue(text, true, value)) return std::nullopt;
    // The height is the first run of digits after an "x", as ResolutionHeight reads it.
    for (size_t i = 0; i + 1 < value.size(); ++i) {
        if (value[i] != 'x' || !IsDigit(value[i + 1])) continue;
        size_t j = i + 1;
        while (j < value.size() && IsDigit(value[j])) ++j;
        if (j >= value.size() || value[j] != '@') return std::nullopt;
        long long rate = 0;
        size_t k = j + 1;
        // The emulator reads the rate as a whole number; more than nine digits is no rate at all.
        for (; k < value.size() && IsDigit(value[k]) && k - j <= 9; ++k) rate = rate * 10 + (value[k] - '0');
        if (k == j + 1 || (k < value.size() && IsDigit(value[k]))) return std::nullopt;
        return rate;
    }
    return std::nullopt;
}

} // namespace kelvaro
