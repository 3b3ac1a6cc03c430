#include <gtest/gtest.h>

#include "GamelistFixtures.h"
#include "gamelist/NativeModes.h"

using namespace kelvaro;
using namespace gamelist_test;

namespace {

// Builds from a mame.dat holding the text, as at start-up.
Result<NativeModeCounts> BuildFrom(const TempDir& dir, Model& m, const std::string& listInfo) {
    m.Paths.ProgramFolder = m.Paths.DataFolder = dir.Path();
    dir.Write("mame.dat", listInfo);
    ProgressSink quiet;
    return BuildNativeModeList(m, false, true, quiet);
}

Strings ModeTexts(const Model& m) {
    Strings texts;
    for (int k = 1; k <= m.NativeModes.Count(); ++k) texts.push_back(NativeModeDisplay(m.NativeModes[k]));
    return texts;
}

Strings RomNames(const Model& m, int mode) {
    Strings names;
    for (int i : GamesOfNativeMode(m, mode)) names.push_back(m.Games[i].GameRomName);
    return names;
}

// A game's native cells, and its chosen mode's cells with its INI text.
std::string Cells(const GameRow& g) {
    return g.GameNativeWidth + "|" + g.GameNativeHeight + "|" + g.GameNativeRefresh + "|" + g.GameOrientation + " " +
           g.GameModeWidth + "|" + g.GameModeHeight + "|" + g.GameModeRefresh + "|" + g.GameINIText;
}

const std::string kNotChosen = " ???|???|??|resolution auto";

} // namespace

TEST(BuildNativeModeList, TwoModesThreeGamesAndABuildThatReadsNoGame) {
    TempDir dir;
    Model m;
    const std::string list = Block("hgame", "Horizontal", Raster("256", "224", "60.000000", false)) +
                             Block("vgame1", "Vertical one", Raster("224", "288", "60.606061", true)) +
                             Block("vgame2", "Vertical two", Raster("224", "288", "60.606061", true));
    auto counts = BuildFrom(dir, m, list);
    ASSERT_TRUE(counts);
    EXPECT_EQ(counts->Panel1(), "Modes: 1 H + 1 V = 2");
    EXPECT_EQ(counts->Panel2(), "Total Games: 1 Horizontal + 2 Vertical = 3 (inc. 0 Vector)");
    EXPECT_EQ(ModeTexts(m), (Strings{"224 x 288 @ 60.61Hz V", "256 x 224 @ 60Hz H"}));
    EXPECT_EQ(m.NativeModes[1].NativeRefresh, "60.606061");
    EXPECT_EQ(RomNames(m, 1), (Strings{"VGAME1", "VGAME2"}));
    EXPECT_EQ(RomNames(m, 2), (Strings{"HGAME"}));
    ASSERT_EQ(m.Games.Count(), 3);
    EXPECT_EQ(Cells(m.Games[2]), "224|288|60.606061|V" + kNotChosen);
    EXPECT_EQ(GameModeDisplay(m.Games[2]), "(Let MAME Decide)");

    m.Games[2].GameModeWidth = "1024";
    m.Games[2].GameModeHeight = "768";
    EXPECT_EQ(GameModeDisplay(m.Games[2]), "1024 x 768 @ ??Hz");
    // A list without games changes nothing; one with games starts every choice again.
    const std::string chosen = Cells(m.Games[2]);
    EXPECT_EQ(BuildFrom(dir, m, "clrmamepro (\r\n\tname x\r\n)\r\n").Reason(), "no game in " + dir.File("mame.dat"));
    EXPECT_EQ(ModeTexts(m).size(), 2u);
    EXPECT_EQ(Cells(m.Games[2]), chosen);
    ASSERT_TRUE(BuildFrom(dir, m, list));
    EXPECT_EQ(Cells(m.Games[2]), "224|288|60.606061|V" + kNotChosen);
}

