#pragma once
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

namespace kelvaro {

// How a run of a program ended.
struct ProcessExit {
    int ExitCode = -1;           // the program's exit code; -1 when it did not end by itself or did not run
    int Signal = 0;              // the signal that ended it; 0 when it ended by itself
    std::error_code Error;       // why it could not be started (or waited for); empty when it ran
    bool TimedOut = false;       // it ran past its time limit and was ended (ExitCode -1, Signal as it was killed)
    bool EndedOnRequest = false; // it was ended because the caller asked for it (as TimedOut otherwise)
};

// Starts the program directly (no command interpreter, no quoting) with its arguments in the
// working folder and waits for its end. While waiting, pump (when given) is called every few
// milliseconds so that the windows keep painting.
ProcessExit ShellAndWait(const std::string& program, const std::vector<std::string>& args,
                         const std::string& workingFolder, bool showWindow, const std::function<void()>& pump = {});

// Like ShellAndWait, and hands every chunk of the program's standard output to onOutput as it
// arrives. Its standard error is discarded. If onOutput returns false, reading stops and the rest
// of the output is drained unread. With a time limit (zero for none), a program still running
// when it has passed is ended, and the exit says TimedOut. endRequested (when given) is asked
// between the reads and the pumps: once it says true the program is ended (killed: a program
// that hangs would not end otherwise), and the exit says EndedOnRequest.
ProcessExit RunAndReadOutput(const std::string& program, const std::vector<std::string>& args,
                             const std::string& workingFolder,
                             const std::function<bool(const char* data, std::size_t size)>& onOutput,
                             const std::function<void()>& pump = {},
                             std::chrono::milliseconds timeLimit = std::chrono::milliseconds::zero(),
                             const std::function<bool()>& endRequested = {});

// Like ShellAndWait (the window shown when showWindow is set), and hands every chunk of the
// program's standard output to onOutput and of its standard error to onError as they arrive, each
// stream in its own order.
ProcessExit RunAndReadBothOutputs(const std::string& program, const std::vector<std::string>& args,
                                  const std::string& workingFolder, bool showWindow,
                                  const std::function<void(const char* data, std::size_t size)>& onOutput,
                                  const std::function<void(const char* data, std::size_t size)>& onError,
                                  const std::function<void()>& pump = {});

} // namespace kelvaro
