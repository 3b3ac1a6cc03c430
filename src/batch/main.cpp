// kelvaro-batch: the program's core from the command line, for scripts and tests.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif
#include <iostream>
#include <string>
#include <vector>

#include "batch/BatchCommon.h"
#include "core/Version.h"
#include "platform/Interrupts.h"
#include "platform/System.h"

using namespace kelvaro::batch;

namespace {

struct Command {
    const char* name;
    std::vector<std::string> valueNames;
    std::vector<std::string> flagNames;
    bool allowSet;
    int (*run)(const Options&);
    size_t operands = 0;
    const char* usage = ""; // the options, as the usage text shows them
};

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"listinfo", {"--xml", "--out"}, {}, false, CmdListinfo, 0, "[--xml FILE] [--out FILE]"},
        {"natives", {"--dat"}, {}, false, CmdNatives, 0, "--dat FILE"},
        {"modes", {"--modes"}, {}, false, CmdModes, 0, "--modes FILE"},
        {"select",
         {"--dat", "--modes", "--cfg"},
         {},
         true,
         CmdSelect,
         0,
         "--dat FILE --modes FILE [--cfg FILE] [--set Name=Value]..."},
        {"read",
         {"--dat", "--modes", "--ini-dir", "--cfg"},
         {},
         true,
         CmdRead,
         0,
         "--dat FILE --modes FILE --ini-dir DIR [--cfg FILE] [--set Name=Value]..."},
        {"generate",
         {"--dat", "--modes", "--ini-dir", "--rom-dir", "--game", "--cfg"},
         {"--no-select", "--replace-lines"},
         true,
         CmdGenerate,
         0,
         "--dat FILE --modes FILE --ini-dir DIR [--rom-dir DIR] [--game ROMNAME]\n"
         "           [--no-select] [--replace-lines] [--cfg FILE] [--set Name=Value]..."},
        {"import-modes",
         {"--out", "--output-name", "--rate"},
         {},
         false,
         CmdImportModes,
         1,
         "[FILE|-] [--out FILE] [--output-name NAME] [--rate R]"},
        {"check",
         {"--exe", "--ini-dir", "--rom-dir", "--game", "--dat", "--modes", "--cfg"},
         {},
         true,
         CmdCheck,
         0,
         "--exe PATH --ini-dir DIR [--rom-dir DIR] [--dat FILE [--game NAME] [--modes FILE]]\n"
         "        [--cfg FILE] [--set Name=Value]..."},
        {"explain",
         {"--dat", "--modes", "--game", "--cfg"},
         {},
         true,
         CmdExplain,
         0,
         "--dat FILE --modes FILE --game NAME [--cfg FILE] [--set Name=Value]..."},
        {"summary",
         {"--dat", "--modes", "--cfg"},
         {},
         true,
         CmdSummary,
         0,
         "--dat FILE --modes FILE [--cfg FILE] [--set Name=Value]..."},
        {"suggest",
         {"--dat", "--modes", "--top", "--cfg"},
         {},
         true,
         CmdSuggest,
         0,
         "--dat FILE --modes FILE [--top N] [--cfg FILE] [--set Name=Value]..."},
        {"test",
         {"--exe", "--dat", "--modes", "--ini-dir", "--rom-dir", "--cfg"},
         {},
         true,
         CmdTest,
         1,
         "GAME --exe PATH --dat FILE --modes FILE --ini-dir DIR [--rom-dir DIR]\n"
         "       [--cfg FILE] [--set Name=Value]..."},
    };
    return commands;
}

void Usage(std::ostream& out) {
    out << "usage: kelvaro-batch COMMAND [OPTIONS]\n"
           "       kelvaro-batch --help | --version\n"
           "       kelvaro-batch COMMAND --help\n";
    for (const Command& c : Commands()) out << "  " << c.name << " " << c.usage << "\n";
}

// Standard output is flushed and closed before the end, so that output lost on a full disk or a
// closed pipe is reported rather than ending with the status of a command that did its work.
bool StandardOutputWritten() {
    errno = 0;
    std::cout.flush();
    bool written = !std::cout.bad();
    int error = errno;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        written = false;
        if (error == 0) error = errno;
    }
    if (std::fclose(stdout) != 0) {
        if (written) error = errno;
        written = false;
    }
    if (!written)
        std::cerr << "kelvaro-batch: cannot write the output: " << std::strerror(error != 0 ? error : EIO) << "\n";
    return written;
}

// The exit status once the output has been closed: a command that did its work but whose output
// was lost did not do it.
int Finish(int status) {
    if (!StandardOutputWritten() && status == 0) return 1;
    return status;
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The output and the messages are the same bytes as on any other system: no "\n" turned into
    // "\r\n", and a list read from standard input does not end at the first Ctrl-Z.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    kelvaro::InstallInterruptCleanup();
    // UTF-8 on every system: a folder named outside Windows' code page comes whole.
    std::vector<std::string> args = kelvaro::ProgramArguments(argc, argv);
    if (args.empty()) {
        std::cerr << "kelvaro-batch: no command given\n";
        Usage(std::cerr);
        return 2;
    }
    const std::string name = args.front();
    args.erase(args.begin());
    if (name == "--help" || name == "-h") {
        Usage(std::cout);
        return Finish(0);
    }
    if (name == "--version") {
        std::cout << kelvaro::VersionText() << "\n";
        return Finish(0);
    }
    for (const Command& c : Commands()) {
        if (name != c.name) continue;
        if (std::find(args.begin(), args.end(), "--help") != args.end()) {
            std::cout << "usage: kelvaro-batch " << c.name << " " << c.usage << "\n";
            return Finish(0);
        }
        int status = 2;
        try {
            status = c.run(ParseOptions(args, c.valueNames, c.flagNames, c.allowSet, c.operands));
        } catch (const UsageError& e) {
            std::cout.flush();
            std::cerr << "kelvaro-batch: " << e.message << "\n";
        }
        return Finish(status);
    }
    std::cerr << "kelvaro-batch: unknown command '" << name << "'\n";
    return 2;
}
