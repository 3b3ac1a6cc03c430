#pragma once
// Timing and settings helpers shared by the benchmark programs.
#include <chrono>
#include <cstdlib>
#include <string>

namespace bench {

using Clock = std::chrono::steady_clock;

// Milliseconds since `start`.
inline double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// An environment variable's value; empty when it is not set.
inline std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

} // namespace bench
