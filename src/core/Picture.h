#pragma once
#include <optional>
#include <string_view>

#include "core/Table.h"

namespace kelvaro {

// A game's picture in a video mode, in pixels, as a cabinet owner judges it.
struct PictureFigures {
    long long NativeWidth = 0, NativeHeight = 0; // the picture as the player sees it (turned if so)
    bool Turned = false;                         // the INI text turns the picture through 90 degrees
    long long ModeWidth = 0, ModeHeight = 0;
    double ScaleX = 0, ScaleY = 0;       // mode / native in each direction
    bool WholeX = false, WholeY = false; // the scale is a whole number
    long long FitX = 1, FitY = 1;        // the largest whole scale that fits, at least 1
    // At that scale, centred: the unused columns and lines on each side (0 where the picture is
    // larger than the mode), and the columns and lines of the scaled picture cut off in all.
    long long LeftColumns = 0, RightColumns = 0, TopLines = 0, BottomLines = 0;
    long long CutColumns = 0, CutLines = 0;
    bool Interlaced = false;
    bool RefreshKnown = false;     // both refresh rates are numbers above 0
    double RefreshDifference = 0;  // mode - native, Hz
    double SpeedChangePercent = 0; // (mode / native - 1) * 100
    [[nodiscard]] bool ExactSize() const { return NativeWidth == ModeWidth && NativeHeight == ModeHeight; }
    [[nodiscard]] bool WholeScale() const { return WholeX && WholeY; }
};

// The figures of a picture of width x height (as the game lists it; swapped when turned) in a
// mode. Sizes must be above 0; a refresh of 0 or less counts as unknown.
PictureFigures PictureInMode(long long width, long long height, bool turned, double nativeRefresh, long long modeWidth,
                             long long modeHeight, double modeRefresh, bool interlaced);

// True when the INI details ("|"-joined lines) hold a line that turns the picture ("ror 1" or
// "rol 1").
bool TurnsPicture(std::string_view iniText);

// The figures of the game's picture in an available mode, turned through 90 degrees or not;
// nothing when the game or the mode has no size in whole numbers above 0 (a vector game, a
// malformed line).
std::optional<PictureFigures> PictureOfGame(const GameRow& game, bool turned, const AvailModeRow& mode);

} // namespace kelvaro
