// The emulator setup check where the window runs it on its own (after a path is chosen, before a
// generation): the first ask of the emulator, an ask after a mame.ini changed, and the cached
// answer, each with the check itself, in a home folder of its own whose INI folder holds an INI
// file for each of 20,000 games. The emulator is $KELVARO_MAME (/usr/games/mame by default).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "BenchTiming.h"
#include "emulator/SetupCheck.h"
#include "platform/Files.h"

using namespace kelvaro;
using bench::Clock;
using bench::Env;
using bench::MsSince;
namespace fs = std::filesystem;

namespace {

constexpr int kRuns = 7;

double Best(std::vector<double> ms) { return *std::min_element(ms.begin(), ms.end()); }

} // namespace

int main() {
    const char* mame = std::getenv("KELVARO_MAME");
    const std::string exe = mame && *mame ? mame : "/usr/games/mame";
    if (!FileExists(exe, false)) {
        std::fprintf(stderr, "no emulator at %s\n", exe.c_str());
        return 2;
    }
    const fs::path root = fs::temp_directory_path() / ("kelvaro-bench-check-" + std::to_string(::getpid()));
    fs::create_directories(root / "home/.mame");
    fs::create_directories(root / "ini");
    for (int i = 0; i < 20000; ++i)
        WriteFileAtomic((root / "ini" / ("game" + std::to_string(i) + ".ini")).string(), "resolution auto\r\n");
    setenv("HOME", (root / "home").c_str(), 1);
    const std::string mameIni = (root / "home/.mame/mame.ini").string();

    SetupCheckInput in;
    in.Exe = exe;
    in.WorkingFolder = fs::path(exe).parent_path().string();
    in.IniFolder = (root / "ini").string();
    in.Home = (root / "home").string();
    std::vector<double> first, changed, cached;
    bool problem = false;
    for (int run = 0; run < kRuns; ++run) {
        EmulatorOptionsCache cache;
        fs::remove(mameIni);
        Clock::time_point start = Clock::now();
        problem = CheckSetup(in, cache.Get(exe, in.WorkingFolder, false)).HasProblem();
        first.push_back(MsSince(start));
        WriteFileAtomic(mameIni, "inipath " + in.IniFolder + ";$HOME/.mame\nswitchres 1\n");
        start = Clock::now();
        problem = CheckSetup(in, cache.Get(exe, in.WorkingFolder, false)).HasProblem() || problem;
        changed.push_back(MsSince(start));
        start = Clock::now();
        CheckSetup(in, cache.Get(exe, in.WorkingFolder, false));
        cached.push_back(MsSince(start));
    }
    fs::remove_all(root);
    std::printf("setup check, first ask (-showconfig and -noreadconfig -showconfig): %.1f ms best\n", Best(first));
    std::printf("setup check after a mame.ini changed (-showconfig):                 %.1f ms best\n", Best(changed));
    std::printf("setup check, answer cached:                                         %.2f ms best\n", Best(cached));
    std::printf("(a problem found in the first state, as meant: %s)\n", problem ? "yes" : "no");
    return 0;
}
