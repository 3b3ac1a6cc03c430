#include "core/IniText.h"

#include <algorithm>
#include <vector>

#include "core/ChosenMode.h"
#include "core/Text.h"

namespace kelvaro {

namespace {

constexpr std::string_view kResolution = "resolution";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

size_t LeadingBlanks(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    return i;
}

// Where the comment of a line starts, as the emulator cuts it off: the first "#" at or after from
// that no quote hides; the end of the line when there is none.
size_t CommentStart(std::string_view line, size_t from) {
    bool quoted = false;
    for (size_t i = from; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == '#' && !quoted)
            return i;
    }
    return line.size();
}

// An option line of "|"-joined details: from begin up to (not including) end.
struct LineSpan {
    size_t begin = 0, end = 0;
};

std::optional<LineSpan> LastOptionLine(std::string_view text, std::string_view name) {
    std::optional<LineSpan> found;
    for (size_t begin = 0;;) {
        const size_t bar = text.find('|', begin);
        const size_t end = bar == std::string_view::npos ? text.size() : bar;
        if (IsOptionLine(text.substr(begin, end - begin), name)) found = LineSpan{begin, end};
        if (bar == std::string_view::npos) return found;
        begin = bar + 1;
    }
}

// The option line with newLine in place of its name and value: the blanks in front of it and
// its comment, with the blanks before that, stay.
std::string ReplacedLine(std::string_view line, std::string_view name, std::string_view newLine) {
    const size_t indent = LeadingBlanks(line);
    const size_t valueStart = indent + name.size();
    size_t tail = CommentStart(line, valueStart);
    if (tail < line.size())
        while (tail > valueStart && IsBlank(line[tail - 1])) --tail;
    else
        tail = line.size();
    std::string result(line.substr(0, indent));
    result += newLine;
    result.append(line.substr(tail));
    return result;
}

// The text of the last resolution line's value, as both readers take it: it starts after the
// blank that follows "resolution" and ends at the first "|" after that, or else at the last
// character of the whole text; withEnd says whether that end character belongs to the value. A
// comment and the blanks around the value are left out; shortened (when given) says whether
// anything was. Nothing when the text has no resolution line.
bool ResolutionValue(std::string_view text, bool withEnd, std::string_view& value, bool* shortened = nullptr) {
    const std::optional<LineSpan> line = LastOptionLine(text, kResolution);
    if (!line) return false;
    const size_t start = line->begin + LeadingBlanks(text.substr(line->begin)) + kResolution.size() + 1;
    size_t end = start;
    // When the text ends right after "resolution " there is nothing to scan and the value is
    // empty.
    while (end < text.size() && text[end] != '|' && end != text.size() - 1) ++end;
    if (end >= text.size()) {
        value = std::string_view{};
        return true;
    }
    value = text.substr(start, end - start + (withEnd ? 1 : 0));
    const size_t whole = value.size();
    value = TrimBlanks(value.substr(0, CommentStart(value, 0)));
    if (shortened) *shortened = value.size() < whole;
    return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool IsOptionLine(std::string_view line, std::string_view name) {
    const size_t i = LeadingBlanks(line);
    return line.substr(i, name.size()) == name && i + name.size() < line.size() && IsBlank(line[i + name.size()]);
}

std::string NormalDetails(std::string_view text) {
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
    return collapsed;
}

std::string SetResolutionLine(std::string_view newLine, std::string_view text) {
    const std::string collapsed = NormalDetails(text);
    const std::optional<LineSpan> line = LastOptionLine(collapsed, kResolution);
    if (!line) {
        if (collapsed.empty()) return std::string(newLine);
        std::string result(newLine);
        result += '|';
        result += collapsed;
        return result;
    }
    std::string result = collapsed.substr(0, line->begin);
    result +=
        ReplacedLine(std::string_view(collapsed).substr(line->begin, line->end - line->begin), kResolution, newLine);
    result.append(collapsed, line->end, std::string::npos);
    return result;
}

std::string SetSwitchLine(std::string_view line, std::string_view text) {
    const size_t blank = line.find_first_of(" \t");
    const std::string_view name = line.substr(0, blank);
    const std::string_view wanted =
        blank == std::string_view::npos ? std::string_view{} : TrimBlanks(line.substr(blank));
    const std::optional<LineSpan> found = LastOptionLine(text, name);
    if (!found) {
        if (text.empty()) return std::string(line);
        std::string result(text);
        result += '|';
        result += line;
        return result;
    }
    const std::string_view old = text.substr(found->begin, found->end - found->begin);
    const size_t valueStart = LeadingBlanks(old) + name.size();
    if (TrimBlanks(old.substr(valueStart, CommentStart(old, valueStart) - valueStart)) == wanted)
        return std::string(text);
    std::string result(text.substr(0, found->begin));
    result += ReplacedLine(old, name, line);
    result.append(text.substr(found->end));
    return result;
}

std::string KeepOwnLines(std::string_view fresh, std::string_view earlier) {
    auto lines = [](std::string_view text) {
        std::vector<std::string_view> out;
        for (size_t begin = 0; begin <= text.size();) {
            const size_t bar = std::min(text.find('|', begin), text.size());
            out.push_back(text.substr(begin, bar - begin));
            begin = bar + 1;
        }
        return out;
    };
    const std::vector<std::string_view> freshLines = lines(fresh);
    std::string result(fresh);
    for (std::string_view line : lines(earlier)) {
        if (line.empty() || IsOptionLine(line, kResolution) || IsOptionLine(line, "ror") || IsOptionLine(line, "rol"))
            continue;
        if (std::find(freshLines.begin(), freshLines.end(), line) != freshLines.end()) continue;
        if (!result.empty()) result += '|';
        result += line;
    }
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
    bool shortened = false;
    if (!ResolutionValue(text, true, value, &shortened)) return kNoModeHeight;
    // An "x" that ends the text is no height's start; one that a comment or blanks follow is an
    // empty height, as one before the next line is ("resolution 640x|ror 1"), so that the line
    // written back from what was read reads the same.
    const size_t last = shortened ? value.size() : value.size() - std::min<size_t>(value.size(), 1);
    std::string result = kNoModeHeight;
    for (size_t i = 0; i < last; ++i) {
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
