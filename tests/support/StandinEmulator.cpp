// A stand-in for the emulator in the tests, the same program on every system. What it does is
// written in standin.txt beside it, one instruction a line; "$1" in an instruction stands for its
// first argument:
//   when ARG ...     does the rest of the line only when the first argument is ARG; an ARG that
//                    ends in * takes every first argument that begins with what comes before it
//   if FILE ...      does the rest of the line only when FILE is there
//   to out|err       where say, print, zeros and args write from now on (standard output at first)
//   say TEXT         writes TEXT and a newline
//   print FILE       copies FILE
//   zeros N          writes N zero bytes
//   args             writes each argument in brackets: "[a b][]"
//   note FILE        appends "<working folder>|<arguments, one space apart>" and a newline to FILE
//   list DIR FILE    writes the names in DIR, sorted, one a line, to FILE
//   copy FROM TO     copies the file FROM to TO
//   wait SECONDS     sleeps
//   exit N           ends with status N (without it, 0 at the end)
//   crash            ends abnormally: killed by signal 9, or on Windows with the status of a crash
//   signal-parent N  sends signal N to the program that started it (not on Windows)
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

#ifndef _WIN32
#include <unistd.h>
#endif

#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/System.h"

namespace fs = std::filesystem;
using kelvaro::FsPath;
using kelvaro::PathText;

// Names and arguments are UTF-8, as the program's own are, on Windows too.
int main(int argc, char** argv) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    const std::vector<std::string> args = kelvaro::ProgramArguments(argc, argv);
    const std::string first = args.empty() ? "" : args.front();
    std::FILE* stream = stdout;
    std::istringstream script(
        kelvaro::ReadWholeFile(kelvaro::JoinPath(kelvaro::ProgramFolder(), "standin.txt")).value_or(""));
    std::string line;
    while (std::getline(script, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        for (std::size_t at; (at = line.find("$1")) != std::string::npos;) line.replace(at, 2, first);
        std::string word, rest = line;
        bool met = true;
        for (;;) {
            const std::size_t space = rest.find(' ');
            word = rest.substr(0, space);
            rest = space == std::string::npos ? std::string() : rest.substr(space + 1);
            if (word != "when" && word != "if") break;
            const std::size_t end = rest.find(' ');
            const std::string what = rest.substr(0, end);
            rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
            std::error_code ec;
            if (word == "if")
                met = met && fs::exists(what, ec);
            else if (!what.empty() && what.back() == '*')
                met = met && first.starts_with(std::string_view(what).substr(0, what.size() - 1));
            else
                met = met && what == first;
        }
        if (!met) continue;
        const std::size_t space = rest.find(' ');
        const std::string second = space == std::string::npos ? std::string() : rest.substr(space + 1);
        const std::string first_word = rest.substr(0, space);
        if (word == "to") {
            stream = rest == "err" ? stderr : stdout;
        } else if (word == "say") {
            std::fprintf(stream, "%s\n", rest.c_str());
        } else if (word == "print") {
            std::ifstream in(FsPath(rest), std::ios::binary);
            char buffer[65536];
            while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
                std::fwrite(buffer, 1, static_cast<std::size_t>(in.gcount()), stream);
        } else if (word == "zeros") {
            const std::string zeros(std::stoul(rest), '\0');
            std::fwrite(zeros.data(), 1, zeros.size(), stream);
        } else if (word == "args") {
            for (const std::string& arg : args) std::fprintf(stream, "[%s]", arg.c_str());
        } else if (word == "note") {
            std::string seen = PathText(fs::current_path()) + "|";
            for (std::size_t i = 0; i < args.size(); ++i) seen.append(i > 0 ? " " : "").append(args[i]);
            std::ofstream(FsPath(rest), std::ios::binary | std::ios::app) << seen << "\n";
        } else if (word == "list") {
            std::set<std::string> names;
            std::error_code ec;
            for (const fs::directory_entry& e : fs::directory_iterator(FsPath(first_word), ec))
                names.insert(PathText(e.path().filename()));
            std::ofstream out(FsPath(second), std::ios::binary);
            for (const std::string& name : names) out << name << "\n";
        } else if (word == "copy") {
            std::error_code ec; // a file that is not there is not copied, as with cp
            fs::remove(FsPath(second), ec);
            fs::copy_file(FsPath(first_word), FsPath(second), ec);
        } else if (word == "wait") {
            std::fflush(stream);
            std::this_thread::sleep_for(std::chrono::duration<double>(std::stod(rest)));
        } else if (word == "exit") {
            std::fflush(nullptr);
            return std::stoi(rest);
        } else if (word == "signal-parent") {
#ifndef _WIN32
            kill(getppid(), std::stoi(rest));
#endif
        } else if (word == "crash") {
            std::fflush(nullptr);
#ifdef _WIN32
            TerminateProcess(GetCurrentProcess(), 0xC0000005); // what Windows reports for an access violation
#else
            std::raise(SIGKILL);
#endif
        }
        std::fflush(stream);
    }
    return 0;
}
