#pragma once
#include <string>
#include <string_view>

namespace kelvaro {

// The file name the emulator looks up for a game's name and extension: on a case-sensitive
// file system the name in lower case ("PACMAN", ".ini" -> "pacman.ini"); on Windows as given.
std::string EmulatorFileName(std::string_view romName, std::string_view extension);

} // namespace kelvaro
