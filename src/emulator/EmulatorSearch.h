#pragma once
#include <string>
#include <vector>

#include "core/Outcome.h"
#include "emulator/EmulatorOptions.h"

namespace kelvaro {

// Where the emulator is looked for when none is chosen yet.
struct EmulatorPlaces {
    std::string SearchPath;          // the PATH variable's value
    std::string ProgramFolder;       // Kelvaro's own folder: on Windows mame.exe may be beside kelvaro.exe
    std::vector<std::string> Others; // further files, after the search path ("/usr/games/mame")
};

// The places of this system: PATH, the program folder, and Debian's /usr/games/mame.
EmulatorPlaces SystemEmulatorPlaces(const std::string& programFolder);

// The files that may be the emulator, in the order they are looked at: on Windows "mame.exe"
// beside Kelvaro, then in each folder of PATH (';' between them); elsewhere "mame" in each folder
// of PATH (':' between them), then the others.
std::vector<std::string> EmulatorCandidates(const EmulatorPlaces& places);

// The first candidate that is a file the user may run; empty when none is.
std::string FindEmulator(const EmulatorPlaces& places);

// The INI folder to propose with the emulator: the first folder along its inipath that is there,
// or that lies in the home folder, where it can be made; empty when none is.
std::string ProposedIniFolder(const EmulatorOptions& options, const std::string& home);

// Makes the INI folder when it is missing: only inside the home folder. A failure says why.
Outcome MakeIniFolder(const std::string& folder, const std::string& home);

} // namespace kelvaro
