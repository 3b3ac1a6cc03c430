#pragma once
#ifndef _WIN32
#include <sys/types.h>
#endif

#include <string>
#include <vector>

// What kelvaro-batch printed and how it ended.
struct BatchResult {
    std::string out;
    std::string err;
    int status = -1;
};

// Runs the built kelvaro-batch with the arguments (passed as they are, no shell word splitting),
// feeding input on its standard input.
BatchResult RunBatch(const std::vector<std::string>& args, const std::string& input = "");

// The same with standard input read from the path in and standard output written to the path out
// (opened for writing only, never replaced); out is then empty unless out is left empty.
BatchResult RunBatchRedirected(const std::vector<std::string>& args, const std::string& in, const std::string& out);

#ifndef _WIN32
// Starts kelvaro-batch without waiting, its standard output and error into the file log. With
// input given, its standard input is a pipe whose writing end is stored there (the caller closes
// it); otherwise it reads nothing. fileSizeLimit > 0 limits every file it writes (RLIMIT_FSIZE).
pid_t StartBatch(const std::vector<std::string>& args, const std::string& log, int* input = nullptr,
                 long fileSizeLimit = 0);

// Waits for a started kelvaro-batch: its exit status, or 128 + the signal that ended it.
int WaitBatch(pid_t pid);
#endif
