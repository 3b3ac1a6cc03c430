#include <iostream>

#include "batch/BatchCommon.h"
#include "modes/AutoSelect.h"
#include "modes/SelectionText.h"

namespace kelvaro::batch {

// Explains the automatic selection for one game: the chosen mode's cells first, then why, step
// by step, and the picture in that mode. Nothing is written.
int CmdExplain(const Options& o) {
    const std::string name = Require(o, "--game");
    const Model m = MakeSelectionModel(o);
    const int game = FindGameByRomName(m, name);
    if (game == 0) throw UsageError{"no game named " + name};
    std::cout << SelectionExplanation(m, ExplainSelection(m, game));
    return 0;
}

} // namespace kelvaro::batch
