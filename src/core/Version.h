#pragma once
#include <string>

namespace kelvaro {

// The program's name and version as both programs print them for --version: "Kelvaro 2.0.0".
std::string VersionText();

} // namespace kelvaro
