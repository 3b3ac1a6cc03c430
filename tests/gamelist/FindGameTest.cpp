#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamelist/FindGame.h"

using namespace kelvaro;

namespace {

const NativeModeRow kVertical{"224", "288", "60.606061", "V"};
const NativeModeRow kLow{"256", "224", "60.000000", "H"};
const NativeModeRow kHigh{"320", "240", "60.000000", "H"};

void AddGame(Model& m, const std::string& rom, const std::string& description, const NativeModeRow& mode) {
    GameRow& g = m.Games.Add();
    g.GameRomName = rom;
    g.GameDescription = description;
    g.GameNativeWidth = mode.NativeWidth;
    g.GameNativeHeight = mode.NativeHeight;
    g.GameNativeRefresh = mode.NativeRefresh;
    g.GameOrientation = mode.NativeOrientation;
}

Model SampleModel() {
    Model m;
    m.NativeModes.Add(kVertical);
    m.NativeModes.Add(kLow);
    m.NativeModes.Add(kHigh);
    AddGame(m, "PACMAN", "Pac-Man (Midway)", kVertical);           // 1
    AddGame(m, "MSPACMAN", "Ms. Pac-Man", kVertical);              // 2
    AddGame(m, "PACLAND", "Pac-Land (World)", kLow);               // 3
    AddGame(m, "GALAGA", "Galaga", kLow);                          // 4
    AddGame(m, "PACMANIA", "Pacmania", kHigh);                     // 5
    AddGame(m, "ODDBALL", "Odd Ball", kLow);                       // 6
    AddGame(m, "ODDITY", "Oddity", {"VECTOR", "VECTOR", "", "H"}); // 7: in no native mode
    AddGame(m, "ODDITYX", "Something else", kHigh);                // 8
    return m;
}

} // namespace

TEST(FindNativeModeOfGame, KindsAreTriedInOrder) {
    Model m = SampleModel();
    // Exact rom name beats the later description that contains the text.
    EXPECT_EQ(FindNativeModeOfGame(m, "PACMAN"), 1);
    // Exact description, compared upper-cased.
    EXPECT_EQ(FindNativeModeOfGame(m, "PAC-LAND (WORLD)"), 2);
    // Description contains: the last matching game's mode.
    EXPECT_EQ(FindNativeModeOfGame(m, "PAC-"), 2);
    EXPECT_EQ(FindNativeModeOfGame(m, "PAC"), 3);
    // Rom name contains, when no description holds the text.
    EXPECT_EQ(FindNativeModeOfGame(m, "MSPAC"), 1);
    EXPECT_EQ(FindNativeModeOfGame(m, "XYZ"), 0);
}

TEST(FindNativeModeOfGame, GamesWithoutNativeModeAreSteppedOver) {
    Model m = SampleModel();
    // ODDITY matches exactly and by description but is in no mode; the rom name kind finds ODDITYX.
    EXPECT_EQ(FindNativeModeOfGame(m, "ODDITY"), 3);
    // A later match without a mode keeps the mode of the earlier one.
    EXPECT_EQ(FindNativeModeOfGame(m, "ODD"), 2);
}

TEST(FindNativeModeOfGame, FirstOfEqualModesAndEmptyTables) {
    Model m = SampleModel();
    m.NativeModes.Add(kVertical);
    EXPECT_EQ(FindNativeModeOfGame(m, "MS. PAC-MAN"), 1);
    Model noModes = SampleModel();
    noModes.NativeModes.Clear();
    EXPECT_EQ(FindNativeModeOfGame(noModes, "PACMAN"), 0);
    EXPECT_EQ(FindNativeModeOfGame(Model{}, "PACMAN"), 0);
}

TEST(FindShownGame, FirstMatchingRowKindsInOrder) {
    Model m = SampleModel();
    const std::vector<int> vertical{2, 1}; // rows as the games list shows them
    EXPECT_EQ(FindShownGame(m, vertical, "PACMAN"), 1);   // exact beats MSPACMAN's containing name
    EXPECT_EQ(FindShownGame(m, vertical, "PAC-MAN"), 0);  // both descriptions contain it: first row
    EXPECT_EQ(FindShownGame(m, vertical, "SPACM"), 0);    // rom name contains
    EXPECT_EQ(FindShownGame(m, vertical, "GALAGA"), -1);  // not among the shown rows
    EXPECT_EQ(FindShownGame(m, {}, "PACMAN"), -1);
    EXPECT_EQ(FindShownGame(m, {0, 99, 4}, "GALAGA"), 2); // numbers outside the table never match
}

TEST(FindGame, UpperCaseLeavesOtherBytesAlone) {
    EXPECT_EQ(UpperCase("abc xyz 0-9"), "ABC XYZ 0-9");
    EXPECT_EQ(UpperCase("Caf\xC3\xA9"), "CAF\xC3\xA9");
    EXPECT_EQ(UpperCase(""), "");
}
