#include "modes/ModeReason.h"

#include "core/ChosenMode.h"
#include "modes/AutoSelect.h"
#include "modes/SelectionText.h"

namespace kelvaro {

std::string GameModeReason(const Model& m, int game) {
    if (game < 1 || game > m.Games.Count()) return {};
    const SelectionRecord record = ExplainSelection(m, game);
    const GameRow& g = m.Games[game];
    std::string reason = SelectionReason(m, record);
    if (g.GameModeWidth == record.Width && g.GameModeHeight == record.Height && g.GameModeRefresh == record.Refresh)
        return reason;
    const std::string chosen = record.Width == kNoModeWidth
                                   ? std::string("(Let MAME Decide)")
                                   : record.Width + " x " + record.Height + " @ " + record.Refresh + "Hz";
    return "Not the mode Auto-Select chooses now (" + chosen +
           "): it comes from the game's INI file or was set by hand.\n" + reason;
}

} // namespace kelvaro
