#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Model.h"
#include "core/Outcome.h"
#include "emulator/EmulatorOptions.h"

namespace kelvaro {

// The names of the INI files the emulator reads for all machines or machines of a kind, not for
// one game.
inline constexpr std::string_view kSharedIniNames[] = {"mame",     "horizont", "vertical", "arcade", "console",
                                                       "computer", "othersys", "raster",   "vector", "lcd",
                                                       "debug",    "ui",       "plugin"};

// What the emulator goes by when it looks for a game's INI files.
struct GameFacts {
    std::string Name; // as the emulator spells it
    bool Vertical = false;
    std::string Screen;      // "raster", "vector", or empty when the list does not say
    std::string Parent;      // its parent, or its BIOS when it is no clone; empty when none
    std::string Grandparent; // the parent's parent or BIOS; empty when none
    bool ParentIsBios = false, GrandparentIsBios = false;
    std::string Source; // the base name of its source file; empty when not known
};

// The facts the model's game list gives about the game (its BIOS is a set the list does not hold
// as a game); nothing when the list does not hold it. Source stays empty.
std::optional<GameFacts> FactsOfGame(const Model& m, std::string_view romName);

// The base name of the game's source file from the emulator's -listsource output
// ("pacman           pacman/pacman.cpp" -> "pacman"); empty when the output does not name it.
std::string SourceOfGame(std::string_view listSource, std::string_view game);

// Runs the emulator with -listsource for the game: its source file's base name, or why not (it is
// ended when it gives no answer within the time limit).
Result<std::string> AskSourceOfGame(const std::string& exe, const std::string& workingFolder, const std::string& game,
                                    const std::function<void()>& pump = {},
                                    std::chrono::milliseconds timeLimit = kEmulatorAnswerTime);

// The first of the folders that holds a file of that name (a name may hold a folder, as
// "source/pacman.ini" does); empty when none does.
std::string FirstFolderHolding(const std::vector<std::string>& folders, std::string_view name);

// One INI file that the emulator reads for a game.
struct IniFileRead {
    std::string Name;      // the name looked for: "mame.ini", "source/pacman.ini", "pacman.ini"
    std::string Path;      // the file, in an INI folder that holds its name
    std::string Why;       // "the orientation", "the parent puckman", ...
    bool MayApply = false; // a machine type's file: read only for machines of that type
    std::string Sets;      // the resolution and rotation lines it holds ("resolution 640x480, ror 1")
};

// The INI files the emulator reads for the game, in its order: the mame.ini it reads first and
// the one along inipath, the orientation's, the machine types' (those that exist may apply), the
// screen's, the source file's, the grandparent's, the parent's and the game's own (none for a game
// without a name: what every machine of its kind reads). Only names
// that an INI folder holds are listed: from the first folder that holds each, or with everyFolder
// from every folder that holds it, in the folders' order (as the versions read them that merge
// the files of a name). A file is listed once.
std::vector<IniFileRead> IniFilesForGame(const EmulatorOptions& options, const GameFacts& game,
                                         bool everyFolder = false);

// The resolution and rotation lines of an INI file's text: "resolution 640x480, ror 1"; empty
// when it holds none. Rotation switches that are 0 are left out.
std::string ModeAndRotationLines(const OptionValues& values);

} // namespace kelvaro
