#pragma once
#include <chrono>
#include <string>
#include <vector>

#include "core/Model.h"
#include "core/Outcome.h"
#include "core/Progress.h"

namespace kelvaro {

// The path of a game's INI file: MameINIPath + separator + the name the emulator looks up
// (lower case on a case-sensitive file system) + ".ini". Empty when the rom name is not a usable
// file name or no INI folder is set.
std::string IniFilePath(const Model& m, const std::string& romName);

// Why IniFilePath is empty for the rom name: no INI folder is set, or the name is no file name.
Outcome WhyNoIniFilePath(const Model& m, const std::string& romName);

// The bytes of an INI file for the given INI details: their file text and one CR LF, or nothing
// at all for empty details.
std::string IniFileBytes(const std::string& details);

struct GenerateResult {
    int Written = 0;
    int Skipped = 0; // in scope, left out by a filter or for the file of an earlier game
    // Why they were skipped (the four add up to Skipped): no ROMs in the ROM folder, a clone, an
    // INI file there already, the same file as an earlier game's.
    int SkippedNoRoms = 0, SkippedClones = 0, SkippedHaveIni = 0, SkippedSameFile = 0;
    int WrittenDespiteFilters = 0; // of the games written, the ones changed by hand a filter left out
    int Failed = 0;                // passed the filters, file not written
    int ChangedSinceRead = 0;      // of Failed, the files that changed after they were read back
    // Why the selected game was left out ("left out by Parent Romsets Only"), when a filter left it
    // out; empty otherwise.
    std::string SelectedLeftOut;
    std::vector<std::string> WrittenPaths;  // in table order
    std::vector<std::string> FailedNames;   // rom names, in table order
    std::vector<std::string> FailedReasons; // why each of FailedNames failed, in the same order
    // What a test run that did not end had left in the INI folder, put right first (a sentence for
    // the user); empty when nothing was left.
    std::string RestoredFirst;
};

// How long a generation or a test run waits for another run of the program to leave the INI
// folder before it gives up.
inline constexpr std::chrono::milliseconds kIniFolderWait{10000};

// "The INI folder is in use by another Kelvaro (process N)." for the process holding the folder.
std::string IniFolderInUse(int holder);

// What one generation writes: the games in scope, measured from the selected game, less those the
// filters leave out.
struct GenerateRequest {
    GenerateScope Scope = GenerateScope::SelectedGame;
    int SelectedGame = 0;       // 0 when none is selected: only AllGames has games then
    bool AvailableOnly = false; // only games whose ROMs are in the ROM folder
    bool ParentsOnly = false;   // no clones
    bool NoIniOnly = false;     // only games without an INI file
    // The games in scope changed by hand (GameHandEdited) are written whatever the filters say.
    bool HandEditedDespiteFilters = false;
    // Only the games changed by hand, whatever the scope and the filters say.
    bool HandEditedOnly = false;
    // How long to wait for another run of the program to leave the INI folder.
    std::chrono::milliseconds LockWait = kIniFolderWait;
};

// The request the generation settings make (the scope and filters the generation dialog chose
// last), measured from the selected game.
GenerateRequest GenerateRequestOf(const Settings& s, int selectedGame);

// The games changed by hand since their INI files were last written, in table order.
std::vector<int> HandEditedGames(const Model& m);

// Of those, the games in the request's scope that its filters would leave out.
std::vector<int> HandEditedLeftOut(const Model& m, const GenerateRequest& request);

// Writes one INI file per game in the request's scope that passes its filters (all files
// written safely as one step), with the progress "Generating INI Files..." counted by games. A
// file that cannot be written (a rom name that is no file name, a device, FIFO or folder of that
// name) counts as failed, with its reason, and the run goes on. So does an existing file the
// program does not know (GameINIFile not Read, or read back from another folder than MameINIPath):
// it stays as it is. A file written counts as read back, and its game as no longer changed by
// hand. While another run holds the INI folder
// (after waiting up to the request's LockWait) nothing is written and the failure says so. Sets
// INIsGenerated unless files failed and none was written. Asks nothing; the caller asks first and
// reports the result.
Result<GenerateResult> GenerateINIFiles(Model& m, const GenerateRequest& request, ProgressSink& progress);

// The outcome in a few words: "1 written; 1 skipped: no ROMs", "3 written; 5 skipped: 3 no ROMs,
// 2 clones; 1 failed".
std::string GenerationSummary(const GenerateResult& result);

// Brings one game's row in line with the bytes of its INI file: the mode named by its resolution
// line (the refresh of the last available mode of that size), the details with that line in
// normal form.
void TakeIniFile(const Model& m, GameRow& game, std::string_view bytes);

enum class ReadIniOutcome { NoFolder, ListsEmpty, Read };

// Reads existing INI files back into the game table (progress "Reading Existing INI Files...").
// NoFolder: the INI folder is missing, nothing shown. ListsEmpty: the caller shows the warning.
// Both change nothing. A game whose file is missing or cannot be read keeps its row as it was.
// Every game's GameINIFile says what was found, and INIsReadFrom names the folder. After a read,
// no game counts as changed by hand.
ReadIniOutcome ReadExistingINIFiles(Model& m, ProgressSink& progress);

} // namespace kelvaro
