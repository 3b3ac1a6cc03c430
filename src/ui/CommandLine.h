#pragma once
#include <optional>
#include <ostream>

namespace kelvaro {

// Answers --help (or -h) and --version the way command-line programs on Linux do: prints to out
// and gives the exit status. Nothing for any other command line, which then goes to Qt. Runs
// before the application object exists, so it needs no window system.
std::optional<int> AnswerInformationOptions(int argc, const char* const* argv, std::ostream& out);

} // namespace kelvaro
