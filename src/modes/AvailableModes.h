#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/Model.h"
#include "core/Outcome.h"

namespace kelvaro {

// Reads ModeListFile into the available mode table and rebuilds AvailWidthList and
// AvailHeightList (distinct texts, ascending by value). The table is emptied first; a file that
// is missing or cannot be read leaves it empty and the two lists as they were, and the failure
// says why.
Outcome ReadAvailableModes(Model& m);

// Parses mode list text (line 1 is a heading) into the table and the two lists, as above. Each
// further line gives one row: width in columns 1-4, height in 5-8, the rate the two characters
// before the first "Hz" of the rest. The word after that "Hz" may mark the mode "progressive" or
// "interlaced" ("p" / "i", any case); a line without the word counts as interlaced above 304 lines.
void ParseAvailableModes(std::string_view text, Model& m);

// The marker word of a mode list line: true for "interlaced" or "i", false for "progressive" or
// "p" (any letter case), nothing for any other word.
std::optional<bool> InterlaceMarkerWord(std::string_view word);

// The "Mode" column of the available mode list: "640 x 480 @ 60Hz"; a refresh that is not a
// number shows as 0Hz.
std::string AvailModeDisplay(const AvailModeRow& mode);

// Removes the mode of that row; the distinct-value lists stay. Nothing happens for a row outside
// the table.
void RemoveAvailableMode(Model& m, int modeRow);

// Keeps exactly the rows whose refresh text is "60", in their order.
void KeepOnly60HzModes(Model& m);

} // namespace kelvaro
