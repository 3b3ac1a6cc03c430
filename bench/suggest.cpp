// Modes worth adding: the top 10 suggestions over the emulator's real list with the default mode
// list, for the three monitor orientations, with a progress sink that counts its calls.
//
// The list: $KELVARO_BENCH_DATA/mame.dat, or $KELVARO_BENCH_XML converted into a temporary
// listinfo file. The mode list: $KELVARO_SOURCE_DIR/data/avga9200.txt.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "BenchTiming.h"
#include "ListXmlFile.h"
#include "gamelist/NativeModes.h"
#include "modes/AutoSelect.h"
#include "modes/AvailableModes.h"
#include "modes/Suggestions.h"
#include "platform/Files.h"

using namespace kelvaro;
namespace fs = std::filesystem;

namespace {

using bench::Clock;
using bench::Env;
using bench::MsSince;

struct CountingSink : ProgressSink {
    void Step(int) override { ++steps; }
    void Pump() override { ++pumps; }
    int steps = 0, pumps = 0;
};

} // namespace

int main() {
    std::string dat = Env("KELVARO_BENCH_DATA") + "/mame.dat";
    std::string converted;
    if (Env("KELVARO_BENCH_DATA").empty() || !fs::exists(dat)) {
        const std::string xml = Env("KELVARO_BENCH_XML");
        if (xml.empty() || !fs::exists(xml)) {
            std::fprintf(stderr, "set KELVARO_BENCH_DATA (with mame.dat) or KELVARO_BENCH_XML\n");
            return 2;
        }
        converted = (fs::temp_directory_path() / ("kelvaro-suggest-" + std::to_string(::getpid()) + ".dat")).string();
        ConvertListXmlFile(xml, converted);
        dat = converted;
    }
    Model base;
    ProgressSink quiet;
    const bool built = static_cast<bool>(BuildNativeModeListFromFile(base, dat, quiet));
    if (!converted.empty()) fs::remove(converted);
    if (!built) {
        std::fprintf(stderr, "no game in %s\n", dat.c_str());
        return 1;
    }
    const std::string source = Env("KELVARO_SOURCE_DIR").empty() ? "." : Env("KELVARO_SOURCE_DIR");
    base.Config.ModeListFile = source + "/data/avga9200.txt";
    if (const Outcome read = ReadAvailableModes(base); !read) {
        std::fprintf(stderr, "%s\n", read.Reason().c_str());
        return 1;
    }

    // A harder case beside the default list: its first 10 modes only, which leave many more games
    // without a mode and so give many more candidates.
    Model small = base;
    const std::string text = *ReadWholeFile(base.Config.ModeListFile);
    size_t end = 0;
    for (int line = 0; line <= 10 && end != std::string::npos; ++line) end = text.find('\n', end + (line > 0));
    ParseAvailableModes(text.substr(0, end), small);

    const char* layouts[] = {"horizontal", "vertical", "rotating"};
    for (int run = 0; run < 6; ++run) {
        const int orientation = run % 3;
        Model m = run < 3 ? base : small;
        m.Config.MonitorOrientation = static_cast<MonitorOrientation>(orientation);
        double best = 1e9;
        size_t count = 0;
        int gain = 0, pumps = 0;
        for (int round = 0; round < 3; ++round) {
            CountingSink sink;
            const auto start = Clock::now();
            const std::vector<ModeSuggestion> top = SuggestModes(m, 10, sink);
            best = std::min(best, MsSince(start));
            count = top.size();
            gain = 0;
            for (const ModeSuggestion& s : top) gain += s.Gain;
            pumps = sink.pumps;
        }
        int without = 0;
        for (int row : SelectedModeRows(m)) without += row == 0;
        std::printf("suggest top 10, %-14s %-10s best of 3: %7.1f ms  (%zu suggestions, %d games gain a mode of "
                    "%d without; %d candidates run)\n",
                    run < 3 ? "default list" : "its first 10", layouts[orientation], best, count, gain, without - 1,
                    pumps);
    }
    return 0;
}
