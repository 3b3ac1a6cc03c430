#pragma once
#include <string>

#include "core/Model.h"
#include "core/Progress.h"

namespace kelvaro {

// Reads a listinfo file into the model's parser output (GameList), one row per "game (" block in
// file order; a "game (" line inside a block that was never closed starts the next block. A
// missing file or empty name gives an empty output without a word. Shows "Reading Game Info from
// M.A.M.E...." without a count.
void ReadGameList(const std::string& fileName, Model& m, ProgressSink& progress);

// The same scan over text already in memory (used by the file reader, the tests and the fuzzer).
void ParseGameList(std::string_view text, Model& m);

} // namespace kelvaro
