// Start-up with a full "mame.dat": reading the list and building the native mode list, as the
// program does before its window fills. The list is $KELVARO_BENCH_DATA/mame.dat, made from
// $KELVARO_BENCH_XML when it is missing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "ListXmlFile.h"
#include "gamelist/FindGame.h"
#include "gamelist/GameListParser.h"
#include "gamelist/NativeModes.h"
#include "platform/Files.h"

using namespace kelvaro;
using bench::Clock;
using bench::Env;
using bench::MsSince;

namespace {

constexpr int kRuns = 10;

struct Figures {
    std::vector<double> ms;
    void Add(double v) { ms.push_back(v); }
    double Best() const { return *std::min_element(ms.begin(), ms.end()); }
    double Median() const {
        std::vector<double> s = ms;
        std::sort(s.begin(), s.end());
        return s[s.size() / 2];
    }
};

} // namespace

int main() {
    std::string data = Env("KELVARO_BENCH_DATA");
    if (data.empty()) data = "/tmp";
    const std::string dat = data + "/mame.dat";
    if (!FileExists(dat, false)) {
        const std::string xml = Env("KELVARO_BENCH_XML");
        if (xml.empty() || !FileExists(xml, false)) {
            std::fprintf(stderr, "set KELVARO_BENCH_DATA (with mame.dat) or KELVARO_BENCH_XML\n");
            return 2;
        }
        if (!ConvertListXmlFile(xml, dat + ".tmp") || std::rename((dat + ".tmp").c_str(), dat.c_str()) != 0) {
            std::fprintf(stderr, "could not make %s\n", dat.c_str());
            return 1;
        }
    }

    Figures read, group, whole, fill, find;
    int games = 0, modes = 0;
    for (int i = 0; i < kRuns; ++i) {
        Model m;
        ProgressSink quiet;
        auto start = Clock::now();
        const Outcome listRead = ReadGameList(dat, m, quiet);
        read.Add(MsSince(start));
        if (!listRead) {
            std::fprintf(stderr, "%s\n", listRead.Reason().c_str());
            return 1;
        }
        auto grouping = Clock::now();
        std::optional<NativeModeCounts> counts = BuildNativeModesFromGameList(m);
        group.Add(MsSince(grouping));
        whole.Add(MsSince(start));
        if (!counts) {
            std::fprintf(stderr, "no game in %s\n", dat.c_str());
            return 1;
        }
        games = m.Games.Count();
        modes = m.NativeModes.Count();
        // The games list of the largest native mode, and a search that runs through every kind.
        auto filling = Clock::now();
        std::size_t largest = 0;
        for (int k = 1; k <= m.NativeModes.Count(); ++k) largest = std::max(largest, GamesOfNativeMode(m, k).size());
        fill.Add(MsSince(filling) / m.NativeModes.Count());
        auto finding = Clock::now();
        FindNativeModeOfGame(m, "NO SUCH GAME ANYWHERE");
        find.Add(MsSince(finding));
        if (i == 0)
            std::printf("%s: %d games, %d native modes (largest %zu games)\n", dat.c_str(), games, modes, largest);
    }
    std::printf("best / median of %d runs:\n", kRuns);
    std::printf("  read mame.dat:              %7.1f / %7.1f ms\n", read.Best(), read.Median());
    std::printf("  group into native modes:    %7.1f / %7.1f ms\n", group.Best(), group.Median());
    std::printf("  start-up read + build:      %7.1f / %7.1f ms (target < 300 ms)\n", whole.Best(), whole.Median());
    std::printf("  games of one native mode:   %7.2f / %7.2f ms\n", fill.Best(), fill.Median());
    std::printf("  find (no match, all kinds): %7.1f / %7.1f ms\n", find.Best(), find.Median());
    return 0;
}
