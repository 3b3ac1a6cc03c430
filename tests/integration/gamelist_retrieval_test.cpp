// The game list from the real emulator: retrieval, conversion, reading and native modes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"
#include "gamelist/GameInfoRetrieval.h"
#include "gamelist/NativeModes.h"
#include "platform/Files.h"

using namespace kelvaro;

namespace {

class RealEmulatorList : public ::testing::Test {
protected:
    // The emulator takes a while to write its list: it runs once for the whole program.
    static void SetUpTestSuite() {
        dir_ = std::make_unique<TempDir>();
        model_ = std::make_unique<Model>();
        model_->Paths.ProgramFolder = model_->Paths.DataFolder = dir_->Path();
        model_->S.MameExePath = KELVARO_MAME_EXE;
        model_->MameFolder = "/usr/games";
        ProgressSink quiet;
        RetrieveGameInfo(*model_, quiet);
        text_ = TempDir::Read(model_->GameListFile());
    }
    static void TearDownTestSuite() {
        model_.reset();
        dir_.reset();
    }

    void SetUp() override {
        if (!FileExists(KELVARO_MAME_EXE, false)) GTEST_SKIP() << "the emulator is not installed";
    }

    static std::unique_ptr<TempDir> dir_;
    static std::unique_ptr<Model> model_;
    static std::string text_;
};

std::unique_ptr<TempDir> RealEmulatorList::dir_;
std::unique_ptr<Model> RealEmulatorList::model_;
std::string RealEmulatorList::text_;

int CountOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size()) ++n;
    return n;
}

} // namespace

TEST_F(RealEmulatorList, ListFileHoldsEveryScreenGame) {
    int blocks = CountOf(text_, "game (\r\n");
    EXPECT_GT(blocks, 20000);
    EXPECT_EQ(CountOf(text_, "\r\n)\r\n\r\n"), blocks);
    EXPECT_TRUE(text_.ends_with(")\r\n\r\n"));
    std::size_t puckman = text_.find("\tname puckman\r\n");
    ASSERT_NE(puckman, std::string::npos);
    std::string block = text_.substr(puckman, text_.find(")\r\n\r\n", puckman) - puckman);
    EXPECT_NE(block.find("\r\n\tvideo ( screen raster orientation vertical x 224 y 288 aspectx 3 aspecty 4 freq "
                         "60.606061 )\r\n"),
              std::string::npos)
        << block;
    // Devices and BIOS sets are left out.
    EXPECT_EQ(text_.find("\tname z80\r\n"), std::string::npos);
    EXPECT_EQ(text_.find("\tname neogeo\r\n"), std::string::npos);
    // Nothing but the list is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_->Path()), {}), 1);
}

TEST_F(RealEmulatorList, NativeModesCountEveryGameOnceAndBatchAgrees) {
    Model& m = *model_;
    ProgressSink quiet;
    std::optional<NativeModeCounts> counts = BuildNativeModeList(m, false, true, quiet);
    ASSERT_TRUE(counts);
    EXPECT_EQ(m.Games.Count(), CountOf(text_, "game (\r\n"));
    ASSERT_GE(m.NativeModes.Count(), 3);
    EXPECT_EQ(NativeModeDisplay(m.NativeModes[1]), "Vector H");
    EXPECT_EQ(NativeModeDisplay(m.NativeModes[2]), "Vector V");
    EXPECT_EQ(counts->NativeCount, m.NativeModes.Count());
    EXPECT_EQ(counts->HModes + counts->VModes, counts->NativeCount);

    std::vector<int> seen(static_cast<std::size_t>(m.Games.Count()) + 1, 0);
    int vectorGames = 0;
    for (int k = 1; k <= m.NativeModes.Count(); ++k) {
        std::vector<int> games = GamesOfNativeMode(m, k);
        if (k <= 2) vectorGames += static_cast<int>(games.size());
        for (int i : games) ++seen[static_cast<std::size_t>(i)];
    }
    int sizeless = 0, orientless = 0;
    for (int i = 1; i <= m.Games.Count(); ++i) {
        const GameRow& g = m.Games[i];
        if (g.GameNativeWidth == "VECTOR" || g.GameNativeHeight == "VECTOR") {
            ++sizeless;
            EXPECT_EQ(seen[static_cast<std::size_t>(i)], 0) << g.GameRomName;
        } else {
            EXPECT_EQ(seen[static_cast<std::size_t>(i)], 1) << g.GameRomName;
        }
        if (g.GameOrientation.empty()) ++orientless;
    }
    EXPECT_EQ(vectorGames, counts->VectorGames);
    EXPECT_GT(counts->VectorGames, 0);
    EXPECT_EQ(counts->HGames + counts->VGames + orientless, m.Games.Count());
    EXPECT_LT(sizeless, 100);

    // Four-digit sizes are read whole.
    bool wide = false;
    for (int k = 1; k <= m.NativeModes.Count(); ++k) wide = wide || m.NativeModes[k].NativeWidth.size() == 4;
    EXPECT_TRUE(wide);

    int puckman = 0;
    for (int i = 1; i <= m.Games.Count() && !puckman; ++i)
        if (m.Games[i].GameRomName == "PUCKMAN") puckman = i;
    ASSERT_NE(puckman, 0);
    const GameRow& g = m.Games[puckman];
    EXPECT_EQ(g.GameNativeWidth + " " + g.GameNativeHeight + " " + g.GameNativeRefresh + " " + g.GameOrientation,
              "224 288 60.606061 V");
    EXPECT_EQ(g.GameDescription, "Puck Man (Japan set 1)");

    // The batch tool prints the same list from the same file.
    TempDir outDir;
    std::string out = outDir.File("natives.txt");
    std::string cmd = std::string("'") + KELVARO_BATCH_EXE + "' natives --dat '" + model_->GameListFile() +
                      "' > '" + out + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    std::string text = TempDir::Read(out);
    std::string expected;
    for (int k = 1; k <= m.NativeModes.Count(); ++k)
        expected += std::to_string(k) + "\t" + NativeModeDisplay(m.NativeModes[k]) + "\n";
    expected += counts->Panel1() + "\n" + counts->Panel2() + "\n";
    EXPECT_EQ(text, expected);
    EXPECT_TRUE(text.starts_with("1\tVector H\n2\tVector V\n"));
}
