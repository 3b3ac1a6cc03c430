#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/Outcome.h"
#include "emulator/EmulatorOptions.h"

namespace kelvaro {

// One option line in a mame.ini of the user's that the program may write for the user: set in
// the file, or the file created holding only that line. The user's files are those in the home
// folder, and on Windows, where the emulator keeps its settings beside its executable, the
// mame.ini there too.
struct OptionFix {
    std::string File;           // the mame.ini
    std::string Option;         // "switchres"
    std::string Value;          // "1"
    bool Create = false;        // the file is not there: it is created holding only the line
    std::string EmulatorFolder; // on Windows, when File is the mame.ini beside the emulator: its folder
};

// Where a line "option value" takes effect: the mame.ini the emulator reads last (the first one
// along MameIniFolders) when it is the user's; when there is none, a new mame.ini where the
// emulator reads it and the new file hides no settings: on Windows beside the emulator (its
// working folder, first on its default inipath), else in the home folder's ".mame". Advice says
// what to do in the user's words; Fix is set only where the program can do it in the user's own
// files.
struct OptionPlace {
    std::optional<OptionFix> Fix;
    std::string Advice; // "Add the line "switchres 1" to /home/ann/.mame/mame.ini."
};
OptionPlace PlaceOptionLine(const EmulatorOptions& options, const std::string& option, const std::string& value,
                            const std::string& home);

// "option value", the value in quotes when it holds a space.
std::string OptionLine(const std::string& option, const std::string& value);

// The text with the option set to value: the value of the last line naming the option is
// replaced (its spacing and comment stay), or the line is added at the end, with the text's own
// line ends. Every other byte stays.
std::string SetOptionLine(std::string_view text, const std::string& option, const std::string& value);

// Writes the fix, safely: never outside the home folder (links followed) but for the mame.ini
// directly in the fix's EmulatorFolder on Windows, the old file kept as NAME.bak (or NAME.bak2,
// NAME.bak3, ... when that is taken), only the one line changed; a new file (and its folder)
// created only where Create says. A failure says why nothing changed.
Outcome ApplyOptionFix(const OptionFix& fix, const std::string& home);

} // namespace kelvaro
