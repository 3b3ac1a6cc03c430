#pragma once
#include <string>

namespace kelvaro {

// The Windows folder (for example C:\WINDOWS); empty where there is none.
std::string GetWindowsFolder();

} // namespace kelvaro
