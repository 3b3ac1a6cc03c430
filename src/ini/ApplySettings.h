#pragma once
#include <string>
#include <vector>

#include "core/Model.h"

namespace kelvaro {

// The settings dialog's choice: an entry of the mode list (0 "(Let MAME Decide)", k available
// mode k) and the text of its INI details box (line breaks allowed).

// Gives the game the whole detail text and the mode of the entry, and marks it changed by hand.
void ApplyChoiceToGame(Model& m, int game, int entry, const std::string& text);

// Gives the not-found settings the detail text and the mode of the entry.
void ApplyChoiceToNotFound(Model& m, int entry, const std::string& text);

// The dialog's OK: gives the choice to the selected game, to every game shown in the games list
// (in list order), to every game with the selected game's orientation, or to every game. Returns
// the games changed.
std::vector<int> ApplyChoiceToScope(Model& m, ApplyScope scope, int selectedGame, const std::vector<int>& shownGames,
                                    int entry, const std::string& text);

// Step 3 of filling the dialog: picks the entry for the chosen mode by exact text comparison (0
// when none) and rewrites the detail text's resolution line to match. Returns the entry; text is
// updated in place.
int PreselectEntry(const Model& m, const std::string& width, const std::string& height, const std::string& refresh,
                   std::string& text);

} // namespace kelvaro
