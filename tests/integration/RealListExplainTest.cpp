// The explanations, summary and suggestions over the real emulator's list and the default mode
// list, against the selection itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "TempDir.h"
#include "gamelist/GameInfoRetrieval.h"
#include "gamelist/NativeModes.h"
#include "modes/AutoSelect.h"
#include "modes/AvailableModes.h"
#include "modes/SelectionSummary.h"
#include "modes/Suggestions.h"
#include "platform/Files.h"

using namespace kelvaro;
using fixtures::GamesWithMode;

// One test, so that the emulator writes its list once.
TEST(RealEmulatorList, EveryGameExplainedAsSelectedAndSuggestedGainsExact) {
    if (!FileExists(KELVARO_MAME_EXE, false)) GTEST_SKIP() << "the emulator is not installed";
    TempDir dir;
    Model base = fixtures::ModelForEmulator(dir.Path(), KELVARO_MAME_EXE);
    ProgressSink quiet;
    ASSERT_TRUE(RetrieveGameInfo(base, quiet));
    ASSERT_TRUE(BuildNativeModeList(base, false, true, quiet));
    base.Config.ModeListFile = std::string(KELVARO_SOURCE_DIR) + "/data/avga9200.txt";
    ASSERT_TRUE(ReadAvailableModes(base));
    ASSERT_GT(base.Games.Count(), 20000);

    for (int orientation = 0; orientation < 3; ++orientation) {
        SCOPED_TRACE("monitor orientation " + std::to_string(orientation));
        Model m = base;
        m.Config.MonitorOrientation = static_cast<MonitorOrientation>(orientation);
        Model selected = m;
        AutoSelectVideoModes(selected, quiet);
        const std::vector<int> rows = SelectedModeRows(m);
        int left = 0, mismatches = 0;
        for (int i = 1; i <= m.Games.Count(); ++i) {
            const SelectionRecord r = ExplainSelection(m, i);
            const GameRow& g = selected.Games[i];
            const bool same = r.Width == g.GameModeWidth && r.Height == g.GameModeHeight &&
                              r.Refresh == g.GameModeRefresh && r.INIText == g.GameINIText &&
                              r.ModeRow == rows[static_cast<size_t>(i)];
            if (!same && ++mismatches <= 5)
                ADD_FAILURE() << g.GameRomName << ": explained " << r.Width << "x" << r.Height;
            left += rows[static_cast<size_t>(i)] == 0;
        }
        EXPECT_EQ(mismatches, 0);
        const SelectionSummary s = SummarizeSelection(m);
        EXPECT_EQ(s.All.LeftToEmulator, left);
        EXPECT_EQ(s.All.Games(), m.Games.Count());

        // The first suggestions, each appended in turn to the list's own text.
        const std::vector<ModeSuggestion> top = SuggestModes(m, 3, quiet);
        ASSERT_FALSE(top.empty());
        std::string text = *ReadWholeFile(m.Config.ModeListFile);
        int before = GamesWithMode(m);
        for (const ModeSuggestion& suggestion : top) {
            text += suggestion.Line() + "\r\n";
            Model longer = m;
            ParseAvailableModes(text, longer);
            const int after = GamesWithMode(longer);
            EXPECT_EQ(after - before, suggestion.Gain) << suggestion.Line();
            before = after;
        }
    }
}
