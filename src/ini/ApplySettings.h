#pragma once
#include <string>
#include <vector>

#include "core/Model.h"

namespace kelvaro {

// The settings dialog's choice: entry e of the mode list (0 "(Let MAME Decide)", k available
// mode k) and the text of its INI details box (line breaks allowed).

// Gives game g the whole detail text and the mode of entry e.
void ApplyChoiceToGame(Model& m, int g, int e, const std::string& text);

// Gives the not-found settings the detail text and the mode of entry e.
void ApplyChoiceToNotFound(Model& m, int e, const std::string& text);

// The dialog's OK: gives the choice to the selected game s, to every game shown in the games list
// (in list order), to every game with the orientation of s, or to every game. Returns the games
// changed.
std::vector<int> ApplyChoiceToScope(Model& m, ApplyScope scope, int s, const std::vector<int>& shownGames,
                                    int e, const std::string& text);

// Step 3 of filling the dialog: picks the entry for the chosen mode (W, H, R) by exact text
// comparison (0 when none) and rewrites the detail text's resolution line to match. Returns the
// entry; text is updated in place.
int PreselectEntry(const Model& m, const std::string& w, const std::string& h, const std::string& r,
                   std::string& text);

} // namespace kelvaro
