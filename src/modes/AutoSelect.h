#pragma once
#include "core/Model.h"
#include "core/Progress.h"

namespace kelvaro {

// Chooses a mode for every game with the progress "Selecting Video Modes..." (counted by games).
// Asks nothing; the caller asks first.
void AutoSelectVideoModes(Model& m, ProgressSink& progress);

} // namespace kelvaro
