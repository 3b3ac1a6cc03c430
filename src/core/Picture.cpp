#include "core/Picture.h"

#include <algorithm>
#include <cmath>

#include "core/Text.h"
#include "core/TextNumbers.h"

namespace kelvaro {

namespace {

// The emulator rounds a scaled size to the nearest pixel, a half up.
double RoundNearest(double v) { return std::floor(v + 0.5); }

// Unused space (or the part cut off) of a picture `shown` pixels long centred in `room`: the odd
// pixel goes to the far side.
void Place(long long shown, long long room, long long& before, long long& after, long long& cut) {
    const long long spare = room - shown;
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

// Calls f(name, value) for each "name value" line of "|"-joined INI details.
template <typename F>
void ForEachOptionLine(std::string_view iniText, F f) {
    while (!iniText.empty()) {
        const size_t bar = iniText.find('|');
        const std::string_view line = TrimSpaces(iniText.substr(0, bar));
        const size_t space = line.find(' ');
        if (space != std::string_view::npos) f(line.substr(0, space), TrimSpaces(line.substr(space)));
        if (bar == std::string_view::npos) break;
        iniText.remove_prefix(bar + 1);
    }
}

// "4:3" as 4 / 3 (the emulator reads two whole numbers); 0 for "auto"; nothing for anything else.
std::optional<double> AspectValue(std::string_view value) {
    if (value == "auto") return 0.0;
    const size_t colon = value.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const std::optional<long long> a = PositiveWhole(value.substr(0, colon));
    const std::optional<long long> b = PositiveWhole(value.substr(colon + 1));
    if (!a || !b) return std::nullopt;
    return static_cast<double>(*a) / static_cast<double>(*b);
}

} // namespace

RenderOptions RenderOptionsFromIni(std::string_view iniText, RenderOptions base) {
    RenderOptions o = std::move(base);
    std::optional<double> aspect, aspect0;
    auto given = [&o](std::string_view name) {
        if (std::find(o.Given.begin(), o.Given.end(), name) == o.Given.end()) o.Given.emplace_back(name);
    };
    ForEachOptionLine(iniText, [&](std::string_view name, std::string_view value) {
        if (name == "aspect" || name == "aspect0") {
            if (const std::optional<double> a = AspectValue(value)) (name == "aspect" ? aspect : aspect0) = a;
            return;
        }
        const std::optional<double> n = WholeNumber(value);
        if (!n || *n != std::floor(*n) || *n < 0) return;
        const bool on = *n != 0;
        const int whole = static_cast<int>(std::min(*n, 1000.0));
        struct Switch {
            const char* name;
            bool* value;
        };
        for (const Switch s : {Switch{"keepaspect", &o.KeepAspect},
                               {"unevenstretch", &o.UnevenStretch},
                               {"unevenstretchx", &o.UnevenStretchX},
                               {"unevenstretchy", &o.UnevenStretchY},
                               {"autostretchxy", &o.AutoStretchXY},
                               {"intoverscan", &o.IntOverscan}})
            if (name == s.name) {
                *s.value = on;
                given(name);
            }
        if (name == "intscalex" || name == "intscaley") {
            (name == "intscalex" ? o.IntScaleX : o.IntScaleY) = whole;
            given(name);
        }
    });
    if (aspect0 && *aspect0 > 0)
        o.MonitorAspect = *aspect0;
    else if (aspect)
        o.MonitorAspect = *aspect;
    if (aspect || aspect0) given("aspect");
    return o;
}

std::string AssumedRenderOptions(const RenderOptions& o) {
    std::string out;
    auto add = [&](const char* name, const std::string& value) {
        if (std::find(o.Given.begin(), o.Given.end(), name) != o.Given.end()) return;
        out += (out.empty() ? "" : ", ") + std::string(name) + " " + value;
    };
    add("keepaspect", o.KeepAspect ? "1" : "0");
    add("unevenstretch", o.UnevenStretch ? "1" : "0");
    add("autostretchxy", o.AutoStretchXY ? "1" : "0");
    add("intscalex", std::to_string(o.IntScaleX));
    add("intscaley", std::to_string(o.IntScaleY));
    add("aspect", o.MonitorAspect > 0 ? FormatNumber(o.MonitorAspect) : "auto");
    return out;
}

// The emulator's own rule (its render target's visible area, as its source gives it), with the
// picture as the player sees it: `a` its aspect, the mode W x H with pixels of aspect `pa`.
// - unevenstretch on and none of unevenstretchx, unevenstretchy, autostretchxy: with keepaspect
//   the largest a:1 rectangle (heights counted in pixels of aspect pa) that fits, else the whole
//   mode; intscalex and intscaley do not count.
// - otherwise each direction is scaled by a whole number (at least 1, at most the largest that
//   fits; intoverscan rounds that to the nearest) unless it is the one stretched: unevenstretchx
//   stretches across, unevenstretchy down (the other way round on a mode taller than wide);
//   autostretchxy stretches across for a picture that is as wide as the mode's shape and down
//   otherwise. With keepaspect the stretched direction follows the whole one's scale to keep a.
//   intscalex and intscaley above 0 then replace the scale across and down (on a mode taller
//   than wide, down and across).
// The picture is centred; the mode's pixels are as wide as the monitor's aspect (aspect 4:3, or
// with aspect auto the desktop's shape when the emulator starts) divided by the mode's W:H.
PictureFigures PictureInMode(long long width, long long height, double aspect, bool turned, double nativeRefresh,
                             long long modeWidth, long long modeHeight, double modeRefresh, bool interlaced,
                             const RenderOptions& options) {
    PictureFigures p;
    p.Turned = turned;
    p.NativeWidth = turned ? height : width;
    p.NativeHeight = turned ? width : height;
    p.ModeWidth = modeWidth;
    p.ModeHeight = modeHeight;
    p.Aspect = turned ? 1 / aspect : aspect;
    const double W = static_cast<double>(modeWidth), H = static_cast<double>(modeHeight);
    const double monitor = options.MonitorAspect > 0   ? options.MonitorAspect
                           : options.DesktopAspect > 0 ? options.DesktopAspect
                                                       : 4.0 / 3.0;
    p.PixelAspect = monitor / (W / H);
    const double a = p.Aspect, pa = p.PixelAspect;
    double shownW = W, shownH = H;
    const bool anyStretch = options.AutoStretchXY || options.UnevenStretchX || options.UnevenStretchY;
    if (options.UnevenStretch && !anyStretch) {
        p.Fit = options.KeepAspect ? PictureFit::AspectKept : PictureFit::Stretched;
        if (options.KeepAspect) {
            const double scale = a / pa > W / H ? W / a : H / pa;
            shownW = RoundNearest(a * scale);
            shownH = RoundNearest(pa * scale);
        }
    } else {
        const double sw = static_cast<double>(p.NativeWidth), sh = static_cast<double>(p.NativeHeight);
        const double targetAspect = W / H * pa;
        const bool portrait = targetAspect < 1;
        enum { Neither, Across, Down } stretch = Neither;
        if (options.AutoStretchXY) {
            const bool standing = (aspect < 1) != turned; // the picture as seen stands on its side
            stretch = standing != portrait ? Down : Across;
        } else if (options.UnevenStretchX) {
            stretch = Across;
        } else if (options.UnevenStretchY) {
            stretch = Down;
        }
        const bool xWhole = !((!portrait && stretch == Across) || (portrait && stretch == Down));
        const bool yWhole = !((portrait && stretch == Across) || (!portrait && stretch == Down));
        double xs = W / sw, ys = H / sh;
        const double maxX = std::max(1.0, options.IntOverscan ? RoundNearest(xs) : std::floor(xs));
        const double maxY = std::max(1.0, options.IntOverscan ? RoundNearest(ys) : std::floor(ys));
        if (options.KeepAspect && targetAspect > a) xs *= a / targetAspect * (maxY / ys);
        if (options.KeepAspect && targetAspect < a) ys *= targetAspect / a * (maxX / xs);
        if (xWhole) xs = std::min(maxX, std::max(1.0, RoundNearest(xs)));
        if (yWhole) ys = std::min(maxY, std::max(1.0, RoundNearest(ys)));
        const int userX = portrait ? options.IntScaleY : options.IntScaleX;
        const int userY = portrait ? options.IntScaleX : options.IntScaleY;
        if (userX > 0) xs = userX;
        if (userY > 0) ys = userY;
        const bool wholeAcross = xWhole || userX > 0, wholeDown = yWhole || userY > 0;
        p.Fit = wholeAcross && wholeDown ? PictureFit::WholeLines
                : wholeDown              ? PictureFit::WholeDown
                                         : PictureFit::WholeAcross;
        shownW = RoundNearest(sw * xs);
        shownH = RoundNearest(sh * ys);
    }
    p.ShownWidth = std::max(1LL, static_cast<long long>(shownW));
    p.ShownHeight = std::max(1LL, static_cast<long long>(shownH));
    p.ScaleX = static_cast<double>(p.ShownWidth) / static_cast<double>(p.NativeWidth);
    p.ScaleY = static_cast<double>(p.ShownHeight) / static_cast<double>(p.NativeHeight);
    p.WholeX = p.ShownWidth % p.NativeWidth == 0;
    p.WholeY = p.ShownHeight % p.NativeHeight == 0;
    Place(p.ShownWidth, modeWidth, p.LeftColumns, p.RightColumns, p.CutColumns);
    Place(p.ShownHeight, modeHeight, p.TopLines, p.BottomLines, p.CutLines);
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

std::optional<PictureFigures> PictureOfGame(const GameRow& game, bool turned, const AvailModeRow& mode,
                                            const RenderOptions& options) {
    const std::optional<long long> w = PositiveWhole(game.GameNativeWidth);
    const std::optional<long long> h = PositiveWhole(game.GameNativeHeight);
    const std::optional<long long> mw = PositiveWhole(mode.AvailWidth);
    const std::optional<long long> mh = PositiveWhole(mode.AvailHeight);
    if (!w || !h || !mw || !mh) return std::nullopt;
    const double aspect = game.GameOrientation == "V" ? 3.0 / 4.0 : 4.0 / 3.0;
    return PictureInMode(*w, *h, aspect, turned, WholeNumber(game.GameNativeRefresh).value_or(0), *mw, *mh,
                         WholeNumber(mode.AvailRefresh).value_or(0), mode.AvailInterlaced == "Yes", options);
}

} // namespace kelvaro
