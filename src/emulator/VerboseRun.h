#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DisplayModes.h"
#include "emulator/EmulatorOptions.h"
#include "platform/Process.h"

namespace kelvaro {

// "640 x 480 @ 60 Hz", or "640 x 480" without a rate.
std::string DisplayModeText(const DisplayMode& mode);

// What a -verbose run of the emulator said about its INI files, the game's ROMs and the display
// mode it set.
struct VerboseRun {
    bool NamesIniFiles = false;      // it said which INI files it looked for
    std::vector<std::string> Parsed; // the INI files it read, as it names them ("pacman.ini", no folder)
    bool RomsMissing = false;        // it said that ROMs were not found
    std::string LastError;           // the last line of its error output
    // The display mode it switched to. Full screen with switchres 1 it scores every mode of the
    // display, one line each ("1024x 768@ 0 -> 0.000133", " 320x 240@60 -> 2.000000"), and
    // takes the first of the highest score. It scores them again when the game's picture changes
    // size; a round where every mode scores the same changes nothing. Nothing when it printed no
    // score (a window, switchres 0).
    std::optional<DisplayMode> ModeSet;
};

// Reads the standard output and error of a -verbose run.
VerboseRun ReadVerboseRun(std::string_view output, std::string_view errors);

// What a test run of one game is judged against.
struct TestRunSetting {
    std::string Exe;
    std::string Game;                         // as the emulator spells it
    std::string IniFolder;                    // where the game's INI file was put
    const EmulatorOptions* Options = nullptr; // the emulator's options; nothing when unknown
    std::string Details;                      // the INI details written for the run
};

// The mode the details' resolution line asks for; nothing for "auto" or no line.
std::optional<DisplayMode> AskedMode(std::string_view details);

// The message after a test run when something went wrong: the emulator could not be started,
// did not read the game's INI file from the INI folder (the folder it read it from instead is
// taken from the inipath lookup), found no ROMs, ended with an error, or set another display mode
// than the details ask for. Empty after a run that read the file and played.
std::string TestRunMessage(const VerboseRun& run, const ProcessExit& exit, const TestRunSetting& setting);

// Whether the run did all it should: it read the game's INI file (its output names it), found the
// ROMs, ended well, and set the mode the details ask for (any mode, or none, when they ask for
// none).
bool TestRunPassed(const VerboseRun& run, const ProcessExit& exit, const TestRunSetting& setting);

} // namespace kelvaro
