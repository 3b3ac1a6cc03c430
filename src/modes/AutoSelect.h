#pragma once
#include <vector>

#include "core/Model.h"
#include "core/Progress.h"
#include "modes/SelectionRecord.h"

namespace kelvaro {

// Chooses a mode for every game with the progress "Selecting Video Modes..." (counted by games).
// Asks nothing; the caller asks first.
void AutoSelectVideoModes(Model& m, ProgressSink& progress);

// What the selection does for game `game` (1..count) with the model as it is, step by step and
// with the cells it gives the game; changes nothing in the model.
SelectionRecord ExplainSelection(const Model& m, int game);

// For every game (index 1..count; element 0 unused), the row of the available mode the selection
// finds for it, 0 when it finds none; changes nothing in the model.
std::vector<int> SelectedModeRows(const Model& m);

} // namespace kelvaro
