#include "core/DisplayModes.h"

#include <algorithm>
#include <optional>

#include "core/Model.h"
#include "core/TextNumbers.h"

namespace kelvaro {

namespace {

int NumberOf(const std::string& text) {
    const std::optional<double> n = WholeNumber(text);
    return n ? static_cast<int>(RoundHalfEven(*n)) : -1;
}

} // namespace

DisplayComparison CompareWithDisplay(const Model& m, const DisplayReading& display) {
    DisplayComparison out;
    out.Origin = display.Origin;
    out.NotRead = display.NotRead;
    out.ListModes = m.AvailModes.Count();
    if (!display.NotRead.empty()) return out;
    for (int r = 1; r <= m.AvailModes.Count(); ++r) {
        const AvailModeRow& mode = m.AvailModes[r];
        const int w = NumberOf(mode.AvailWidth), h = NumberOf(mode.AvailHeight);
        const int rate = NumberOf(mode.AvailRefresh);
        const bool there = std::any_of(display.Modes.begin(), display.Modes.end(), [&](const DisplayMode& d) {
            return d.Width == w && d.Height == h && (rate <= 0 || d.Rate == 0 || d.Rate == rate);
        });
        if (there) continue;
        LackedMode lacked{mode.AvailWidth, mode.AvailHeight, mode.AvailRefresh, 0};
        for (int g = 1; g <= m.Games.Count(); ++g) {
            const GameRow& game = m.Games[g];
            if (game.GameModeWidth == mode.AvailWidth && game.GameModeHeight == mode.AvailHeight &&
                game.GameModeRefresh == mode.AvailRefresh)
                ++lacked.Games;
        }
        out.Lacked.push_back(std::move(lacked));
    }
    return out;
}

} // namespace kelvaro
