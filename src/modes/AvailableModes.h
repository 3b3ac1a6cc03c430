#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Model.h"
#include "core/Outcome.h"
#include "platform/Files.h"

namespace kelvaro {

// A mode list line whose rate is not written as two digits right before "Hz" ("60hz", "60 Hz",
// "59.94Hz"): it is read all the same, and the user is told what was made of it.
struct ModeLineWarning {
    int Line = 0;     // the file's lines counted from 1, the heading being line 1
    std::string Text; // the line's text, quoted, and what was read: "\"640 480 59.94Hz\": ... 94Hz"
};

// "line 4: " and the warning's text.
std::string ModeLineWarningText(const ModeLineWarning& warning);

// Reads ModeListFile into the available mode table and rebuilds AvailWidthList and
// AvailHeightList (distinct texts, ascending by value). The table is emptied first; a file that
// is missing or cannot be read leaves it empty and the two lists as they were, and the failure
// says why. Lines whose rate is oddly written are added to warnings when it is given.
Outcome ReadAvailableModes(Model& m, std::vector<ModeLineWarning>* warnings = nullptr,
                           FileReads reads = FileReads::RegularOnly);

// Parses mode list text (line 1 is a heading) into the table and the two lists, as above. Each
// further line gives one row: width in columns 1-4, height in 5-8, the rate the two characters
// before the first "Hz" of the rest. The word after that "Hz" may mark the mode "progressive" or
// "interlaced" ("p" / "i", any case); a line without the word counts as interlaced above 304 lines.
// Every line but a blank one whose rate is not two digits right before that "Hz" (alone or after a
// blank) is added to warnings when it is given.
void ParseAvailableModes(std::string_view text, Model& m, std::vector<ModeLineWarning>* warnings = nullptr);

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
