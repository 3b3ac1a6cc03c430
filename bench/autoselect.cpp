// Automatic video mode selection for every game of the emulator's real list with the default
// mode list, with a do-nothing progress sink and with one that does a little work per game, as
// the progress window does when it paints; then the same selection recorded game by game (what
// explaining every game costs), to set beside it.
//
// The list: $KELVARO_BENCH_DATA/mame.dat when it exists, otherwise $KELVARO_BENCH_XML converted
// into a temporary listinfo file. The mode list: $KELVARO_SOURCE_DIR/data/avga9200.txt.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "BenchTiming.h"
#include "ListXmlFile.h"
#include "gamelist/NativeModes.h"
#include "modes/AutoSelect.h"
#include "modes/AvailableModes.h"

using namespace kelvaro;
namespace fs = std::filesystem;

namespace {

using bench::Clock;
using bench::Env;
using bench::MsSince;

// Stands in for the progress window: keeps the text of the bar's value and the time of the last
// paint, and "paints" (formats the value) at most every 33 ms.
class BusySink : public ProgressSink {
public:
    void Begin(const std::string& text, int count) override {
        caption = text;
        total = count;
        last = Clock::now();
    }
    void Step(int i) override {
        value = i;
        if (Clock::now() - last >= std::chrono::milliseconds(33)) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%d / %d", value, total);
            shown = buf;
            ++paints;
            last = Clock::now();
        }
    }
    void End() override { shown.clear(); }
    std::string caption, shown;
    int total = 0, value = 0, paints = 0;
    Clock::time_point last;
};

struct TempFile {
    std::string path;
    ~TempFile() {
        if (!path.empty()) fs::remove(path);
    }
};

} // namespace

int main() {
    TempFile converted;
    std::string dat = Env("KELVARO_BENCH_DATA").empty() ? "" : Env("KELVARO_BENCH_DATA") + "/mame.dat";
    if (dat.empty() || !fs::exists(dat)) {
        const std::string xml = Env("KELVARO_BENCH_XML");
        if (xml.empty() || !fs::exists(xml)) {
            std::fprintf(stderr, "set KELVARO_BENCH_DATA (with mame.dat) or KELVARO_BENCH_XML\n");
            return 2;
        }
        converted.path =
            (fs::temp_directory_path() / ("kelvaro-bench-" + std::to_string(::getpid()) + ".dat")).string();
        const auto start = Clock::now();
        if (!ConvertListXmlFile(xml, converted.path))
            std::fprintf(stderr, "warning: the XML list ended with an error\n");
        std::printf("converted %s in %.0f ms\n", xml.c_str(), MsSince(start));
        dat = converted.path;
    }
    const std::string source = Env("KELVARO_SOURCE_DIR").empty() ? "." : Env("KELVARO_SOURCE_DIR");

    Model base;
    ProgressSink quiet;
    auto start = Clock::now();
    if (!BuildNativeModeListFromFile(base, dat, quiet)) {
        std::fprintf(stderr, "no game in %s\n", dat.c_str());
        return 1;
    }
    const double buildMs = MsSince(start);
    base.Config.ModeListFile = source + "/data/avga9200.txt";
    if (const Outcome read = ReadAvailableModes(base); !read) {
        std::fprintf(stderr, "%s\n", read.Reason().c_str());
        return 1;
    }
    if (base.AvailModes.Empty()) {
        std::fprintf(stderr, "no modes in %s\n", base.Config.ModeListFile.c_str());
        return 1;
    }
    std::printf("%d games, %d native modes (built in %.0f ms), %d available modes\n", base.Games.Count(),
                base.NativeModes.Count(), buildMs, base.AvailModes.Count());

    const char* layouts[] = {"horizontal", "vertical", "rotating"};
    for (int orientation = 0; orientation < 3; ++orientation) {
        for (int busy = 0; busy < 2; ++busy) {
            double best = 1e9;
            int unmatched = 0, paints = 0;
            for (int round = 0; round < 5; ++round) {
                Model m = base;
                m.Config.MonitorOrientation = static_cast<MonitorOrientation>(orientation);
                BusySink busySink;
                ProgressSink plain;
                start = Clock::now();
                AutoSelectVideoModes(m, busy ? static_cast<ProgressSink&>(busySink) : plain);
                const double ms = MsSince(start);
                if (ms < best) best = ms;
                unmatched = 0;
                for (int i = 1; i <= m.Games.Count(); ++i) unmatched += m.Games[i].GameModeWidth == "???";
                paints = busySink.paints;
            }
            std::printf("auto-select %-10s %-22s best of 5: %7.1f ms  (%d games without a mode%s)\n",
                        layouts[orientation], busy ? "with progress window" : "without progress window", best,
                        unmatched, busy ? (", " + std::to_string(paints) + " paints").c_str() : "");
        }
        double best = 1e9;
        int unmatched = 0;
        for (int round = 0; round < 5; ++round) {
            Model m = base;
            m.Config.MonitorOrientation = static_cast<MonitorOrientation>(orientation);
            start = Clock::now();
            unmatched = 0;
            for (int i = 1; i <= m.Games.Count(); ++i) unmatched += ExplainSelection(m, i).Width == "???";
            best = std::min(best, MsSince(start));
        }
        std::printf("auto-select %-10s %-22s best of 5: %7.1f ms  (%d games without a mode)\n", layouts[orientation],
                    "recorded, every game", best, unmatched);
    }
    return 0;
}
