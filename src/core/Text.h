#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

// Reads a text file of the program (game list, settings, mode list, INI file) line by line. CR LF,
// a lone CR and a lone LF each end a line, so a file saved on Linux reads like one saved on
// Windows; a last line without an end counts, and what follows the final line end is not a line.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    // The next line without its end; false once every line has been read.
    bool Next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        const char* begin = text_.data() + pos_;
        const char* end = text_.data() + text_.size();
        const char* p = begin;
        while (p != end && *p != '\r' && *p != '\n') ++p;
        line = std::string_view(begin, static_cast<std::size_t>(p - begin));
        if (p != end) {
            if (*p == '\r' && p + 1 != end && p[1] == '\n') ++p;
            ++p;
        }
        pos_ = static_cast<std::size_t>(p - text_.data());
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Every line of the text, as LineReader reads them.
std::vector<std::string_view> SplitLines(std::string_view text);

// The text without the space characters at either end. Only ' ' counts: a tab or any other blank
// is part of a value in the program's files.
std::string_view TrimSpaces(std::string_view text);

// The text with its ASCII letters in lower case; every other byte stays.
std::string AsciiLowerCase(std::string_view text);

// True when the texts are equal once their ASCII letters are of one case.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Upper case as the search compares: UTF-8 text, letters of the Latin, Greek and Cyrillic
// alphabets upper-cased (é -> É), everything else (bytes that are no valid UTF-8 too) unchanged.
std::string UpperCase(std::string_view text);

// The text as it may be shown on a terminal or in a window: every control character (C0, DEL
// and C1) and every byte that is not part of valid UTF-8 becomes U+FFFD, so that a name from a
// damaged list can neither move a terminal's cursor nor break a line of a table. Printable text
// comes back unchanged.
std::string PrintableText(std::string_view text);

} // namespace kelvaro
