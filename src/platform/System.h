#pragma once
#include <string>

namespace kelvaro {

// True on the Windows NT family; false elsewhere (also on Linux).
bool IsWindowsNT();

// The Windows folder (for example C:\WINDOWS); empty where there is none.
std::string GetWindowsFolder();

// The short form of an existing path; where the platform has no short names, the path itself.
// Empty when the path does not exist.
std::string GetShortName(const std::string& path);

} // namespace kelvaro
