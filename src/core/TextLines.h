#pragma once
#include <string_view>
#include <vector>

namespace kelvaro {

// The lines of a text file read by the program (settings, mode lists, INI files). CR LF, a lone
// CR and a lone LF each end a line, so a file saved on Linux reads like one saved on Windows; a
// last line without an end counts, and what follows the final line end is not a line.
std::vector<std::string_view> SplitLines(std::string_view text);

} // namespace kelvaro
