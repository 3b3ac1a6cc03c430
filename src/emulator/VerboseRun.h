#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "emulator/EmulatorOptions.h"
#include "platform/Process.h"

namespace kelvaro {

// What a -verbose run of the emulator said about its INI files and the game's ROMs.
struct VerboseRun {
    bool NamesIniFiles = false;      // it said which INI files it looked for
    std::vector<std::string> Parsed; // the INI files it read, as it names them ("pacman.ini", no folder)
    bool RomsMissing = false;        // it said that ROMs were not found
    std::string LastError;           // the last line of its error output
};

// Reads the standard output and error of a -verbose run.
VerboseRun ReadVerboseRun(std::string_view output, std::string_view errors);

// What a test run of one game is judged against.
struct TestRunSetting {
    std::string Exe;
    std::string Game;                         // as the emulator spells it
    std::string IniFolder;                    // where the game's INI file was put
    const EmulatorOptions* Options = nullptr; // the emulator's options; nothing when unknown
};

// The message after a test run when something went wrong: the emulator could not be started,
// did not read the game's INI file from the INI folder (the folder it read it from instead is
// taken from the inipath lookup), found no ROMs, or ended with an error. Empty after a run that
// read the file and played.
std::string TestRunMessage(const VerboseRun& run, const ProcessExit& exit, const TestRunSetting& setting);

} // namespace kelvaro
