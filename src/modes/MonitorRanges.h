#pragma once
#include <optional>
#include <span>
#include <string>

#include "core/MonitorKind.h"

namespace kelvaro {

// A band of line rates a monitor locks to, and the most visible lines a frame holds in it where a
// broadcast standard sets them (0: only the line rate sets them; interlaced 0: no interlaced mode).
struct ScanBand {
    double MinKHz = 0, MaxKHz = 0;
    int MostProgressiveLines = 0;
    int MostInterlacedLines = 0;
};

// What a kind of monitor shows: its line rate bands, its refresh range, whether it takes
// interlaced modes, and whether it shows only its own panel's mode (a fixed-panel LCD scales
// every other mode, so no mode added to the list shows a game better).
struct MonitorRanges {
    MonitorKind Kind{};
    std::span<const ScanBand> Bands;
    double MinHz = 0, MaxHz = 0;
    bool Interlace = false;
    bool NativeOnly = false;
};

const MonitorRanges& RangesOf(MonitorKind kind);

// The fewest lines a frame of `lines` visible lines takes with a usual vertical blanking: 5 % of
// the visible lines and 8 more (240 visible take 260, near the 262 of a 60 Hz arcade frame; 288
// take 311, near the 312 of a 50 Hz one; 480 take 512 of VGA's 525).
int FewestTotalLines(int lines);

// The line rate in kHz at which a monitor of this kind shows a mode of `lines` visible lines (a
// whole frame's, for an interlaced mode) at `refresh` Hz (fields a second, for an interlaced
// mode): the rate of its fewest total lines, raised to the lowest rate of the first band that
// takes it, as the card lengthens the blanking. A band takes the mode when the blanking then
// stays under 30 % of the frame (192 visible lines of a 262-line frame are 73 %) and the visible
// lines are within its standard's. Nothing when no band takes it, when the refresh is outside
// the monitor's range, or when it is interlaced on a monitor that takes no interlaced mode.
std::optional<double> ShownLineRate(MonitorKind kind, int lines, double refresh, bool interlaced);

// "15.7 kHz": a line rate as the windows and the batch tool show it.
std::string LineRateText(double kHz);

} // namespace kelvaro
