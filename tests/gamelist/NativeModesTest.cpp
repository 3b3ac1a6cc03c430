#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GamelistFixtures.h"
#include "gamelist/GameListParser.h"
#include "gamelist/NativeModes.h"

using namespace kelvaro;
using namespace gamelist_test;

namespace {

// Builds from a mame.dat holding the text, as at start-up.
std::optional<NativeModeCounts> BuildFrom(const TempDir& dir, Model& m, const std::string& listInfo) {
    std::filesystem::create_directories(dir.File("data"));
    m.Paths.ProgramFolder = m.Paths.DataFolder = dir.File("data");
    dir.Write("data/mame.dat", listInfo);
    ProgressSink quiet;
    return BuildNativeModeList(m, false, true, quiet);
}

std::vector<std::string> ModeTexts(const Model& m) {
    std::vector<std::string> texts;
    for (int k = 1; k <= m.NativeModes.Count(); ++k) texts.push_back(NativeModeDisplay(m.NativeModes[k]));
    return texts;
}

std::vector<std::string> RomNames(const Model& m, const std::vector<int>& games) {
    std::vector<std::string> names;
    for (int i : games) names.push_back(m.Games[i].GameRomName);
    return names;
}

using Strings = std::vector<std::string>;

} // namespace

TEST(BuildNativeModeList, TwoModesThreeGames) {
    TempDir dir;
    Model m;
    auto counts = BuildFrom(dir, m,
                            Block("hgame", "Horizontal", Raster("256", "224", "60.000000", false)) +
                                Block("vgame1", "Vertical one", Raster("224", "288", "60.606061", true)) +
                                Block("vgame2", "Vertical two", Raster("224", "288", "60.606061", true)));
    ASSERT_TRUE(counts);
    EXPECT_EQ(counts->Panel1(), "Modes: 1 H + 1 V = 2");
    EXPECT_EQ(counts->Panel2(), "Total Games: 1 Horizontal + 2 Vertical = 3 (inc. 0 Vector)");
    ASSERT_EQ(m.NativeModes.Count(), 2);
    EXPECT_EQ(ModeTexts(m), (Strings{"224 x 288 @ 60.61Hz V", "256 x 224 @ 60Hz H"}));
    const NativeModeRow& first = m.NativeModes[1];
    EXPECT_EQ(first.NativeWidth + "|" + first.NativeHeight + "|" + first.NativeRefresh + "|" + first.NativeOrientation,
              "224|288|60.606061|V");
    EXPECT_EQ(RomNames(m, GamesOfNativeMode(m, 1)), (Strings{"VGAME1", "VGAME2"}));
    EXPECT_EQ(RomNames(m, GamesOfNativeMode(m, 2)), (Strings{"HGAME"}));
    EXPECT_TRUE(GamesOfNativeMode(m, 0).empty());
    EXPECT_TRUE(GamesOfNativeMode(m, 3).empty());

    ASSERT_EQ(m.Games.Count(), 3);
    const GameRow& g = m.Games[2];
    EXPECT_EQ(g.GameRomName, "VGAME1");
    EXPECT_EQ(g.GameDescription, "Vertical one");
    EXPECT_EQ(g.GameNativeWidth + "|" + g.GameNativeHeight + "|" + g.GameNativeRefresh + "|" + g.GameOrientation,
              "224|288|60.606061|V");
    EXPECT_EQ(g.GameModeWidth + "|" + g.GameModeHeight + "|" + g.GameModeRefresh + "|" + g.GameINIText,
              "???|???|??|resolution auto");
}

TEST(BuildNativeModeList, VectorModesComeFirstAndCountInBothTotals) {
    TempDir dir;
    Model m;
    auto counts = BuildFrom(dir, m,
                            Block("raster", "Raster", Raster("256", "224", "60.000000", false)) +
                                Block("tempest", "Tempest", Vector("60.000000", true)) +
                                Block("asteroid", "Asteroids", Vector("61.523438", false)) +
                                Block("bzone", "Battlezone", Vector("40.000000", false)));
    ASSERT_TRUE(counts);
    EXPECT_EQ(ModeTexts(m), (Strings{"Vector H", "Vector V", "256 x 224 @ 60Hz H"}));
    EXPECT_EQ(counts->Panel1(), "Modes: 2 H + 1 V = 3");
    EXPECT_EQ(counts->Panel2(), "Total Games: 3 Horizontal + 1 Vertical = 4 (inc. 3 Vector)");
    EXPECT_EQ(RomNames(m, GamesOfNativeMode(m, 1)), (Strings{"ASTEROID", "BZONE"}));
    EXPECT_EQ(RomNames(m, GamesOfNativeMode(m, 2)), (Strings{"TEMPEST"}));
    const GameRow& tempest = m.Games[2];
    EXPECT_EQ(tempest.GameNativeWidth + tempest.GameNativeHeight + tempest.GameNativeRefresh, "---");
    // The parser output is left with the vector games' "-" as well.
    EXPECT_EQ(m.GameList[3].ListRefresh, "-");
}

