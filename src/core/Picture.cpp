#include "core/Picture.h"

#include <algorithm>

#include "core/Text.h"
#include "core/TextNumbers.h"

namespace kelvaro {

namespace {

// Unused space (or the part cut off) of a picture of `size` scaled by the largest whole number
// that fits in `room`, centred: the odd pixel goes to the far side.
void Place(long long size, long long room, long long& fit, long long& before, long long& after, long long& cut) {
    fit = std::max(1LL, room / size);
    const long long scaled = fit * size;
    const long long spare = room - scaled;
    before = after = cut = 0;
    if (spare >= 0) {
        before = spare / 2;
        after = spare - before;
    } else {
        cut = -spare;
    }
}

std::optional<long long> PositiveWhole(std::string_view text) {
    const std::optional<double> v = WholeNumber(text);
    if (!v || *v < 1 || *v != static_cast<double>(static_cast<long long>(*v))) return std::nullopt;
    return static_cast<long long>(*v);
}

} // namespace

PictureFigures PictureInMode(long long width, long long height, bool turned, double nativeRefresh, long long modeWidth,
                             long long modeHeight, double modeRefresh, bool interlaced) {
    PictureFigures p;
    p.Turned = turned;
    p.NativeWidth = turned ? height : width;
    p.NativeHeight = turned ? width : height;
    p.ModeWidth = modeWidth;
    p.ModeHeight = modeHeight;
    p.ScaleX = static_cast<double>(modeWidth) / static_cast<double>(p.NativeWidth);
    p.ScaleY = static_cast<double>(modeHeight) / static_cast<double>(p.NativeHeight);
    p.WholeX = modeWidth % p.NativeWidth == 0;
    p.WholeY = modeHeight % p.NativeHeight == 0;
    Place(p.NativeWidth, modeWidth, p.FitX, p.LeftColumns, p.RightColumns, p.CutColumns);
    Place(p.NativeHeight, modeHeight, p.FitY, p.TopLines, p.BottomLines, p.CutLines);
    p.Interlaced = interlaced;
    p.RefreshKnown = nativeRefresh > 0 && modeRefresh > 0;
    if (p.RefreshKnown) {
        p.RefreshDifference = modeRefresh - nativeRefresh;
        p.SpeedChangePercent = (modeRefresh / nativeRefresh - 1) * 100;
    }
    return p;
}

bool TurnsPicture(std::string_view iniText) {
    while (!iniText.empty()) {
        const size_t bar = iniText.find('|');
        const std::string_view line = TrimSpaces(iniText.substr(0, bar));
        if (line == "ror 1" || line == "rol 1") return true;
        if (bar == std::string_view::npos) break;
        iniText.remove_prefix(bar + 1);
    }
    return false;
}

std::optional<PictureFigures> PictureOfGame(const GameRow& game, bool turned, const AvailModeRow& mode) {
    const std::optional<long long> w = PositiveWhole(game.GameNativeWidth);
    const std::optional<long long> h = PositiveWhole(game.GameNativeHeight);
    const std::optional<long long> mw = PositiveWhole(mode.AvailWidth);
    const std::optional<long long> mh = PositiveWhole(mode.AvailHeight);
    if (!w || !h || !mw || !mh) return std::nullopt;
    return PictureInMode(*w, *h, turned, WholeNumber(game.GameNativeRefresh).value_or(0), *mw, *mh,
                         WholeNumber(mode.AvailRefresh).value_or(0), mode.AvailInterlaced == "Yes");
}

} // namespace kelvaro
