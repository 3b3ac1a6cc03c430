// Which modes each kind of monitor shows, at the edges of its ranges, and the modes worth adding
// that follow from it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fixtures.h"
#include "modes/AvailableModes.h"
#include "modes/MonitorRanges.h"
#include "modes/Suggestions.h"

using namespace kelvaro;

TEST(MonitorRanges, EachKindShowsTheModesInsideItsRangesOnly) {
    using K = MonitorKind;
    struct Row {
        K kind;
        int lines;
        double refresh;
        bool interlaced;
        const char* shown; // the line rate, or nullptr when the kind cannot show the mode
    };
    const Row rows[] = {
        {K::Arcade15, 288, 50, false, "15.6 kHz"}, // a 50 Hz field's lines
        {K::Arcade15, 289, 50, false, nullptr},    // one more than a standard field holds
        {K::Arcade15, 224, 57, false, "15.6 kHz"}, // the card lengthens the blanking
        {K::Arcade15, 256, 60, false, nullptr},    // 16.62 kHz: above the 15 kHz band
        {K::Arcade15, 240, 66, false, nullptr},    // refresh above the monitor's
        {K::Arcade15, 160, 60, false, nullptr},    // blanking would take over a third of the frame
        {K::Arcade15, 480, 60, true, "15.6 kHz"},
        {K::Arcade15, 600, 50, true, nullptr},
        {K::Arcade15And25, 384, 60, false, "24.7 kHz"},
        {K::Arcade15And25, 400, 60, false, nullptr}, // 25.68 kHz
        {K::TriSync, 480, 60, false, "31.0 kHz"},
        {K::TriSync, 480, 60, true, "15.6 kHz"},
        {K::Vga31, 480, 60, true, nullptr},
        {K::Vga31, 600, 50, false, "31.9 kHz"},
        {K::Vga31, 240, 60, false, nullptr},
        {K::Vga31, 480, 49, false, nullptr},
        {K::MultisyncPc, 768, 60, false, "48.9 kHz"},
        {K::MultisyncPc, 1200, 60, false, nullptr},
        {K::FixedPanel, 1080, 60, false, nullptr},
    };
    for (const Row& r : rows) {
        const auto rate = ShownLineRate(r.kind, r.lines, r.refresh, r.interlaced);
        EXPECT_EQ(rate ? LineRateText(*rate) : "none", r.shown ? r.shown : "none")
            << NumberOf(r.kind) << ": " << r.lines << (r.interlaced ? "i" : "p") << " at " << r.refresh;
    }
}

TEST(MonitorRanges, ModesWorthAddingAreOnlyThoseTheMonitorShows) {
    // The selection also gives a game a larger mode, so one mode can serve several of them.
    Model m;
    ParseAvailableModes("modes\n 256 224 57Hz\n", m);
    for (auto [w, h, r] : {std::tuple{"1956", "1600", "72"},
                           {"320", "240", "60"},
                           {"640", "480", "60"},
                           {"384", "288", "50"},
                           {"512", "384", "60"},
                           {"800", "600", "60"}})
        m.Games.Add(fixtures::Game(std::string(w) + "x" + h, w, h, r, "H"));
    const auto suggested = [&m](MonitorKind kind) {
        m.Config.MonitorKind = kind;
        ProgressSink quiet;
        std::vector<std::string> lines;
        for (const ModeSuggestion& s : SuggestModes(m, 10, quiet)) {
            const auto rate = ShownLineRate(kind, s.Height, s.Refresh, s.Interlaced);
            EXPECT_TRUE(rate && *rate == s.LineRateKHz) << s.Line();
            lines.push_back(s.Line());
        }
        return lines;
    };
    using Lines = std::vector<std::string>;
    EXPECT_EQ(suggested(MonitorKind::Arcade15), (Lines{" 320 240 60Hz progressive", " 384 288 50Hz progressive"}));
    EXPECT_EQ(suggested(MonitorKind::Vga31), Lines{" 640 480 60Hz progressive"});
    EXPECT_EQ(suggested(MonitorKind::MultisyncPc), Lines{" 800 600 60Hz progressive"});
    EXPECT_TRUE(suggested(MonitorKind::FixedPanel).empty());
    // Interlaced where the monitor shows no progressive mode of those lines, once the selection takes them.
    m.Config.IgnoreInterlaced = false;
    EXPECT_EQ(suggested(MonitorKind::Arcade15), Lines{" 640 480 60Hz interlaced"});
}
