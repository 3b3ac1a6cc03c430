#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace kelvaro {

// A game's INI content is held as "INI details": its lines joined by "|", without CR or LF.

// Puts newLine in place of the first resolution line of text (from "resolution " to the end of
// its line), or in front of the text when it has none, and returns the INI details in normal
// form: line breaks turned into "|", no "|" at either end, never two in a row.
std::string SetResolutionLine(std::string_view newLine, std::string_view text);

// INI details as file text: every "|" becomes CR LF; no line end is added.
std::string INITextToFileText(std::string_view text);

// Width and height named by the resolution line: kNoModeWidth, kNoModeHeight ("???") when there is
// none (or none readable), possibly "" for a malformed line.
std::string ResolutionWidth(std::string_view text);
std::string ResolutionHeight(std::string_view text);

// The refresh rate the resolution line asks for: the digits right after the "@" that follows the
// height ("resolution 256x224@57" gives 57), read as a whole number. Nothing when the line has no
// such digits.
std::optional<long long> ResolutionRate(std::string_view text);

} // namespace kelvaro
