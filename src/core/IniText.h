#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace kelvaro {

// A game's INI content is held as "INI details": its lines joined by "|", without CR or LF.

// A line sets an emulator option when its first word (after spaces and tabs) is the option's
// name with a space or a tab after it, as the emulator reads its INI files: "#resolution 320x240"
// is a comment, "terror 1" sets no "ror". Of several lines of one option the emulator takes the
// last, and so does everything here that reads or changes an option's line.
bool IsOptionLine(std::string_view line, std::string_view name);

// Puts newLine in place of the last resolution line of text, or in front of the text when it has
// none, and returns the INI details in normal form: line breaks turned into "|", no "|" at either
// end, never two in a row. The blanks in front of the replaced line and a comment behind its value
// ("# for my cab") stay.
std::string SetResolutionLine(std::string_view newLine, std::string_view text);

// The text as INI details in normal form, its lines as they are.
std::string NormalDetails(std::string_view text);

// Makes the details turn on the switch of line ("ror 1"): the last line of that option, when it
// has one with another value, becomes line (its blanks and comment stay); without one, line is
// added at the end. Details that turn it on already come back as they are.
std::string SetSwitchLine(std::string_view line, std::string_view text);

// The fresh details of a game with the user's own lines of its earlier details added at the end:
// every line of earlier that is no resolution, ror or rol line, is not empty and is not a line of
// fresh already, in its order.
std::string KeepOwnLines(std::string_view fresh, std::string_view earlier);

// INI details as file text: every "|" becomes CR LF; no line end is added.
std::string INITextToFileText(std::string_view text);

// Width and height named by the last resolution line, its comment left out: kNoModeWidth,
// kNoModeHeight ("???") when there is none (or none readable), possibly "" for a malformed line.
std::string ResolutionWidth(std::string_view text);
std::string ResolutionHeight(std::string_view text);

// The refresh rate the resolution line asks for: the digits right after the "@" that follows the
// height ("resolution 256x224@57" gives 57), read as a whole number. Nothing when the line has no
// such digits.
std::optional<long long> ResolutionRate(std::string_view text);

} // namespace kelvaro