TEST(BuildNativeModeList, ModesSortByCharacterCodesVectorAndSizelessFirst) {
    TempDir dir;
    Model m;
    std::string list = Block("w320", "320", Raster("320", "240", "60.000000", false)) +
                       Block("w1024", "1024", Raster("1024", "240", "60.000000", false)) +
                       Block("nosize", "No size", "screen raster orientation vertical") +
                       Block("tempest", "Tempest", Vector("60.000000", true)) +
                       Block("asteroid", "Asteroids", Vector("61.523438", false)) +
                       Block("bzone", "Battlezone", Vector("40.000000", false)) + Block("novideo", "No video", "") +
                       Block("lcd", "Not a number", "screen lcd orientation horizontal x 96 y 64 freq 60");
    // Refresh digits beyond the ninth are dropped: the first two share a mode.
    for (const char* r : {"60.6060601", "60.6060609", "60.6060611"})
        list += Block(std::string("r") + r, r, Raster("224", "288", r, true));
    auto counts = BuildFrom(dir, m, list);
    ASSERT_TRUE(counts);
    // The empty-size mode begins with a space; a game with no video data makes no mode; a
    // refresh that is not a number is shown as it is.
    EXPECT_EQ(ModeTexts(m),
              (Strings{" x  @ Hz V", "Vector H", "Vector V", "1024 x 240 @ 60Hz H", "224 x 288 @ 60.61Hz V",
                       "224 x 288 @ 60.61Hz V", "320 x 240 @ 60Hz H", "96 x 64 @ 60 )Hz H"}));
    EXPECT_EQ(counts->Panel1(), "Modes: 4 H + 4 V = 8");
    EXPECT_EQ(counts->Panel2(), "Total Games: 5 Horizontal + 5 Vertical = 10 (inc. 3 Vector)");
    // A raster game without a size holds "VECTOR", so its own mode lists no game.
    EXPECT_TRUE(GamesOfNativeMode(m, 1).empty());
    EXPECT_EQ(Cells(m.Games[3]), "VECTOR|VECTOR||V" + kNotChosen);
    EXPECT_EQ(Cells(m.Games[7]), "VECTOR|VECTOR||" + kNotChosen);
    EXPECT_EQ(RomNames(m, 2), (Strings{"ASTEROID", "BZONE"}));
    EXPECT_EQ(Cells(m.Games[4]), "-|-|-|V" + kNotChosen);
    EXPECT_EQ(RomNames(m, 5), (Strings{"R60.6060601", "R60.6060609"}));
}

TEST(BuildNativeModeList, TheEmulatorRunsWhenAskedOrWithoutAListButNeverAtStartUp) {
    TempDir dir;
    Model m = FakeEmulatorModel(dir, XmlList(Machine("mspacman", "type=\"raster\" width=\"288\" height=\"224\"")));
    m.NativeModes.Add({"1", "2", "3", "H"});
    RecordingProgress progress;
    EXPECT_FALSE(BuildNativeModeList(m, false, true, progress));
    EXPECT_FALSE(BuildNativeModeList(m, true, true, progress));
    EXPECT_TRUE(progress.log.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("emu/ran.txt")));
    EXPECT_FALSE(std::filesystem::exists(m.GameListFile()));
    EXPECT_EQ(m.NativeModes.Count(), 1);

    // Without a list, the View menu's refresh runs the emulator first.
    ASSERT_TRUE(BuildNativeModeList(m, false, false, progress));
    EXPECT_EQ(TempDir::Read(dir.File("emu/ran.txt")), dir.File("emu") + "|-listxml\n");
    EXPECT_EQ(ModeTexts(m), (Strings{"288 x 224 @ Hz H"}));
    EXPECT_EQ(progress.log, (Strings{"begin Retrieving Game Info from M.A.M.E.... -2", "step 1", "end",
                                     "begin Reading Game Info from M.A.M.E.... -1", "end"}));
    // With a list, only a generate does.
    dir.Write("data/mame.dat", Block("pacman", "Pac-Man", Raster("224", "288", "60.606061", true)));
    ASSERT_TRUE(BuildNativeModeList(m, false, false, progress));
    EXPECT_EQ(m.Games[1].GameRomName, "PACMAN");
    ASSERT_TRUE(BuildNativeModeList(m, true, false, progress));
    EXPECT_EQ(m.Games[1].GameRomName, "MSPACMAN");
    // A run that fails keeps the list, which is built, and says why; without a list, its failure
    // is why nothing was built.
    m = FakeEmulatorModel(dir, "", 0, 2);
    Outcome run;
    ASSERT_TRUE(BuildNativeModeList(m, true, false, progress, &run));
    EXPECT_EQ(m.Games[1].GameRomName, "MSPACMAN");
    EXPECT_EQ(run.Reason(), "M.A.M.E. ended with status 2");
    std::filesystem::remove(m.GameListFile());
    EXPECT_EQ(BuildNativeModeList(m, true, false, progress).Reason(), run.Reason());
}
