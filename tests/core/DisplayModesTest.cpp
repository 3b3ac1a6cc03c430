#include <gtest/gtest.h>

#include "core/DisplayModes.h"
#include "core/Model.h"

using namespace kelvaro;

// Which modes of the list the display lacks and how many games were given each: sizes and rates
// compared as numbers, a list mode or a display mode without a rate matching any rate.
TEST(DisplayModesTest, ListsTheModesTheDisplayLacksWithTheirGames) {
    Model m;
    for (const auto& [w, h, r] : {std::tuple{"320", "240", "60"},
                                  {"640", "480", "60"},
                                  {"400", "240", "60"},
                                  {"256", "224", "57"},
                                  {"512", "384", "00"},
                                  {"800", "600", "00"}})
        m.AvailModes.Add({w, h, r, "No"});
    for (const auto& [w, h, r] : {std::tuple{"320", "240", "60"},
                                  {"400", "240", "60"},
                                  {"400", "240", "60"},
                                  {"256", "224", "57"},
                                  {"800", "600", "00"}}) {
        GameRow game;
        game.GameModeWidth = w, game.GameModeHeight = h, game.GameModeRefresh = r;
        m.Games.Add(game);
    }
    // 640 x 480 without a rate matches; 256 x 224 is there at 60 Hz only; 512 x 384 at any rate.
    const DisplayReading display{
        "the display :90", {{1024, 768, 0}, {320, 240, 60}, {640, 480, 0}, {256, 224, 60}, {512, 384, 75}}, ""};
    const DisplayComparison d = CompareWithDisplay(m, display);
    EXPECT_EQ(d.Origin, "the display :90");
    EXPECT_EQ(d.ListModes, 6);
    std::vector<std::tuple<std::string, std::string, std::string, int>> lacked;
    for (const LackedMode& mode : d.Lacked) lacked.emplace_back(mode.Width, mode.Height, mode.Refresh, mode.Games);
    EXPECT_EQ(lacked, (decltype(lacked){{"400", "240", "60", 2}, {"256", "224", "57", 1}, {"800", "600", "00", 1}}));

    // A display that could not be asked lacks nothing: the reason is passed on instead.
    const DisplayComparison notRead = CompareWithDisplay(m, {"", {}, "there is no X11 display"});
    EXPECT_TRUE(notRead.Lacked.empty());
    EXPECT_EQ(notRead.NotRead, "there is no X11 display");
}
