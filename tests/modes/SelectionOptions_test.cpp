#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "modes/SelectionOptions.h"

using namespace kelvaro;

TEST(SelectionOptions, OtherAnswers) {
    // Pixels: rounded half to even, 0 to 100; a text without a leading number counts as 0.
    const std::vector<std::pair<std::string, std::optional<int>>> pixels = {
        {"7.5", 8}, {"6.5", 6}, {"99.5", 100}, {"12 px", 12}, {"abc", 0}, {"  100", 100},
        {"101", std::nullopt}, {"100.25", std::nullopt}, {"-1", std::nullopt}, {"", std::nullopt}};
    for (const auto& [answer, expected] : pixels) EXPECT_EQ(AcceptResTolerance(answer), expected) << answer;
    // Hertz: 0 to 15, kept as given.
    const std::vector<std::pair<std::string, std::optional<float>>> hertz = {
        {"0.75", 0.75f}, {"15", 15.0f}, {"1.3 Hz", 1.3f}, {"Hz", 0.0f},
        {"15.5", std::nullopt}, {"-0.25", std::nullopt}, {"", std::nullopt}};
    for (const auto& [answer, expected] : hertz) EXPECT_EQ(AcceptRefreshTolerance(answer), expected) << answer;
}

TEST(SelectionOptions, PresetItemsAndFallbacks) {
    const int pixels[] = {0, 8, 16, 24, 48};
    const float hertz[] = {0, 1, 1.25f, 1.5f, 2};
    for (int item = 0; item < 5; ++item) {
        EXPECT_EQ(MatchResItem(pixels[item]), item);
        EXPECT_EQ(MatchResOfItem(item), pixels[item]);
        EXPECT_EQ(MatchRefreshItem(hertz[item]), item);
        EXPECT_EQ(MatchRefreshOfItem(item), hertz[item]);
    }
    // Any other value checks "&Other".
    for (int p : {10, -8}) EXPECT_EQ(MatchResItem(p), 5) << p;
    for (float f : {0.75f, 1.2f}) EXPECT_EQ(MatchRefreshItem(f), 5) << f;
    EXPECT_EQ(ValidOrientation(2), 2);
    EXPECT_EQ(ValidRotation(1), 1);
    for (int v : {3, -1}) EXPECT_EQ(ValidOrientation(v), 0) << v;
    EXPECT_EQ(ValidRotation(2), 0);
}
