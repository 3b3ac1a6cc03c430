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

// A game that Find Next moves to, and the native mode that lists it.
struct FoundGame {
    int Game = 0, NativeMode = 0;
};

// The game after `after` among the matching games in the order Find tries them: every game that
// matches exactly, in table order, then every game whose description contains search, then every
// game whose rom name contains it, each game once (at its first kind), wrapping to the first.
// Games that no native mode lists are passed over. Nothing (Game 0) when no game other than
// `after` matches; after 0 starts at the first.
FoundGame FindNextGame(const Model& m, const std::string& search, int after);

} // namespace kelvaro
