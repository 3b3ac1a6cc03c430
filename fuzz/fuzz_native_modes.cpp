// The native mode build (and the search over its tables) on any listinfo text: the modes are
// sorted and distinct, and every game with a size is in exactly one mode.
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "core/Text.h"
#include "gamelist/FindGame.h"
#include "gamelist/GameListParser.h"
#include "gamelist/NativeModes.h"

using namespace kelvaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Model m;
    ParseGameList(std::string_view(reinterpret_cast<const char*>(data), size), m);
    const int games = m.GameList.Count();
    std::optional<NativeModeCounts> counts = BuildNativeModesFromGameList(m);
    FUZZ_CHECK(counts.has_value() == (games > 0));
    if (!counts) {
        FUZZ_CHECK(m.Games.Empty() && m.NativeModes.Empty());
        return 0;
    }
    FUZZ_CHECK(m.Games.Count() == games);
    FUZZ_CHECK(counts->NativeCount == m.NativeModes.Count());
    FUZZ_CHECK(counts->HModes + counts->VModes <= counts->NativeCount);
    FUZZ_CHECK(counts->HGames + counts->VGames <= games);

    std::string previous;
    std::vector<int> seen(static_cast<std::size_t>(games) + 1, 0);
    int vectorGames = 0;
    for (int k = 1; k <= m.NativeModes.Count(); ++k) {
        const NativeModeRow& n = m.NativeModes[k];
        std::string key =
            n.NativeWidth + " x " + n.NativeHeight + " @ " + n.NativeRefresh + "Hz " + n.NativeOrientation;
        FUZZ_CHECK(k == 1 || previous <= key);
        previous = key;
        FUZZ_CHECK(!(n.NativeWidth.empty() && n.NativeHeight.empty() && n.NativeRefresh.empty() &&
                     n.NativeOrientation.empty()));
        FUZZ_CHECK(!NativeModeDisplay(n).empty());
        for (int i : GamesOfNativeMode(m, k)) {
            ++seen[static_cast<std::size_t>(i)];
            if (n.NativeWidth == "-") ++vectorGames;
        }
    }
    FUZZ_CHECK(vectorGames == counts->VectorGames);
    for (int i = 1; i <= games; ++i) {
        const GameRow& g = m.Games[i];
        bool sizeless = g.GameNativeWidth == "VECTOR" || g.GameNativeHeight == "VECTOR";
        FUZZ_CHECK(seen[static_cast<std::size_t>(i)] == (sizeless ? 0 : 1));
        FUZZ_CHECK(GameModeDisplay(g) == "(Let MAME Decide)");
    }

    std::string search = UpperCase(m.Games[1].GameRomName);
    int k = FindNativeModeOfGame(m, search);
    FUZZ_CHECK(k >= 0 && k <= m.NativeModes.Count());
    if (k > 0) {
        std::vector<int> shown = GamesOfNativeMode(m, k);
        int row = FindShownGame(m, shown, search);
        // The game that gave the mode is among its games, so a row is found.
        FUZZ_CHECK(row >= 0 && row < static_cast<int>(shown.size()));
    }
    return 0;
}
