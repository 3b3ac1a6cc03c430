// The recorded selection, the summary and the suggestions, against the selection itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "TempDir.h"
#include "modes/AutoSelect.h"
#include "modes/AvailableModes.h"
#include "modes/SelectionSummary.h"
#include "modes/SelectionText.h"
#include "modes/Suggestions.h"

using namespace kelvaro;
using fixtures::GamesWithMode;

namespace {

// A list of games and a mode list that leaves some of them without a mode, made from a seed:
// sizes near common arcade ones, both orientations, a few vector games and odd refresh rates.
std::string MakeList(Model& m, unsigned seed) {
    std::mt19937 rng(seed);
    auto pick = [&](std::vector<int> v) { return v[rng() % v.size()]; };
    for (int i = 1; i <= 160; ++i) {
        const bool vector = rng() % 20 == 0;
        const std::string w = vector ? "-" : std::to_string(pick({224, 240, 256, 288, 304, 320, 384, 400, 512, 640}));
        const std::string h = vector ? "-" : std::to_string(pick({192, 224, 240, 256, 288, 384, 480}));
        std::string r = "60.000000";
        if (vector)
            r = "-";
        else if (rng() % 2)
            r = std::to_string(pick({53, 55, 57, 59})).append(".5");
        m.Games.Add(fixtures::Game("G" + std::to_string(i), w, h, r, rng() % 3 ? "H" : "V"));
    }
    std::string text = "modes\n";
    for (int k = 0; k < 8; ++k) {
        char line[64];
        std::snprintf(line, sizeof line, "%4d%4d %dHz%s\n", pick({256, 288, 320, 384, 512, 640}),
                      pick({224, 240, 256, 480}), pick({55, 57, 60}), k % 4 == 3 ? " i" : "");
        text += line;
    }
    ParseAvailableModes(text, m);
    return text;
}

} // namespace

TEST(SelectionRecord, EveryGameExplainedAsTheSelectionChoseOverManySettings) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        Model m;
        MakeList(m, seed);
        m.Config.MonitorOrientation = static_cast<MonitorOrientation>(seed % 3);
        m.Config.MatchResWithin = seed % 2 ? 16 : 0;
        m.Config.IgnoreInterlaced = seed % 4 != 0;
        if (seed == 5)
            m.Config.NotFoundWidth = m.AvailModes[1].AvailWidth, m.Config.NotFoundHeight = m.AvailModes[1].AvailHeight;
        if (seed == 6) m.Config.NotFoundWidth = "9999", m.Config.NotFoundHeight = "9999"; // a mode the list lacks
        const std::vector<int> rows = SelectedModeRows(m);
        Model selected = m;
        ProgressSink quiet;
        AutoSelectVideoModes(selected, quiet);
        for (int i = 1; i <= m.Games.Count(); ++i) {
            const SelectionRecord r = ExplainSelection(m, i);
            const GameRow& g = selected.Games[i];
            SCOPED_TRACE("seed " + std::to_string(seed) + " game " + std::to_string(i));
            EXPECT_EQ(r.Width + " " + r.Height + " " + r.Refresh + " " + r.INIText,
                      g.GameModeWidth + " " + g.GameModeHeight + " " + g.GameModeRefresh + " " + g.GameINIText);
            EXPECT_EQ(r.ModeRow, rows[static_cast<size_t>(i)]);
            // The mode taken is the one noted as taken, once, in the last search.
            int taken = 0;
            for (const SelectionTry& t : r.Tries)
                for (const auto* pass : {&t.Pass1, &t.Pass2})
                    for (const ModeNote& n : *pass) taken += n.Verdict == ModeVerdict::Taken ? n.Row : 0;
            EXPECT_EQ(taken, r.ModeRow);
            EXPECT_EQ(SelectionExplanation(m, r).rfind(
                          r.ModeRow ? "chosen\t" + g.GameModeWidth + "\t" : std::string("chosen\t"), 0),
                      0u);
        }
        EXPECT_EQ(m.Config.NotFoundWidth, seed == 6 ? "9999" : seed == 5 ? m.AvailModes[1].AvailWidth : "???");
    }
}

TEST(SelectionRecord, ReasonsForPassingModesOverSayByHowMuch) {
    Model m;
    ParseAvailableModes("modes\n 320 240 55Hz\n 288 240 60Hz\n 320 240 60Hz i\n 640 480 60Hz p\n", m);
    m.Games.Add(fixtures::Game("G", "320", "240", "60.000000", "H"));
    const SelectionRecord r = ExplainSelection(m, 1);
    ASSERT_EQ(r.Tries.size(), 1u); // the height is in the list, but no mode of it fits: pass 2
    EXPECT_EQ(r.Tries[0].HeightKey, "240");
    std::vector<std::string> notes;
    for (const ModeNote& n : r.Tries[0].Pass2)
        notes.push_back(std::to_string(n.Row) + " " + std::to_string(static_cast<int>(n.Verdict)) + " " +
                        std::to_string(n.By));
    EXPECT_EQ(notes, (std::vector<std::string>{"1 4 3.750000", "2 5 16.000000", "3 3 0.000000", "4 0 0.000000"}));
    EXPECT_EQ(r.Outcome, SelectionOutcome::Mode);
    EXPECT_EQ(r.ModeRow, 4);
    const std::string reason = SelectionReason(m, r);
    EXPECT_EQ(std::count(reason.begin(), reason.end(), '\n'), 1) << reason;
}

