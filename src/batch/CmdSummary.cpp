#include <iostream>

#include "batch/BatchCommon.h"
#include "modes/SelectionSummary.h"

namespace kelvaro::batch {

// Counts the games by the outcome of the automatic selection, "name<TAB>count" a line.
int CmdSummary(const Options& o) {
    const Model m = MakeSelectionModel(o);
    std::string out;
    for (const auto& [name, count] : SummaryCounts(SummarizeSelection(m)))
        out += name + "\t" + std::to_string(count) + "\n";
    std::cout << out;
    return 0;
}

} // namespace kelvaro::batch
