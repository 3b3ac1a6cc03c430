// The game list from the real emulator: retrieval, conversion, reading and native modes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "BatchRun.h"
#include "Fixtures.h"
#include "TempDir.h"
#include "gamelist/GameInfoRetrieval.h"
#include "gamelist/NativeModes.h"
#include "platform/Files.h"

using namespace kelvaro;

namespace {

int CountOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size()) ++n;
    return n;
}

} // namespace

// One test, so that the emulator writes its list (a long run) once per test run.
TEST(RealEmulatorList, RetrievedListAndItsNativeModes) {
    if (!FileExists(KELVARO_MAME_EXE, false)) GTEST_SKIP() << "the emulator is not installed";
    TempDir dir;
    Model m = fixtures::ModelForEmulator(dir.Path(), KELVARO_MAME_EXE);
    ProgressSink quiet;
    const Outcome retrieved = RetrieveGameInfo(m, quiet);
    ASSERT_TRUE(retrieved) << retrieved.Reason(); // the emulator ended with status 0
    const std::string text = TempDir::Read(m.GameListFile());

    // Every screen game, in whole blocks; devices and BIOS sets left out; no file but the list.
    const int blocks = CountOf(text, "game (\r\n");
    EXPECT_GT(blocks, 20000);
    EXPECT_EQ(CountOf(text, "\r\n)\r\n\r\n"), blocks);
    EXPECT_TRUE(text.ends_with(")\r\n\r\n"));
    EXPECT_NE(text.find("\tname puckman\r\n\tdescription \"Puck Man (Japan set 1)\"\r\n"), std::string::npos);
    EXPECT_EQ(text.find("\tname z80\r\n"), std::string::npos);
    EXPECT_EQ(text.find("\tname neogeo\r\n"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    const Result<NativeModeCounts> counts = BuildNativeModeList(m, false, true, quiet);
    ASSERT_TRUE(counts);
    ASSERT_EQ(m.Games.Count(), blocks);
    ASSERT_GE(m.NativeModes.Count(), 3);
    EXPECT_EQ(NativeModeDisplay(m.NativeModes[1]) + "|" + NativeModeDisplay(m.NativeModes[2]), "Vector H|Vector V");
    EXPECT_EQ(counts->HModes + counts->VModes, counts->NativeCount);

    // Each game with a size is in exactly one mode.
    std::vector<int> seen(static_cast<std::size_t>(blocks) + 1, 0);
    for (int k = 1; k <= m.NativeModes.Count(); ++k)
        for (int i : GamesOfNativeMode(m, k)) ++seen[static_cast<std::size_t>(i)];
    int puckman = 0;
    for (int i = 1; i <= blocks; ++i) {
        const GameRow& g = m.Games[i];
        const bool hasSize = g.GameNativeWidth != "VECTOR" && g.GameNativeHeight != "VECTOR";
        EXPECT_EQ(seen[static_cast<std::size_t>(i)], hasSize ? 1 : 0) << g.GameRomName;
        if (g.GameRomName == "PUCKMAN") puckman = i;
    }
    ASSERT_NE(puckman, 0);
    const GameRow& g = m.Games[puckman];
    EXPECT_EQ(g.GameNativeWidth + " " + g.GameNativeHeight + " " + g.GameNativeRefresh + " " + g.GameOrientation,
              "224 288 60.606061 V");

    // The batch tool prints the same list from the same file.
    std::string expected;
    for (int k = 1; k <= m.NativeModes.Count(); ++k)
        expected += std::to_string(k) + "\t" + NativeModeDisplay(m.NativeModes[k]) + "\n";
    BatchResult natives = RunBatch({"natives", "--dat", m.GameListFile()});
    EXPECT_EQ(natives.status, 0) << natives.err;
    EXPECT_TRUE(natives.out == expected + counts->Panel1() + "\n" + counts->Panel2() + "\n");
}
