#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fixtures.h"
#include "modes/AutoSelect.h"
#include "modes/AutoSelectInternal.h"
#include "modes/AvailableModes.h"

using namespace kelvaro;
using fixtures::Game;
using fixtures::Mode;
using Strings = std::vector<std::string>;

namespace {

const std::string kNone = "??? ??? ?? resolution auto";

// The modes as a mode list file gives them, each interlaced as given.
void SetModes(Model& m, const std::vector<AvailModeRow>& modes) {
    auto column = [](const std::string& s) { return std::string(4 - s.size(), ' ') + s; };
    std::string text = "heading\r\n";
    for (const AvailModeRow& r : modes)
        text += column(r.AvailWidth) + column(r.AvailHeight) + " " + r.AvailRefresh + "Hz\r\n";
    ParseAvailableModes(text, m);
    for (int j = 1; j <= m.AvailModes.Count(); ++j)
        m.AvailModes[j].AvailInterlaced = modes[static_cast<std::size_t>(j) - 1].AvailInterlaced;
}

// Runs the selection; then each game's chosen mode and INI details, "W H R details".
Strings Select(Model& m) {
    ProgressSink quiet;
    AutoSelectVideoModes(m, quiet);
    Strings chosen;
    for (int i = 1; i <= m.Games.Count(); ++i) {
        const GameRow& g = m.Games[i];
        chosen.push_back(g.GameModeWidth + " " + g.GameModeHeight + " " + g.GameModeRefresh + " " + g.GameINIText);
    }
    return chosen;
}

} // namespace

TEST(AutoSelect, ExactSizeGameGetsItsModeAsItsOnlyResolutionLineAndInterlacedOnesWaitForTheOption) {
    Model m;
    SetModes(m, {Mode("320", "240", "60"), Mode("640", "480", "60", "Yes")});
    fixtures::RecordingProgress progress;
    AutoSelectVideoModes(m, progress); // no games, no progress
    EXPECT_TRUE(progress.log.empty());
    m.Games.Add(Game("G", "320", "240", "60.000000", "H", "sound 0|resolution 1x1"));
    m.Games.Add(Game("I", "640", "480", "60.000000", "H")); // only the interlaced mode fits
    AutoSelectVideoModes(m, progress);
    EXPECT_EQ(progress.log, fixtures::ProgressOver("Selecting Video Modes...", 2));
    EXPECT_EQ(Select(m), (Strings{"320 240 60 resolution 320x240", kNone}));
    m.Config.IgnoreInterlaced = false;
    EXPECT_EQ(Select(m)[1], "640 480 60 resolution 640x480");
}

TEST(FindBestMode, ClosestWidthWinsAndTiesKeepTheEarlierMode) {
    Model m;
    const std::string native = "60.000000";
    SetModes(m, {Mode("304", "240", "60"), Mode("336", "240", "60")});
    EXPECT_EQ(FindBestMode(m, 320, "240", 240, native), 1);
    SetModes(m, {Mode("336", "240", "60"), Mode("304", "240", "60"), Mode("324", "240", "60")});
    EXPECT_EQ(FindBestMode(m, 320, "240", 240, native), 3);
    // Too narrow by more than the tolerance: 303 < 320 - 16. No upper limit on the width.
    SetModes(m, {Mode("303", "240", "60"), Mode("2048", "240", "60")});
    EXPECT_EQ(FindBestMode(m, 320, "240", 240, native), 2);
    // Pass 1 only looks at the key height; pass 2 takes any height from MinHeight - tolerance.
    SetModes(m, {Mode("400", "240", "60"), Mode("320", "224", "60"), Mode("330", "600", "60")});
    EXPECT_EQ(FindBestMode(m, 320, "240", 240, native), 1);
    EXPECT_EQ(FindBestMode(m, 320, "", 240, native), 2);
    EXPECT_EQ(FindBestMode(m, 320, "", 241, native), 3);
    EXPECT_EQ(FindBestMode(m, 320, "480", 700, native), 0);
    // Rows without numbers, or of width or height 0, are never eligible, even where they would fit.
    SetModes(m, {Mode("", "", "60"), Mode("abc", "240", "60"), Mode("0", "240", "60"), Mode("320", "0", "60")});
    EXPECT_EQ(FindBestMode(m, 8, "", 0, native), 0);
}