TEST(BuildNativeModeList, ModesWithoutSizeOrWithoutAnything) {
    TempDir dir;
    Model m;
    auto counts = BuildFrom(dir, m,
                            Block("sized", "Sized", Raster("320", "240", "60.000000", false)) +
                                Block("nosize", "No size", "screen raster orientation vertical") +
                                Block("vec", "Vector", Vector("60.000000", false)) +
                                Block("novideo", "No video line", "") +
                                Block("blank", "Video without words", "screen lcd"));
    ASSERT_TRUE(counts);
    // The empty-size mode's key begins with a space and sorts before the vector mode; games with
    // no video data at all make no mode and count in neither orientation.
    EXPECT_EQ(ModeTexts(m), (Strings{" x  @ Hz V", "Vector H", "320 x 240 @ 60Hz H"}));
    EXPECT_EQ(counts->Panel1(), "Modes: 2 H + 1 V = 3");
    EXPECT_EQ(counts->Panel2(), "Total Games: 2 Horizontal + 1 Vertical = 3 (inc. 1 Vector)");
    ASSERT_EQ(m.Games.Count(), 5);
    // A raster game without a size holds "VECTOR", so its own mode lists no game.
    const GameRow& nosize = m.Games[2];
    EXPECT_EQ(nosize.GameNativeWidth + "|" + nosize.GameNativeHeight + "|" + nosize.GameNativeRefresh + "|" +
                  nosize.GameOrientation,
              "VECTOR|VECTOR||V");
    EXPECT_TRUE(GamesOfNativeMode(m, 1).empty());
    const GameRow& novideo = m.Games[4];
    EXPECT_EQ(novideo.GameNativeWidth + "|" + novideo.GameNativeHeight + "|" + novideo.GameNativeRefresh + "|" +
                  novideo.GameOrientation,
              "VECTOR|VECTOR||");
}

TEST(BuildNativeModeList, RefreshDigitsBeyondTheNinthAreDropped) {
    TempDir dir;
    Model m;
    auto counts = BuildFrom(dir, m,
                            Block("a", "A", Raster("224", "288", "60.6060601", true)) +
                                Block("b", "B", Raster("224", "288", "60.6060609", true)) +
                                Block("c", "C", Raster("224", "288", "60.6060606", true)) +
                                Block("d", "D", Raster("224", "288", "60.6060611", true)));
    ASSERT_TRUE(counts);
    ASSERT_EQ(m.NativeModes.Count(), 2);
    EXPECT_EQ(m.NativeModes[1].NativeRefresh, "60.606060");
    EXPECT_EQ(m.NativeModes[2].NativeRefresh, "60.606061");
    EXPECT_EQ(RomNames(m, GamesOfNativeMode(m, 1)), (Strings{"A", "B", "C"}));
    EXPECT_EQ(RomNames(m, GamesOfNativeMode(m, 2)), (Strings{"D"}));
    // Both show the same rounded refresh; the table keeps them apart.
    EXPECT_EQ(ModeTexts(m), (Strings{"224 x 288 @ 60.61Hz V", "224 x 288 @ 60.61Hz V"}));
}

TEST(BuildNativeModeList, SortsByCharacterCodes) {
    TempDir dir;
    Model m;
    std::string list;
    for (const char* w : {"96", "1024", "320", "64", "256"})
        list += Block(std::string("w") + w, w, Raster(w, "240", "60.000000", false));
    list += Block("v256", "V", Raster("256", "240", "60.000000", true));
    list += Block("slow", "Slow", Raster("256", "240", "59.940000", false));
    list += Block("fast", "Fast", Raster("256", "240", "100.000000", false));
    auto counts = BuildFrom(dir, m, list);
    ASSERT_TRUE(counts);
    EXPECT_EQ(ModeTexts(m), (Strings{"1024 x 240 @ 60Hz H", "256 x 240 @ 100Hz H", "256 x 240 @ 59.94Hz H",
                                     "256 x 240 @ 60Hz H", "256 x 240 @ 60Hz V", "320 x 240 @ 60Hz H",
                                     "64 x 240 @ 60Hz H", "96 x 240 @ 60Hz H"}));
    // Every game is in exactly one mode.
    int total = 0;
    for (int k = 1; k <= m.NativeModes.Count(); ++k) total += static_cast<int>(GamesOfNativeMode(m, k).size());
    EXPECT_EQ(total, m.Games.Count());
}

