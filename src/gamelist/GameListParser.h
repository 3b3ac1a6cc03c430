#pragma once
#include <string>

#include "core/Model.h"
#include "core/Outcome.h"
#include "core/Progress.h"

namespace kelvaro {

// Reads a listinfo file into the model's parser output (GameList), one row per "game (" block in
// file order; a "game (" line inside a block that was never closed starts the next block. A
// missing or unreadable file, or an empty name, gives an empty output and a failure that says why
// (nothing is shown). Shows "Reading Game Info from M.A.M.E...." without a count.
Outcome ReadGameList(const std::string& fileName, Model& m, ProgressSink& progress);

// The same scan over text already in memory (used by the file reader, the tests and the fuzzer).
void ParseGameList(std::string_view text, Model& m);

} // namespace kelvaro
