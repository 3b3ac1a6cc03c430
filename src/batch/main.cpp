// kelvaro-batch: the program's core from the command line, for scripts and tests.
#include <cstdio>
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

using namespace kelvaro::batch;

namespace {

struct Command {
    const char* name;
    std::vector<std::string> valueNames;
    std::vector<std::string> flagNames;
    bool allowSet;
    int (*run)(const Options&);
    size_t operands = 0;
};

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"listinfo", {"--xml", "--out"}, {}, false, CmdListinfo},
        {"natives", {"--dat"}, {}, false, CmdNatives},
        {"modes", {"--modes"}, {}, false, CmdModes},
        {"select", {"--dat", "--modes", "--cfg"}, {}, true, CmdSelect},
        {"read", {"--dat", "--modes", "--ini-dir", "--cfg"}, {}, true, CmdRead},
        {"generate", {"--dat", "--modes", "--ini-dir", "--rom-dir", "--game", "--cfg"},
         {"--no-select", "--replace-lines"}, true, CmdGenerate},
        {"import-modes", {"--out", "--output-name", "--rate"}, {}, false, CmdImportModes, 1},
        {"check", {"--exe", "--ini-dir", "--rom-dir", "--game", "--dat", "--cfg"}, {}, true, CmdCheck},
        {"explain", {"--dat", "--modes", "--game", "--cfg"}, {}, true, CmdExplain},
        {"summary", {"--dat", "--modes", "--cfg"}, {}, true, CmdSummary},
        {"suggest", {"--dat", "--modes", "--top", "--cfg"}, {}, true, CmdSuggest},
    };
    return commands;
}

void Usage(std::ostream& out) {
    out << "usage: kelvaro-batch COMMAND [OPTIONS]\n"
           "       kelvaro-batch --help | --version\n"
           "  listinfo [--xml FILE] [--out FILE]\n"
           "  natives --dat FILE\n"
           "  modes --modes FILE\n"
           "  select --dat FILE --modes FILE [--cfg FILE] [--set Name=Value]...\n"
           "  read --dat FILE --modes FILE --ini-dir DIR [--cfg FILE] [--set Name=Value]...\n"
           "  generate --dat FILE --modes FILE --ini-dir DIR [--rom-dir DIR] [--game ROMNAME]\n"
           "           [--no-select] [--replace-lines] [--cfg FILE] [--set Name=Value]...\n"
           "  import-modes [FILE|-] [--out FILE] [--output-name NAME] [--rate R]\n"
           "  check --exe PATH --ini-dir DIR [--rom-dir DIR] [--game NAME] [--dat FILE]\n"
           "        [--cfg FILE] [--set Name=Value]...\n"
           "  explain --dat FILE --modes FILE --game NAME [--cfg FILE] [--set Name=Value]...\n"
           "  summary --dat FILE --modes FILE [--cfg FILE] [--set Name=Value]...\n"
           "  suggest --dat FILE --modes FILE [--top N] [--cfg FILE] [--set Name=Value]...\n";
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
    if (argc < 2) {
        std::cerr << "kelvaro-batch: no command given\n";
        Usage(std::cerr);
        return 2;
    }
    std::string name = argv[1];
    if (name == "--help" || name == "-h") {
        Usage(std::cout);
        return 0;
    }
    if (name == "--version") {
        std::cout << kelvaro::VersionText() << "\n";
        return 0;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& c : Commands()) {
        if (name != c.name) continue;
        try {
            int status = c.run(ParseOptions(args, c.valueNames, c.flagNames, c.allowSet, c.operands));
            std::cout.flush();
            return status;
        } catch (const UsageError& e) {
            std::cout.flush();
            std::cerr << "kelvaro-batch: " << e.message << "\n";
            return 2;
        }
    }
    std::cerr << "kelvaro-batch: unknown command '" << name << "'\n";
    return 2;
}