TEST(SelectionSummary, EachGameInOneOutcomeAndWholeScalesCounted) {
    Model m;
    ParseAvailableModes("modes\n 288 224 60Hz\n 640 480 60Hz p\n", m);
    // Turned into 288 x 224: exact, and drawn 1 x 1 (the monitor taken as 4:3, as the desktop).
    m.Games.Add(fixtures::Game("PAC", "224", "288", "60.606061", "V"));
    m.Games.Add(fixtures::Game("SQ", "320", "240", "60", "H"));   // 640 x 480: twice both ways
    m.Games.Add(fixtures::Game("SF", "384", "224", "59.6", "H")); // 640 x 480, no whole scale
    m.Games.Add(fixtures::Game("BIG", "1024", "768", "60", "H")); // nothing fits
    m.Games.Add(fixtures::Game("AST", "-", "-", "-", "V"));
    m.Config.MonitorOrientation = MonitorOrientation::Rotating;
    const SelectionSummary s = SummarizeSelection(m);
    EXPECT_EQ(std::vector<int>({s.All.ExactSize, s.All.WithinTolerance, s.All.LeftToEmulator, s.WholeScale}),
              std::vector<int>({1, 2, 2, 2}));
    EXPECT_EQ(std::vector<int>({s.Vertical.ExactSize, s.Vertical.LeftToEmulator, s.Horizontal.WithinTolerance}),
              std::vector<int>({1, 1, 2}));
    EXPECT_EQ(SummaryCounts(s).front(), (std::pair<std::string, int>{"games", 5}));
}

// Appends each suggestion's line to the mode list text in turn: the selection over the longer list
// must give exactly that many more games a mode.
void ExpectExactGains(const Model& m, std::string text, const std::vector<ModeSuggestion>& top) {
    int before = GamesWithMode(m);
    for (const ModeSuggestion& s : top) {
        SCOPED_TRACE(s.Line());
        text += s.Line() + "\n";
        Model longer = m;
        ParseAvailableModes(text, longer);
        const int after = GamesWithMode(longer);
        EXPECT_GT(s.Gain, 0);
        EXPECT_EQ(after - before, s.Gain);
        EXPECT_GE(static_cast<int>(s.Games.size()), s.Gain);
        before = after;
    }
}

TEST(Suggestions, GreedyGainsAreWhatASelectionOverTheLongerListGives) {
    for (unsigned seed = 1; seed <= 4; ++seed) {
        Model m;
        const std::string text = MakeList(m, seed);
        m.Config.MonitorOrientation = static_cast<MonitorOrientation>(seed % 3);
        fixtures::RecordingProgress progress;
        const std::vector<ModeSuggestion> top = SuggestModes(m, 5, progress);
        ASSERT_FALSE(top.empty());
        EXPECT_EQ(progress.log.front(), "begin Finding modes worth adding... 5");
        ExpectExactGains(m, text, top);
    }
    // A mode can also take a mode away: 300 x 240 at 63 Hz serves the two 63 Hz games, but its
    // height 240 becomes the key of the 242-line game, for which no mode of that height fits.
    Model m;
    const std::string text = "modes\n 320 241 60Hz\n 100 300 60Hz\n";
    ParseAvailableModes(text, m);
    m.Config.MatchResWithin = 0;
    m.Games.Add(fixtures::Game("A", "320", "242", "60", "H"));
    m.Games.Add(fixtures::Game("B", "300", "240", "63", "H"));
    m.Games.Add(fixtures::Game("C", "300", "240", "63", "H"));
    ProgressSink quiet;
    const std::vector<ModeSuggestion> top = SuggestModes(m, 3, quiet);
    ASSERT_EQ(top.size(), 2u); // then the 242-line game's own size
    EXPECT_EQ(top[0].Line() + " " + std::to_string(top[0].Gain), " 300 240 63Hz progressive 1");
    EXPECT_EQ(top[1].Line() + " " + std::to_string(top[1].Gain), " 320 242 60Hz progressive 1");
    EXPECT_EQ(top[0].Games, (std::vector<int>{2, 3}));
    ExpectExactGains(m, text, top);
}

TEST(Suggestions, NewModeListIsTheOldFileWithTheLinesInItsOwnLineEnds) {
    TempDir dir;
    const std::string old = dir.Write("modes.txt", "Card\r\n 320 240 60Hz");
    ModeSuggestion a{398, 288, 61, false, 3, {}};
    ModeSuggestion b{1024, 768, 60, false, 1, {}};
    const std::string out = dir.Path() + "/new.txt";
    ASSERT_TRUE(WriteModeListWithSuggestions(old, out, {a, b}));
    EXPECT_EQ(TempDir::Read(out),
              "Card\r\n 320 240 60Hz\r\n 398 288 61Hz progressive\r\n1024 768 60Hz progressive\r\n");
    EXPECT_EQ(TempDir::Read(old), "Card\r\n 320 240 60Hz");
    EXPECT_FALSE(WriteModeListWithSuggestions(old, old, {a}));
    EXPECT_EQ(TempDir::Read(old), "Card\r\n 320 240 60Hz");
    EXPECT_FALSE(WriteModeListWithSuggestions(dir.Path() + "/missing.txt", out, {a}));
    Model m;
    m.Config.ModeListFile = out;
    ASSERT_TRUE(ReadAvailableModes(m));
    EXPECT_EQ(AvailModeDisplay(m.AvailModes[3]) + " " + m.AvailModes[3].AvailInterlaced, "1024 x 768 @ 60Hz No");
}
