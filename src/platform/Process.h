#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace kelvaro {

// Starts the program directly (no command interpreter, no quoting) with its arguments in the
// working folder and waits for its end. While waiting, pump (when given) is called every few
// milliseconds so that the windows keep painting. Returns the exit code, or -1 when the program
// could not be started (or ended by a signal).
int ShellAndWait(const std::string& program, const std::vector<std::string>& args,
                 const std::string& workingFolder, bool showWindow,
                 const std::function<void()>& pump = {});

// Like ShellAndWait, and hands every chunk of the program's standard output to onOutput as it
// arrives. Its standard error is discarded. If onOutput returns false, reading stops and the rest
// of the output is drained unread.
int RunAndReadOutput(const std::string& program, const std::vector<std::string>& args,
                     const std::string& workingFolder,
                     const std::function<bool(const char* data, std::size_t size)>& onOutput,
                     const std::function<void()>& pump = {});

} // namespace kelvaro
