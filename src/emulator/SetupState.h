#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/Outcome.h"
#include "emulator/EmulatorOptions.h"
#include "emulator/SetupCheck.h"

namespace kelvaro {

// The name of the file, beside the settings file, that keeps the last setup check's outcome for
// the next start.
inline constexpr const char* kSetupStateFileName = "setupcheck.dat";

// What the status bar said of the setup, with what the check read to say it: the emulator (its
// size and time), its working folder, the INI folder, the home folder, and every mame.ini the
// emulator may read (one that was not there counts too).
struct SetupState {
    std::string Exe, WorkingFolder, IniFolder, Home;
    FileStamp ExeStamp;
    std::vector<std::pair<std::string, FileStamp>> MameInis;
    std::string Hint; // the check's problem in a few words; empty when it found none
    bool operator==(const SetupState&) const = default;
};

// The state of a check of that input with those options, as the files are now.
SetupState SetupStateOf(const SetupCheckInput& in, const EmulatorOptions& options, std::string hint);

// The file's text, and the state read back from it: nothing when the text is not such a file.
std::string SetupStateText(const SetupState& state);
std::optional<SetupState> ReadSetupState(std::string_view text);

// The hint kept in the file when it was worked out for this emulator, working folder, INI folder
// and home folder and none of the files it read has changed since; nothing otherwise (no file, a
// damaged one, another setup).
std::optional<std::string> KeptSetupHint(const std::string& file, const SetupCheckInput& in);

// Writes the state safely; a failure says why (a name holding a line break is not kept).
Outcome WriteSetupState(const std::string& file, const SetupState& state);

// The check that the status bar needs at start, for another thread: asks the emulator for its
// options and checks the setup without a game or the display, which add no problem of their
// own to the status bar. With the state to keep when the emulator answered.
struct StartCheck {
    SetupReport Report;
    std::optional<SetupState> State;
};
StartCheck CheckSetupAtStart(const SetupCheckInput& in);

} // namespace kelvaro