TEST(FindBestMode, RefreshTest) {
    // tolerance, the refreshes of modes 256 x 224, then native refreshes with the mode chosen
    struct Case {
        float tolerance;
        Strings refreshes;
        std::vector<std::pair<std::string, int>> natives;
    };
    const Case cases[] = {
        {0, {"60", "72"}, {{"60.606061", 2}}},
        {1, {"60", "72"}, {{"60.606061", 1}}},
        // A shortfall equal to the tolerance passes; it is compared in single precision.
        {1.25f, {"60", "99"}, {{"61.250000", 1}, {"61.250000001", 1}, {"61.250001", 2}}},
        // Which refresh is lower is decided on the texts: "75" sorts after "120.000000".
        {0, {"75"}, {{"120.000000", 1}}},
        // "00" (no rate in the file) falls short of every game above the tolerance.
        {1.25f, {"00"}, {{"60.000000", 0}, {"1.000000", 1}}},
        // A refresh that is no number counts as 0, not as its leading digits.
        {1.25f, {"5x"}, {{"6.000000", 0}}},
        {1.25f, {"60"}, {{"", 0}}},
    };
    for (const Case& c : cases) {
        Model m;
        m.Config.MatchRefreshWithin = c.tolerance;
        std::vector<AvailModeRow> modes;
        for (const std::string& r : c.refreshes) modes.push_back(Mode("256", "224", r));
        SetModes(m, modes);
        for (const auto& [native, expected] : c.natives)
            EXPECT_EQ(FindBestMode(m, 256, "224", 224, native), expected) << c.tolerance << " " << native;
    }
}

TEST(Snap, ExactAndTolerantKeys) {
    // the entries of both lists, exact or tolerant, the tolerance, then values with the entry found
    struct Case {
        Strings list;
        bool exact;
        int tolerance;
        std::vector<std::pair<std::string, std::string>> values;
    };
    const Case cases[] = {
        // Exact: the first entry within 2 pixels of the value, read by its leading number and
        // rounded half to even.
        {{"224", "240"}, true, 16, {{"242", "240"}, {"243", ""}, {"226", "224"}, {"232", ""}, {"  240 lines", "240"}}},
        {{"238", "240"}, true, 16, {{"240", "238"}}},
        {{"245"}, true, 16, {{"242.5", ""}, {"243.5", "245"}}},
        {{"1"}, true, 16, {{"abc", "1"}}},
        // Tolerant: the first entry that reaches the value with the tolerance; beyond all, the
        // largest.
        {{"224", "240", "256"}, false, 16, {{"200", "224"}, {"240", "224"}, {"250", "240"}, {"300", "256"}}},
        {{"224", "240", "256"}, false, 0, {{"241", "256"}, {"240", "240"}}},
        {{"240"}, false, 16, {{"300", "240"}, {"100", "240"}}},
        {{}, false, 16, {{"240", ""}}},
        // Entries that are no number are left out.
        {{"", "x", "5"}, false, 0, {{"0", "5"}}},
    };
    for (const Case& c : cases) {
        Model m;
        m.Config.MatchResWithin = c.tolerance;
        for (const std::string& e : c.list) m.AvailHeightList.Add(e);
        m.AvailWidthList = m.AvailHeightList;
        for (const auto& [value, expected] : c.values) {
            SCOPED_TRACE(value + (c.exact ? " exact" : " tolerant") + " t=" + std::to_string(c.tolerance));
            EXPECT_EQ(SnapToAvailableHeight(m, value, c.exact), expected);
            EXPECT_EQ(SnapToAvailableWidth(m, value, c.exact), expected);
        }
    }
}

TEST(AutoSelect, NotFoundSettingsGoWholeToUnmatchedGamesUntilTheirModeIsGone) {
    Model m;
    SetModes(m, {Mode("320", "240", "60")});
    m.Config = {
        .NotFoundWidth = "320", .NotFoundHeight = "240", .NotFoundRefresh = "57", .NotFoundINIText = "sound 0|rol 1"};
    m.Games.Add(Game("BIG", "640", "480", "60.000000", "H"));
    // A raster game listed without size or refresh cannot be matched.
    m.Games.Add(Game("NOSIZE", "VECTOR", "VECTOR", "", "H", "cheat 1"));
    m.Games.Add(Game("NOREFRESH", "320", "240", "", "H"));
    m.Games.Add(Game("MATCHED", "320", "240", "60.000000", "H"));
    const std::string notFound = "320 240 57 resolution 320x240|sound 0|rol 1";
    const std::string matched = "320 240 60 resolution 320x240";
    EXPECT_EQ(Select(m), (Strings{notFound, notFound, notFound, matched}));
    EXPECT_EQ(m.Config.NotFoundINIText, "resolution 320x240|sound 0|rol 1");

    // A not-found mode the list no longer has is corrected at the first unmatched game, which
    // gets it; from there the emulator decides: later games keep their own (cleared) text.
    m.Config.NotFoundWidth = "800";
    m.Config.NotFoundHeight = "600";
    m.Config.NotFoundINIText = "resolution 800x600|sound 0";
    m.Games[2].GameINIText = "cheat 1";
    const std::string corrected = "??? ??? ?? resolution auto|sound 0";
    EXPECT_EQ(Select(m), (Strings{corrected, kNone, kNone, matched}));
    const Settings& s = m.Config;
    EXPECT_EQ(s.NotFoundWidth + " " + s.NotFoundHeight + " " + s.NotFoundRefresh + " " + s.NotFoundINIText, corrected);

    // A not-found mode of width 0 is no mode, even where the list holds it.
    SetModes(m, {Mode("320", "240", "60"), Mode("0", "240", "60")});
    m.Config.NotFoundWidth = "0";
    m.Config.NotFoundHeight = "240";
    EXPECT_EQ(Select(m)[0], corrected);
}

