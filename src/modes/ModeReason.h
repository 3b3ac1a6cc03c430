#pragma once
#include <string>

#include "core/Model.h"

namespace kelvaro {

// Why game `game` has the mode it has, in two or three plain lines ("\n" between them): the
// automatic selection's own reason when the game's mode is the one it chooses with the current
// settings and mode list; otherwise first a line saying the mode came from elsewhere (the game's
// INI file or the user) and what the selection would choose.
std::string GameModeReason(const Model& m, int game);

} // namespace kelvaro
