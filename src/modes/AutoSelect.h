#pragma once
#include <string>
#include <vector>

#include "core/Model.h"
#include "core/Progress.h"
#include "modes/SelectionRecord.h"

namespace kelvaro {

// What a run of the selection gave the games, each game counted once.
struct AutoSelectCounts {
    int WithMode = 0;       // a mode of the list
    int NotFoundMode = 0;   // none found: the mode chosen for that case
    int LeftToEmulator = 0; // none found (or none searched): the emulator decides
    [[nodiscard]] int Games() const { return WithMode + NotFoundMode + LeftToEmulator; }
};

// Chooses a mode for every game with the progress "Selecting Video Modes..." (counted by games).
// Asks nothing; the caller asks first.
AutoSelectCounts AutoSelectVideoModes(Model& m, ProgressSink& progress);

// The counts in a few words: "Auto-Select: 6 games, 4 given a mode, 2 left to M.A.M.E.".
std::string AutoSelectSummary(const AutoSelectCounts& counts);

// What the selection does for game `game` (1..count) with the model as it is, step by step and
// with the cells it gives the game; changes nothing in the model.
SelectionRecord ExplainSelection(const Model& m, int game);

// For every game (index 1..count; element 0 unused), the row of the available mode the selection
// finds for it, 0 when it finds none; changes nothing in the model.
std::vector<int> SelectedModeRows(const Model& m);

} // namespace kelvaro
