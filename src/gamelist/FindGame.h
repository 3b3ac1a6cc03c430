#pragma once
#include <string>
#include <vector>

#include "core/Model.h"

namespace kelvaro {

// Finding a game by description or rom name. All matching is on upper-case forms, in three kinds
// tried in order: exact (rom name or description), description contains, rom name contains.

// The native mode of the last matching game of the first kind that matches; 0 when none.
// search is the answer already trimmed and upper-cased.
int FindNativeModeOfGame(const Model& m, const std::string& search);

// Index into shownGames (0-based) of the first shown game that matches, kinds in order; -1 when
// none.
int FindShownGame(const Model& m, const std::vector<int>& shownGames, const std::string& search);

} // namespace kelvaro
