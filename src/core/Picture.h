#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Table.h"

namespace kelvaro {

// The emulator's options that decide how it fits a game's picture into the screen, with the
// emulator's own defaults.
struct RenderOptions {
    bool KeepAspect = true;                              // keepaspect
    bool UnevenStretch = true;                           // unevenstretch
    bool UnevenStretchX = false, UnevenStretchY = false; // unevenstretchx, unevenstretchy
    bool AutoStretchXY = false;                          // autostretchxy
    bool IntOverscan = false;                            // intoverscan
    int IntScaleX = 0, IntScaleY = 0;                    // intscalex, intscaley; 0 lets the emulator choose
    // The monitor's aspect from aspect0 or aspect ("4:3"), width over height; 0 for "auto".
    double MonitorAspect = 0;
    // With "auto" the emulator takes the desktop's shape when it starts (width over height) as
    // the monitor's; 0 when the desktop is not known, and a 4:3 one, an arcade monitor's, is
    // assumed.
    double DesktopAspect = 0;
    // The names of the options above that the INI text set; the others are assumed.
    std::vector<std::string> Given;
};

// The options above as the INI details ("|"-joined lines) set them, over `base`: a later line
// wins, aspect0 wins over aspect unless it is "auto", a value that is not a number is ignored.
RenderOptions RenderOptionsFromIni(std::string_view iniText, RenderOptions base = {});

// The options that were assumed (not in Given), as "keepaspect 1, unevenstretch 1"; the
// aspect counts as given only when a line set it.
std::string AssumedRenderOptions(const RenderOptions& options);

// How the emulator fits the picture into the mode.
enum class PictureFit {
    Stretched,  // to the whole mode, the aspect not kept (keepaspect 0, unevenstretch 1)
    AspectKept, // as large as fits with the picture's aspect, at any scale
    WholeLines, // a whole-number scale both ways
    WholeDown,  // whole lines down, any scale across
    WholeAcross // whole columns across, any scale down
};

// A game's picture in a video mode, in pixels, as the emulator draws it.
struct PictureFigures {
    long long NativeWidth = 0, NativeHeight = 0; // the picture as the player sees it (turned if so)
    bool Turned = false;                         // the INI text turns the picture through 90 degrees
    long long ModeWidth = 0, ModeHeight = 0;
    double Aspect = 4.0 / 3.0; // the picture's shape as the player sees it, width over height
    double PixelAspect = 1;    // a mode pixel's width over its height, as the emulator takes it
    PictureFit Fit = PictureFit::AspectKept;
    long long ShownWidth = 0, ShownHeight = 0; // the picture on the screen, in the mode's pixels
    double ScaleX = 0, ScaleY = 0;             // shown / native in each direction
    bool WholeX = false, WholeY = false;       // that scale is a whole number
    // Centred: the unused columns and lines on each side (0 where the picture is larger than the
    // mode), and the columns and lines of the picture cut off in all.
    long long LeftColumns = 0, RightColumns = 0, TopLines = 0, BottomLines = 0;
    long long CutColumns = 0, CutLines = 0;
    bool Interlaced = false;
    bool RefreshKnown = false;     // both refresh rates are numbers above 0
    double RefreshDifference = 0;  // mode - native, Hz
    double SpeedChangePercent = 0; // (mode / native - 1) * 100
    [[nodiscard]] bool ExactSize() const { return NativeWidth == ModeWidth && NativeHeight == ModeHeight; }
    [[nodiscard]] bool WholeScale() const { return WholeX && WholeY; }
};

// The picture of a game of width x height (as the game list gives it, the player's view of the
// unturned game) and aspect (width over height of that view) drawn in a mode, turned through 90
// degrees or not, as the emulator fits it under the options. Sizes must be above 0; a refresh of
// 0 or less counts as unknown.
PictureFigures PictureInMode(long long width, long long height, double aspect, bool turned, double nativeRefresh,
                             long long modeWidth, long long modeHeight, double modeRefresh, bool interlaced,
                             const RenderOptions& options = {});

// True when the INI details ("|"-joined lines) hold a line that turns the picture ("ror 1" or
// "rol 1").
bool TurnsPicture(std::string_view iniText);

// The figures of the game's picture in an available mode, turned through 90 degrees or not,
// with the aspect of a raster arcade screen (4:3, or 3:4 for a vertical game: the game list
// gives no other); nothing when the game or the mode has no size in whole numbers above 0 (a
// vector game, a malformed line).
std::optional<PictureFigures> PictureOfGame(const GameRow& game, bool turned, const AvailModeRow& mode,
                                            const RenderOptions& options = {});

} // namespace kelvaro