TEST(BuildNativeModeList, NoGameReadLeavesEverythingAsItWas) {
    TempDir dir;
    Model m;
    ASSERT_TRUE(BuildFrom(dir, m, Block("pacman", "Pac-Man", Raster("224", "288", "60.606061", true))));
    m.Games[1].GameModeWidth = "640";
    m.Games[1].GameINIText = "resolution 640x480|ror 1";

    for (const std::string& noGames : {std::string(), std::string("clrmamepro (\r\n\tname x\r\n)\r\n")}) {
        EXPECT_FALSE(BuildFrom(dir, m, noGames));
        ASSERT_EQ(m.Games.Count(), 1);
        EXPECT_EQ(m.Games[1].GameModeWidth, "640");
        EXPECT_EQ(m.Games[1].GameINIText, "resolution 640x480|ror 1");
        ASSERT_EQ(m.NativeModes.Count(), 1);
        EXPECT_EQ(m.NativeModes[1].NativeWidth, "224");
    }
    // A build that does read games starts every choice again.
    ASSERT_TRUE(BuildFrom(dir, m, Block("pacman", "Pac-Man", Raster("224", "288", "60.606061", true))));
    EXPECT_EQ(m.Games[1].GameModeWidth, "???");
    EXPECT_EQ(m.Games[1].GameINIText, "resolution auto");
}

TEST(BuildNativeModeList, AtStartUpWithoutListDoesNothing) {
    TempDir dir;
    std::string exe = MakeFakeEmulator(dir, XmlList(Machine("pacman", "Pac-Man", "type=\"raster\" rotate=\"90\" "
                                                                                  "width=\"288\" height=\"224\" "
                                                                                  "refresh=\"60.606061\"")));
    Model m = MakeModel(dir, exe);
    m.NativeModes.Add({"1", "2", "3", "H"});
    RecordingProgress progress;
    EXPECT_FALSE(BuildNativeModeList(m, false, true, progress));
    EXPECT_FALSE(BuildNativeModeList(m, true, true, progress)); // never runs the emulator at start-up
    EXPECT_TRUE(progress.calls.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("emu/ran.txt")));
    EXPECT_FALSE(std::filesystem::exists(m.GameListFile()));
    EXPECT_EQ(m.NativeModes.Count(), 1);
    EXPECT_EQ(m.Games.Count(), 0);

    // The View menu's refresh without a list runs the emulator first.
    auto counts = BuildNativeModeList(m, false, false, progress);
    ASSERT_TRUE(counts);
    EXPECT_EQ(TempDir::Read(dir.File("emu/ran.txt")), dir.File("emu") + "|-listxml\n");
    EXPECT_EQ(ModeTexts(m), (Strings{"224 x 288 @ 60.61Hz V"}));
    EXPECT_EQ(progress.calls, (Strings{"Begin Retrieving Game Info from M.A.M.E.... -1", "End",
                                       "Begin Reading Game Info from M.A.M.E.... -1", "End"}));
}

TEST(BuildNativeModeList, GenerateRunsTheEmulatorEvenWithAList) {
    TempDir dir;
    std::string exe = MakeFakeEmulator(
        dir, XmlList(Machine("mspacman", "Ms. Pac-Man", "type=\"raster\" rotate=\"90\" width=\"288\" height=\"224\" "
                                                         "refresh=\"60.606061\"")));
    Model m = MakeModel(dir, exe);
    dir.Write("data/mame.dat", Block("old", "Old", Raster("320", "240", "60", false)));
    ProgressSink quiet;
    ASSERT_TRUE(BuildNativeModeList(m, true, false, quiet));
    ASSERT_EQ(m.Games.Count(), 1);
    EXPECT_EQ(m.Games[1].GameRomName, "MSPACMAN");
}

TEST(NativeModeDisplay, RefreshTextsAndVectorRows) {
    EXPECT_EQ(NativeModeDisplay({"256", "224", "60.000000", "H"}), "256 x 224 @ 60Hz H");
    EXPECT_EQ(NativeModeDisplay({"320", "240", "57.5", "V"}), "320 x 240 @ 57.5Hz V");
    EXPECT_EQ(NativeModeDisplay({"384", "224", "59.637405", "H"}), "384 x 224 @ 59.64Hz H");
    // Not a number: shown as it is.
    EXPECT_EQ(NativeModeDisplay({"96", "64", "60 )", "H"}), "96 x 64 @ 60 )Hz H");
    EXPECT_EQ(NativeModeDisplay({"", "", "", "V"}), " x  @ Hz V");
    EXPECT_EQ(NativeModeDisplay({"-", "-", "-", "V"}), "Vector V");
    EXPECT_EQ(NativeModeDisplay({"-", "-", "-", ""}), "Vector ");
}

TEST(GameModeDisplay, ChosenOrLetTheEmulatorDecide) {
    GameRow g;
    EXPECT_EQ(GameModeDisplay(g), "(Let MAME Decide)");
    g.GameModeHeight = "480";
    g.GameModeRefresh = "60";
    EXPECT_EQ(GameModeDisplay(g), "(Let MAME Decide)");
    g.GameModeWidth = "640";
    EXPECT_EQ(GameModeDisplay(g), "640 x 480 @ 60Hz");
    g.GameModeWidth = "1024";
    g.GameModeHeight = "768";
    g.GameModeRefresh = "??";
    EXPECT_EQ(GameModeDisplay(g), "1024 x 768 @ ??Hz");
}
