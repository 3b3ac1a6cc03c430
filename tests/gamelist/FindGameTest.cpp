#include <gtest/gtest.h>

#include "gamelist/FindGame.h"

using namespace kelvaro;

namespace {

const NativeModeRow kVertical{"224", "288", "60.606061", "V"};
const NativeModeRow kLow{"256", "224", "60.000000", "H"};
const NativeModeRow kHigh{"320", "240", "60.000000", "H"};

Model SampleModel() {
    Model m;
    for (const NativeModeRow& mode : {kVertical, kLow, kHigh}) m.NativeModes.Add(mode);
    const std::tuple<const char*, const char*, NativeModeRow> games[] = {
        {"PACMAN", "Pac-Man (Midway)", kVertical},
        {"MSPACMAN", "Ms. Pac-Man", kVertical}, // 1, 2
        {"PACLAND", "Pac-Land (World)", kLow},
        {"GALAGA", "Galaga", kLow}, // 3, 4
        {"PACMANIA", "Pacmania", kHigh},
        {"ODDBALL", "Odd Ball", kLow}, // 5, 6
        {"ODDITY", "Oddity", {"VECTOR", "VECTOR", "", "H"}},
        {"ODDITYX", "Something else", kHigh}}; // 7: no mode
    for (const auto& [rom, description, mode] : games)
        m.Games.Add(
            {rom, "", description, mode.NativeWidth, mode.NativeHeight, mode.NativeRefresh, mode.NativeOrientation});
    return m;
}

} // namespace

TEST(FindGame, ModeOfTheLastMatchAndRowOfTheFirstOfTheBestKind) {
    Model m = SampleModel();
    const std::vector<std::pair<std::string, int>> cases = {
        {"PACMAN", 1},           // exact rom name beats later descriptions that contain it
        {"PAC-LAND (WORLD)", 2}, // exact description, upper-cased
        {"PAC-", 2},             // description contains: the last match
        {"PAC", 3},
        {"MSPAC", 1}, // rom name contains, when no description does
        {"XYZ", 0},
        {"ODDITY", 3}, // matches without a native mode are stepped over...
        {"ODD", 2},    // ...and keep the mode of an earlier match
    };
    for (const auto& [search, mode] : cases) EXPECT_EQ(FindNativeModeOfGame(m, search), mode) << search;
    m.NativeModes.Add(kVertical); // the first of equal modes
    EXPECT_EQ(FindNativeModeOfGame(m, "MS. PAC-MAN"), 1);
    m.NativeModes.Clear();
    EXPECT_EQ(FindNativeModeOfGame(m, "PACMAN"), 0);

    // Then the first shown row of the first kind that matches.
    const std::vector<int> vertical{2, 1};                // rows as the games list shows them
    EXPECT_EQ(FindShownGame(m, vertical, "PACMAN"), 1);   // exact beats MSPACMAN's containing name
    EXPECT_EQ(FindShownGame(m, vertical, "PAC-MAN"), 0);  // both descriptions contain it: first row
    EXPECT_EQ(FindShownGame(m, vertical, "SPACM"), 0);    // rom name contains
    EXPECT_EQ(FindShownGame(m, {8, 7}, "DDIT"), 1);       // ...after description contains
    EXPECT_EQ(FindShownGame(m, vertical, "GALAGA"), -1);  // not among the shown rows
    EXPECT_EQ(FindShownGame(m, {0, 99, 4}, "GALAGA"), 2); // numbers outside the table never match
}

// Find Next walks the matches kind by kind, each in table order, and wraps.
TEST(FindGame, NextMatchInFindOrder) {
    const Model m = SampleModel();
    const std::tuple<std::string, int, int> cases[] = {
        {"PAC", 0, 1},    {"PAC", 2, 3},    {"PAC", 5, 1},    {"PAC", 4, 1}, // 4 does not match: from the first
        {"PACMAN", 1, 5}, {"PACMAN", 5, 2}, {"PACMAN", 2, 1},                // exact, description, rom name
        {"ODD", 6, 8},    {"ODD", 8, 6},                                     // 7 has no native mode
        {"GALAGA", 0, 4}, {"GALAGA", 4, 0}, {"ODDITY", 8, 0}, {"XYZ", 0, 0}};
    for (const auto& [search, after, next] : cases)
        EXPECT_EQ(FindNextGame(m, search, after).Game, next) << search << " after " << after;
    EXPECT_EQ(FindNextGame(m, "PACMAN", 1).NativeMode, 3);
}
