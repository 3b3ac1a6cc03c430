#pragma once
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
