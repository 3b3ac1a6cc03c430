#pragma once
#include <string>
#include <utility>
#include <vector>

#include "core/Model.h"

namespace kelvaro {

// How the selection serves the games, each game counted in exactly one outcome.
struct OutcomeCounts {
    int ExactSize = 0;       // a mode of exactly the picture's size, as the player sees it
    int WithinTolerance = 0; // another mode
    int LeftToEmulator = 0;  // no mode found: the not-found setting (by default the emulator decides)
    [[nodiscard]] int Games() const { return ExactSize + WithinTolerance + LeftToEmulator; }
};

struct SelectionSummary {
    OutcomeCounts All;
    OutcomeCounts Horizontal, Vertical, OtherOrientation; // by the game's orientation "H", "V", other
    int WholeScale = 0; // games the emulator draws in their mode scaled by a whole number both ways
};

// The counts of the selection over the model as it is (run afresh; the model is not changed).
SelectionSummary SummarizeSelection(const Model& m);

// The counts as name and number, in a fixed order ("exact_size", "horizontal_exact_size", ...).
std::vector<std::pair<std::string, int>> SummaryCounts(const SelectionSummary& s);

} // namespace kelvaro
