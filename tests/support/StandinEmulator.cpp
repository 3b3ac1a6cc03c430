// A stand-in for the emulator in the tests, the same program on every system. What it does is
// written in standin.txt beside it, one instruction a line:
//   note FILE      appends "<working folder>|<arguments, one space apart>" and a newline to FILE
//   print FILE     copies FILE to its standard output
//   wait SECONDS   sleeps
//   exit N         ends with status N (without it, 0 at the end)
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "platform/Paths.h"

int main(int argc, char** argv) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::ifstream script(kelvaro::JoinPath(kelvaro::ProgramFolder(), "standin.txt"));
    std::string line;
    while (std::getline(script, line)) {
        const std::size_t space = line.find(' ');
        const std::string word = line.substr(0, space);
        const std::string rest = space == std::string::npos ? std::string() : line.substr(space + 1);
        if (word == "note") {
            std::string seen = std::filesystem::current_path().string() + "|";
            for (int i = 1; i < argc; ++i) {
                if (i > 1) seen += ' ';
                seen += argv[i];
            }
            std::ofstream(rest, std::ios::binary | std::ios::app) << seen << "\n";
        } else if (word == "print") {
            std::ifstream in(rest, std::ios::binary);
            char buffer[65536];
            while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
                std::fwrite(buffer, 1, static_cast<std::size_t>(in.gcount()), stdout);
            std::fflush(stdout);
        } else if (word == "wait") {
            std::this_thread::sleep_for(std::chrono::duration<double>(std::stod(rest)));
        } else if (word == "exit") {
            return std::stoi(rest);
        }
    }
    return 0;
}
