#include "modes/MonitorRanges.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace kelvaro {

namespace {

// The figures, from the makers' published ranges and the video standards:
//
// 15 kHz: Hantarex MTC 9110 takes 15.625-16.67 kHz at 49.5-65 Hz, Wells-Gardner K7000
//   15.625-15.8 kHz at 49.5-63 Hz. The band runs from 15.625 kHz to the 16.5 kHz of the
//   "extended resolution" arcade frame (312 lines at 53 Hz). A frame holds at most the 288
//   visible lines of a 50 Hz field (PAL: 625 lines, 576 visible, two fields), 576 interlaced.
// 25 kHz: the "medium resolution" arcade frame of 416 lines at 60 Hz, 24.96 kHz (384 visible);
//   the band allows 24 to 25.5 kHz around it.
// 31 kHz: VGA's 640 x 480 frame of 800 x 525 pixels at 25.175 MHz, 31.469 kHz at 59.94 Hz (its
//   720 x 400 text mode has the same line rate at 70.09 Hz); the band allows 31 to 32 kHz, and
//   the monitor 50 to 72 Hz. A VGA monitor takes no interlaced mode.
// A 15/25/31 kHz tri-sync arcade monitor (Wells-Gardner D9200, D9800) locks to the three bands;
//   a 15/25 kHz one (Nanao MS-2931 class) to the first two. Both take 15 kHz interlaced modes,
//   and arcade monitors 49.5-65 Hz as the MTC 9110 does.
// Multisync PC monitor: ViewSonic G773, 30-70 kHz at 50-180 Hz, progressive modes.
// Fixed-panel LCD: an AOC 2243W takes 30-83 kHz at 55-75 Hz (its EDID), but shows only its panel's
//   1920 x 1080 at 60 Hz (67.5 kHz) as it is and scales every other mode to it.
constexpr ScanBand k15{15.625, 16.5, 288, 576};
constexpr ScanBand k25{24.0, 25.5, 0, 0};
constexpr ScanBand k31{31.0, 32.0, 0, 0};
constexpr ScanBand kArcade15[] = {k15};
constexpr ScanBand kArcade15And25[] = {k15, k25};
constexpr ScanBand kTriSync[] = {k15, k25, k31};
constexpr ScanBand kVga[] = {k31};
constexpr ScanBand kMultisync[] = {{30.0, 70.0, 0, 0}};
constexpr ScanBand kPanel[] = {{30.0, 83.0, 0, 0}};

const MonitorRanges kRanges[] = {
    {MonitorKind::Arcade15, kArcade15, 49.5, 65.0, true, false},
    {MonitorKind::Arcade15And25, kArcade15And25, 49.5, 65.0, true, false},
    {MonitorKind::TriSync, kTriSync, 49.5, 65.0, true, false},
    {MonitorKind::Vga31, kVga, 50.0, 72.0, false, false},
    {MonitorKind::MultisyncPc, kMultisync, 50.0, 180.0, false, false},
    {MonitorKind::FixedPanel, kPanel, 55.0, 75.0, false, true},
};
static_assert(std::size(kRanges) == std::size(kMonitorKinds));

// The visible share of a frame below which the picture would shrink to a band across the screen.
constexpr double kLeastVisibleShare = 0.7;

} // namespace

const MonitorRanges& RangesOf(MonitorKind kind) {
    for (const MonitorRanges& r : kRanges)
        if (r.Kind == kind) return r;
    return RangesOf(kDefaultMonitorKind);
}

int FewestTotalLines(int lines) { return lines + (lines + 19) / 20 + 8; }

std::optional<double> ShownLineRate(MonitorKind kind, int lines, double refresh, bool interlaced) {
    const MonitorRanges& r = RangesOf(kind);
    if (r.NativeOnly || lines < 1 || !(refresh >= r.MinHz && refresh <= r.MaxHz) || (interlaced && !r.Interlace))
        return std::nullopt;
    // An interlaced frame is drawn in two fields of half its lines each.
    const double perScan = interlaced ? 0.5 : 1.0;
    const double fewest = FewestTotalLines(lines) * perScan * refresh / 1000;
    const double most = lines / kLeastVisibleShare * perScan * refresh / 1000;
    for (const ScanBand& band : r.Bands) {
        const int cap = interlaced ? band.MostInterlacedLines : band.MostProgressiveLines;
        if ((interlaced || cap > 0) && lines > cap) continue;
        const double rate = std::max(fewest, band.MinKHz);
        if (rate <= band.MaxKHz && rate <= most) return rate;
    }
    return std::nullopt;
}

std::string LineRateText(double kHz) {
    // Tenths by hand: the window's locale must not turn the point into a comma.
    const long tenths = std::lround(kHz * 10);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " kHz";
}

} // namespace kelvaro