TEST(AutoSelect, ASizeListedAtSeveralRatesNamesTheChosenRate) {
    Model m;
    SetModes(m, {Mode("256", "224", "57"), Mode("256", "224", "60")});
    m.Config = {.NotFoundWidth = "256", .NotFoundHeight = "224", .NotFoundRefresh = "60"};
    m.Games.Add(Game("SLOW", "256", "224", "57.000000", "H"));
    m.Games.Add(Game("BIG", "800", "600", "60.000000", "H")); // gets the not-found mode
    EXPECT_EQ(Select(m), (Strings{"256 224 57 resolution 256x224@57", "256 224 60 resolution 256x224@60"}));
}

TEST(AutoSelect, RotationLineFollowsTheMonitorAndTheGameOverTwoRuns) {
    // the monitor, then what PORTRAIT, VECTOR, WIDE, TERROR and NONE get; a game laid out upright
    // needs a mode at least 240 * 16 / 9 - 16 wide: 330 x 320 is too narrow
    const std::string upright = "432 320 60 resolution 432x320";
    const std::vector<std::pair<int, Strings>> cases = {
        {1,
         {"288 224 60 resolution 288x224|ror 1", "??? ??? ?? sound 0|resolution auto|ror 1", upright + "|ror 1",
          "??? ??? ?? resolution auto|terror 1|ror 1 # off", upright + "|ror 1"}},
        // A rotating monitor turns vertical games only, and lays out a game of no orientation upright.
        {2,
         {"288 224 60 resolution 288x224|ror 1", "??? ??? ?? sound 0|resolution auto|ror 1",
          "320 240 60 resolution 320x240", "??? ??? ?? resolution auto|terror 1|ror 0 # off", upright}},
    };
    for (const auto& [monitor, expected] : cases) {
        Model m;
        m.Config.MonitorOrientation = static_cast<MonitorOrientation>(monitor);
        SetModes(m, {Mode("320", "240", "60"), Mode("288", "224", "60"), Mode("330", "320", "60"),
                     Mode("432", "320", "60")});
        m.Games.Add(Game("PORTRAIT", "224", "288", "60.606061", "V"));
        m.Games.Add(Game("VECTOR", "-", "-", "-", "V", "sound 0|resolution 640x480"));
        m.Games.Add(Game("WIDE", "320", "240", "60.000000", "H"));
        // "terror 1" turns nothing; the last ror line is the one that counts.
        m.Games.Add(Game("TERROR", "-", "-", "-", "H", "terror 1|ror 0 # off"));
        m.Games.Add(Game("NONE", "320", "240", "60.000000", ""));
        for (int run = 1; run <= 2; ++run) EXPECT_EQ(Select(m), expected) << monitor << " " << run;
    }
}

TEST(AutoSelect, VerticalGameOnHorizontalMonitorUsesUnroundedTargetWidth) {
    Model m;
    m.Games.Add(Game("PUCKMAN", "224", "288", "60.606061", "V"));
    const std::vector<std::pair<std::vector<AvailModeRow>, std::string>> cases = {
        {{Mode("384", "288", "60"), Mode("400", "288", "60"), Mode("416", "288", "60"), Mode("400", "240", "60")},
         "400 288 60 resolution 400x288"},
        // 398.22 - 16 = 382.22: a width of 382 is too narrow (it would pass with 398).
        {{Mode("382", "288", "60")}, kNone},
        // No mode of the key height: any height from 288 - 16 decides by width.
        {{Mode("384", "256", "60"), Mode("512", "300", "60"), Mode("400", "300", "60")},
         "400 300 60 resolution 400x300"},
    };
    for (const auto& [modes, expected] : cases) {
        SetModes(m, modes);
        EXPECT_EQ(Select(m), Strings{expected}); // and no rotation line on a horizontal monitor
    }
}

TEST(AutoSelect, DeletedModesWithStaleListsLeaveItToPassTwo) {
    Model m;
    SetModes(m, {Mode("320", "240", "60"), Mode("320", "256", "60")});
    m.Games.Add(Game("G", "320", "240", "60.000000", "H"));
    RemoveAvailableMode(m, 1);
    ASSERT_EQ(SnapToAvailableHeight(m, "240", true), "240");
    EXPECT_EQ(Select(m), Strings{"320 256 60 resolution 320x256"});
}
