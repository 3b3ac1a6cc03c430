#pragma once
#include <string>
#include <vector>

namespace kelvaro {

// The Windows folder (for example C:\WINDOWS); empty where there is none.
std::string GetWindowsFolder();

// The value of an environment variable (UTF-8 on Windows too); empty when it is not set.
std::string EnvironmentValue(const std::string& name);

// The program's arguments after its own name, as main got them; on Windows read anew from the
// system's wide command line, so that a name outside the code page ("D:\ゲーム") comes whole.
std::vector<std::string> ProgramArguments(int argc, char** argv);

} // namespace kelvaro
